// Reading and writing note files: archive kinds, failures and permissions.
#include "NoteFiles.h"
#include "ArchiveObjects.h"
#include "Archives.h"
#include "FileIO.h"
#include "NoteFixtures.h"
#include "Transfer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <functional>
#include <sstream>
#include <sys/resource.h>
#include <unistd.h>

using namespace testsupport;
using notefiles::Layout;
using notefiles::WriteResult;

namespace {

using Messages = std::vector<std::pair<std::string, std::string>>;

Messages Cautions(std::initializer_list<const char*> texts) {
    Messages out;
    for (const char* text : texts) {
        out.emplace_back(S("注意"), S(text));
    }
    return out;
}

// Writes `note` (as in the worked example, plus `tweak`) to `path`.
void SaveExample(const std::string& path, Layout layout = Layout::Current,
                 const std::function<void(MemoryWindow&)>& tweak = {}) {
    MemoryWindow window;
    NoteContainers note;
    FillWorkedExample(window, note);
    if (tweak) {
        tweak(window);
    }
    ASSERT_EQ(notefiles::WriteNoteFileAs(path, layout, note, window), WriteResult::Written);
}

} // namespace

TEST(NoteFiles, OnlyNoteExtensionsAreWritten) {
    ScratchDir dir;
    for (const char* name : {"n.xls", "n.SRT", "n.Xml", "noext", "n.srt.bak"}) {
        MemoryWindow window;
        NoteContainers note;
        FillWorkedExample(window, note);
        window.SetField(16, "");
        EXPECT_EQ(notefiles::WriteNoteFile(dir.File(name), note, window), WriteResult::NotANoteName)
            << name;
        // The transfers ran all the same.
        EXPECT_EQ(window.Field(16), "0001");
        EXPECT_EQ(note.basedata1.size(), 1u);
        EXPECT_TRUE(window.Messages().empty());
    }
    EXPECT_TRUE(FolderEntries(dir.Path()).empty());
}

TEST(NoteFiles, TxtAndSrtHoldTheSameBytes) {
    ScratchDir dir;
    SaveExample(dir.File("c.txt"));
    SaveExample(dir.File("c.srt"));
    EXPECT_EQ(ReadBytes(dir.File("c.txt")), ReadBytes(dir.File("c.srt")));
    EXPECT_EQ(ReadBytes(dir.File("c.srt")),
              WithRateKept(ReadBytes(DataPath("notes/worked-example.srt"))));
    EXPECT_EQ(FolderEntries(dir.Path()), (std::vector<std::string>{"c.srt", "c.txt"}));
}

TEST(NoteFiles, ReadOnlyFolderKeepsTheOldFile) {
    if (::geteuid() == 0) {
        GTEST_SKIP() << "folder permissions do not bind root";
    }
    ScratchDir dir;
    const std::string path = dir.File("keep.xml");
    WriteBytes(path, "old");
    std::filesystem::permissions(dir.Path(), std::filesystem::perms::owner_read |
                                                 std::filesystem::perms::owner_exec);
    MemoryWindow window;
    NoteContainers note;
    FillWorkedExample(window, note);
    EXPECT_EQ(notefiles::WriteNoteFile(path, note, window), WriteResult::Failed);
    EXPECT_EQ(window.Messages(), Cautions({"保存に失敗しました2"}));
    EXPECT_EQ(ReadBytes(path), "old");
}

TEST(NoteFiles, FailedRenameLeavesNoTemporaryFile) {
    ScratchDir dir;
    std::filesystem::create_directory(dir.File("taken.srt"));
    WriteBytes(dir.File("taken.srt/inside"), "x");
    MemoryWindow window;
    NoteContainers note;
    FillWorkedExample(window, note);
    EXPECT_EQ(notefiles::WriteNoteFile(dir.File("taken.srt"), note, window), WriteResult::Failed);
    EXPECT_EQ(FolderEntries(dir.Path()), (std::vector<std::string>{"taken.srt"}));
    EXPECT_EQ(ReadBytes(dir.File("taken.srt/inside")), "x");
}

TEST(NoteFiles, ReplacedFileKeepsItsPermissions) {
    ScratchDir dir;
    const std::string path = dir.File("perm.srt");
    WriteBytes(path, "old");
    std::filesystem::permissions(path, std::filesystem::perms::owner_read |
                                           std::filesystem::perms::owner_write |
                                           std::filesystem::perms::group_read);
    SaveExample(path);
    EXPECT_EQ(std::filesystem::status(path).permissions(), std::filesystem::perms::owner_read |
                                                               std::filesystem::perms::owner_write |
                                                               std::filesystem::perms::group_read);
}

TEST(NoteFiles, SymbolicLinkIsWrittenThrough) {
    ScratchDir dir;
    std::filesystem::create_directory(dir.File("real"));
    WriteBytes(dir.File("real/n.srt"), "old");
    std::filesystem::create_symlink("real/n.srt", dir.File("link.srt"));
    SaveExample(dir.File("link.srt"));
    SaveExample(dir.File("plain.srt"));
    EXPECT_TRUE(std::filesystem::is_symlink(dir.File("link.srt")));
    EXPECT_EQ(ReadBytes(dir.File("real/n.srt")), ReadBytes(dir.File("plain.srt")));
    EXPECT_EQ(FolderEntries(dir.Path()),
              (std::vector<std::string>{"link.srt", "plain.srt", "real"}));
    EXPECT_EQ(FolderEntries(dir.File("real")), std::vector<std::string>{"n.srt"});
}

TEST(NoteFiles, TemporariesLeftByAKilledSaveGoAtTheNextSave) {
    ScratchDir dir;
    WriteBytes(dir.File(".n.srt.Ab12Cd"), "left by an interrupted save");
    WriteBytes(dir.File(".~notorio-x1y2z3"), "left by an interrupted save");
    WriteBytes(dir.File(".other"), "the user's");
    SaveExample(dir.File("n.srt"));
    EXPECT_EQ(FolderEntries(dir.Path()), (std::vector<std::string>{".other", "n.srt"}));
}
