// Opening note files into the window and writing the window's note.
#include "NoteFiles.h"
#include "ArchiveObjects.h"
#include "Archives.h"
#include "FileIO.h"
#include "PersistenceTestSupport.h"
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

// A window in its start-up state with a few texts of its own, to see that
// a failed open leaves it alone.
MemoryWindow TypedWindow() {
    MemoryWindow window;
    window.ApplyStartupTexts(S("2024年1月2日"));
    window.SetField(2, S("顧客"));
    window.SetCell(1, 3, S("手入力"));
    window.SetStatus("before");
    return window;
}

void ExpectUntouched(const MemoryWindow& window) {
    EXPECT_EQ(window.Field(1), S("2024年1月2日"));
    EXPECT_EQ(window.Field(2), S("顧客"));
    EXPECT_EQ(window.Cell(1, 3), S("手入力"));
    EXPECT_EQ(window.Status(), "before");
}

std::vector<std::string> FolderEntries(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
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

TEST(NoteFiles, OpenShowsTheNoteAndRecalculates) {
    for (const char* name : {"notes/worked-example.srt", "notes/worked-example.xml"}) {
        MemoryWindow window = TypedWindow();
        NoteContainers note;
        notefiles::OpenNote(DataPath(name), note, window);
        EXPECT_TRUE(window.Messages().empty());
        EXPECT_EQ(window.Field(1), S("2007年7月5日"));
        EXPECT_EQ(window.Field(2), "B");
        EXPECT_EQ(window.Field(6), "A");
        EXPECT_EQ(window.Field(16), "0001");
        EXPECT_EQ(window.Field(18), S("様"));
        EXPECT_EQ(window.Cell(1, 1), S("品目1"));
        EXPECT_EQ(window.Cell(3, 1), "2");
        EXPECT_EQ(window.Cell(6, 1), "2000");
        EXPECT_EQ(window.Field(14), "2000");
        EXPECT_EQ(window.Field(12), "100");
        EXPECT_EQ(window.Field(10), "2100");
        // The grid is not cleared here (the open dialog does that).
        EXPECT_EQ(window.Cell(1, 3), S("手入力"));
        EXPECT_TRUE(note.basedata_load.empty());
        EXPECT_TRUE(note.hinmokulist_load.empty());
        EXPECT_TRUE(note.owner_load.empty());
        EXPECT_TRUE(note.customer_load.empty());
        EXPECT_TRUE(note.owner1.empty());
    }
}

TEST(NoteFiles, ExistingNoteComputesWithTheRateFieldUntouched) {
    // Notes of existing installations carry childcount 1 and zeiritu 5: the
    // rate field keeps what it holds and the note computes with it.
    for (const char* name : {"notes/worked-example.srt", "notes/worked-example.xml"}) {
        MemoryWindow window = TypedWindow();
        window.SetField(field::TaxRate, "10");
        NoteContainers note;
        notefiles::OpenNote(DataPath(name), note, window);
        EXPECT_EQ(window.Field(field::TaxRate), "10") << name;
        EXPECT_EQ(window.Field(field::Tax), "200");
        EXPECT_EQ(window.Field(field::TaxInclusiveTotal), "2200");
        EXPECT_TRUE(window.RateBreakdown().empty());
    }
}

TEST(NoteFiles, SavedRateAndReducedRateLinesComeBackInANewWindow) {
    ScratchDir dir;
    for (const char* name : {"r.srt", "r.xml"}) {
        const std::string path = dir.File(name);
        SaveExample(path, Layout::Current, [](MemoryWindow& w) {
            w.SetField(field::TaxRate, "10");
            w.SetCell(col::Name, 2, S("※お茶"));
            w.SetCell(col::Quantity, 2, "2");
            w.SetCell(col::UnitPrice, 2, "1080");
        });
        MemoryWindow window = TypedWindow();
        NoteContainers note;
        notefiles::OpenNote(path, note, window);
        EXPECT_TRUE(window.Messages().empty()) << name;
        EXPECT_EQ(window.Field(field::TaxRate), "10");
        EXPECT_EQ(window.Cell(col::Name, 2), S("※お茶"));
        EXPECT_EQ(window.RateBreakdown(), (RateTotals{{10, 2000, 200}, {8, 2160, 172}}));
        EXPECT_EQ(window.Field(field::Tax), "372");
        EXPECT_EQ(window.Field(field::TaxInclusiveTotal), "4532");
    }
    // The 0.4 layout has no room for the rate: the field stays as it was.
    const std::string old = dir.File("old.srt");
    SaveExample(old, Layout::Format04, [](MemoryWindow& w) { w.SetField(field::TaxRate, "10"); });
    MemoryWindow window = TypedWindow();
    NoteContainers note;
    notefiles::OpenNote(old, note, window);
    EXPECT_EQ(window.Field(field::TaxRate), "5");
    EXPECT_EQ(window.Field(field::Tax), "100");
}

TEST(NoteFiles, UnreadableFilesGiveTwoMessagesAndChangeNothing) {
    ScratchDir dir;
    const std::string wrongSignature = dir.File("bad.srt");
    WriteBytes(wrongSignature, "22 serialization::archivX 3 0 0 1");
    const std::string upperCase = dir.File("d.XML");
    WriteBytes(upperCase, ReadBytes(DataPath("notes/worked-example.xml")));
    for (const std::string& path :
         {dir.File("missing.srt"), wrongSignature, upperCase, dir.Path()}) {
        MemoryWindow window = TypedWindow();
        NoteContainers note;
        notefiles::OpenNote(path, note, window);
        EXPECT_EQ(window.Messages(), Cautions({"読み込めない形式です1", "読み込めない形式です4"}))
            << path;
        ExpectUntouched(window);
        EXPECT_TRUE(note.basedata_load.empty());
    }
}

TEST(NoteFiles, NoteWithAMissingPartIsRefused) {
    ScratchDir dir;
    const std::string path = dir.File("empty-grid.srt");
    SaveExample(path, Layout::Current, [](MemoryWindow& w) { transfer::ClearGridData(w); });
    MemoryWindow window = TypedWindow();
    NoteContainers note;
    notefiles::OpenNote(path, note, window);
    EXPECT_EQ(window.Messages(), Cautions({"読み込めない形式です3"}));
    ExpectUntouched(window);
    EXPECT_TRUE(note.basedata_load.empty());
    EXPECT_TRUE(note.owner_load.empty());
}

TEST(NoteFiles, OldLayoutWithoutDateIsRefusedWhenOpened) {
    ScratchDir dir;
    const std::string path = dir.File("no-date.srt");
    SaveExample(path, Layout::Format04, [](MemoryWindow& w) { w.SetField(1, ""); });
    MemoryWindow window = TypedWindow();
    NoteContainers note;
    notefiles::OpenNote(path, note, window);
    EXPECT_EQ(window.Messages(), Cautions({"読み込めない形式です3"}));
}

TEST(NoteFiles, LinesOutsideTheGridAreSkipped) {
    // Lines 0 and 21 have no row in a grid of rows 1 to 20.
    NoteContainers records = WorkedExampleRecords();
    records.hinmokulist[0] = hinmoku(0, "X", "", 1, "", 1, 1, "");
    records.hinmokulist[21] = hinmoku(21, "Y", "", 1, "", 1, 1, "");
    std::ostringstream out;
    {
        persistence::TextOArchive ar(out);
        persistence::WriteNoteObjects(ar, records.basedata1, records);
    }
    ScratchDir dir;
    const std::string path = dir.File("outside.srt");
    WriteBytes(path, out.str());
    MemoryWindow window = TypedWindow();
    NoteContainers note;
    notefiles::OpenNote(path, note, window);
    EXPECT_TRUE(window.Messages().empty());
    EXPECT_EQ(window.Cell(1, 1), S("品目1"));
    for (int r = 0; r < window.RowCount(); ++r) {
        EXPECT_NE(window.Cell(1, r), "X") << r;
        EXPECT_NE(window.Cell(1, r), "Y") << r;
    }
}

TEST(NoteFiles, OldLayoutSavesReopenLikeCurrentOnes) {
    ScratchDir dir;
    for (const char* name : {"f.srt", "g.xml"}) {
        const std::string path = dir.File(name);
        SaveExample(path, Layout::Format04, [](MemoryWindow& w) {
            w.SetTaxMode(1);
            w.SetCell(7, 1, S("摘要あり"));
            w.SetField(16, "0042");
            w.SetField(18, S("御中"));
        });
        MemoryWindow window = TypedWindow();
        NoteContainers note;
        notefiles::OpenNote(path, note, window);
        EXPECT_TRUE(window.Messages().empty()) << name;
        EXPECT_EQ(window.Field(1), S("2007年7月5日"));
        EXPECT_EQ(window.Field(16), "0042");
        EXPECT_EQ(window.Field(18), S("御中"));
        EXPECT_EQ(window.TaxMode(), 1);
        EXPECT_EQ(window.Cell(7, 1), S("摘要あり"));
        // Tax-inclusive amounts: the line keeps 2000 + 5% tax.
        EXPECT_EQ(window.Cell(6, 1), "2100");
    }
}

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

TEST(NoteFiles, FailedWriteKeepsTheOldFileAndSaysSo) {
    ScratchDir dir;
    const std::string path = dir.File("keep.srt");
    const std::string old = "old content that must survive";
    WriteBytes(path, old);

    // A file-size limit makes the write fail even where folder permissions
    // do not bind (as for root).
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    rlimit small = saved;
    small.rlim_cur = 64;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    MemoryWindow window;
    NoteContainers note;
    FillWorkedExample(window, note);
    window.SetStatus("status");
    std::string target;
    const WriteResult result = notefiles::SaveNoteOverwrite(path, target, note, window);
    ::setrlimit(RLIMIT_FSIZE, &saved);

    EXPECT_EQ(result, WriteResult::Failed);
    EXPECT_EQ(window.Messages(), Cautions({"保存に失敗しました2"}));
    EXPECT_EQ(window.Status(), "status");
    EXPECT_EQ(ReadBytes(path), old);
    EXPECT_EQ(FolderEntries(dir.Path()), (std::vector<std::string>{"keep.srt"}));
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

TEST(NoteFiles, OverwriteSaveStatuses) {
    ScratchDir dir;
    MemoryWindow window;
    NoteContainers note;
    FillWorkedExample(window, note);
    std::string saveTarget = "unchanged";

    EXPECT_EQ(notefiles::SaveNoteOverwrite("", saveTarget, note, window),
              WriteResult::NotANoteName);
    EXPECT_EQ(window.Status(), S("ファイル名が不正です"));
    EXPECT_EQ(saveTarget, "unchanged");

    window.SetStatus("");
    const std::string xls = dir.File("sheet.xls");
    EXPECT_EQ(notefiles::SaveNoteOverwrite(xls, saveTarget, note, window),
              WriteResult::NotANoteName);
    EXPECT_EQ(window.Status(), S("ファイル名が不正です"));
    EXPECT_EQ(saveTarget, xls);
    EXPECT_FALSE(persistence::FileExists(xls));

    const std::string path = dir.File("ノート.srt");
    EXPECT_EQ(notefiles::SaveNoteOverwrite(path, saveTarget, note, window), WriteResult::Written);
    EXPECT_EQ(window.Status(), cp932::FromUtf8(path) + S("で上書き保存"));
    EXPECT_TRUE(persistence::FileExists(path));

    EXPECT_EQ(notefiles::SaveNoteAsTarget(dir.File("as.xml"), Layout::Current, note, window),
              WriteResult::Written);
    EXPECT_EQ(window.Status(), cp932::FromUtf8(dir.File("as.xml")) + S("で保存"));
    EXPECT_EQ(notefiles::SaveNoteAsTarget("", Layout::Current, note, window),
              WriteResult::NotANoteName);
    EXPECT_EQ(window.Status(), S("ファイル名が不正です"));
    EXPECT_TRUE(window.Messages().empty());
}

// Every refused save: "保存に失敗しました2", the status as it was, the old
// file byte for byte and nothing beside it.
class RefusedSave : public ::testing::Test {
protected:
    void ExpectRefused(const std::string& name, const std::string& old,
                       const std::function<void(MemoryWindow&)>& tweak = {}) {
        MemoryWindow window;
        NoteContainers note;
        FillWorkedExample(window, note);
        if (tweak) {
            tweak(window);
        }
        window.SetStatus("status");
        std::string target;
        EXPECT_EQ(notefiles::SaveNoteOverwrite(dir_.File(name), target, note, window),
                  WriteResult::Failed);
        EXPECT_EQ(window.Messages(), Cautions({"保存に失敗しました2"}));
        EXPECT_EQ(window.Status(), "status");
        EXPECT_TRUE(ReadBytes(dir_.File(name)) == old);
    }
    ScratchDir dir_;
};

TEST_F(RefusedSave, WriteProtectedNoteIsNotWritten) {
    WriteBytes(dir_.File("t.srt"), "protected");
    std::filesystem::permissions(dir_.File("t.srt"), std::filesystem::perms::owner_read |
                                                         std::filesystem::perms::group_read |
                                                         std::filesystem::perms::others_read);
    ExpectRefused("t.srt", "protected");
    EXPECT_EQ(FolderEntries(dir_.Path()), (std::vector<std::string>{"t.srt"}));
}

TEST_F(RefusedSave, ArchiveBeyondWhatOpenAcceptsIsNotWritten) {
    // Each "&" takes five bytes in XML: four remarks of 1,000,000 make 20 MB.
    const auto bigRemarks = [](MemoryWindow& window) {
        for (int row = 1; row <= 4; ++row) {
            window.SetCell(1, row, "x");
            window.SetCell(7, row, std::string(1'000'000, '&'));
        }
    };
    WriteBytes(dir_.File("big.xml"), "old");
    ExpectRefused("big.xml", "old", bigRemarks);
    EXPECT_EQ(FolderEntries(dir_.Path()), (std::vector<std::string>{"big.xml"}));

    // The same note as a text archive (4 MB) is within the limit and opens.
    SaveExample(dir_.File("big.srt"), Layout::Current, bigRemarks);
    MemoryWindow reopened;
    NoteContainers note;
    notefiles::OpenNote(dir_.File("big.srt"), note, reopened);
    EXPECT_TRUE(reopened.Messages().empty());
    EXPECT_TRUE(reopened.Cell(7, 4) == std::string(1'000'000, '&'));
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

TEST(NoteFiles, NamesUpToTheLengthLimitSaveAndOpen) {
    ScratchDir dir;
    std::string kanji; // 82 kanji of three bytes: with ".srt", 250 bytes
    for (int i = 0; i < 82; ++i) {
        kanji += "\xE7\xB4\x8D";
    }
    for (const std::string& name :
         {std::string(244, 'a') + ".srt", kanji + ".srt", std::string(251, 'b') + ".xml"}) {
        SaveExample(dir.File(name));
        SaveExample(dir.File(name)); // over the existing file
        MemoryWindow window;
        NoteContainers note;
        notefiles::OpenNote(dir.File(name), note, window);
        EXPECT_TRUE(window.Messages().empty()) << name.size();
        EXPECT_EQ(window.Cell(1, 1), S("品目1"));
    }
    EXPECT_EQ(FolderEntries(dir.Path()).size(), 3u);
}

TEST(NoteFiles, TemporariesLeftByAKilledSaveGoAtTheNextSave) {
    ScratchDir dir;
    WriteBytes(dir.File(".n.srt.Ab12Cd"), "left by an interrupted save");
    WriteBytes(dir.File(".~notorio-x1y2z3"), "left by an interrupted save");
    WriteBytes(dir.File(".other"), "the user's");
    SaveExample(dir.File("n.srt"));
    EXPECT_EQ(FolderEntries(dir.Path()), (std::vector<std::string>{".other", "n.srt"}));
}

TEST(NoteFiles, ListsFarBeyondWhatANoteHoldsAreRefused) {
    ScratchDir dir;
    const auto archive = [](bool xml, std::size_t lines, std::size_t issuers) {
        NoteContainers note = WorkedExampleRecords();
        for (std::size_t k = note.hinmokulist.size(); k < lines; ++k) {
            const int key = static_cast<int>(k) + 100;
            note.hinmokulist[key] = hinmoku(key, "", "", 0, "", 0, 0, "");
        }
        note.owner1.resize(issuers, note.owner1.front());
        std::ostringstream out;
        if (xml) {
            persistence::XmlOArchive ar(out);
            persistence::WriteNoteObjects(ar, note.basedata1, note);
            ar.Finish();
        } else {
            persistence::TextOArchive ar(out);
            persistence::WriteNoteObjects(ar, note.basedata1, note);
        }
        return out.str();
    };
    const std::size_t cap = persistence::kMaxNoteListElements;
    for (const bool xml : {false, true}) {
        const std::string path = dir.File(xml ? "n.xml" : "n.srt");
        WriteBytes(path, archive(xml, cap, cap));
        MemoryWindow opened;
        NoteContainers note;
        notefiles::OpenNote(path, note, opened);
        EXPECT_TRUE(opened.Messages().empty()) << xml;
        EXPECT_EQ(opened.Cell(1, 1), S("品目1"));

        for (const auto& [lines, issuers] : {std::pair{cap + 1, std::size_t{1}}, {1, cap + 1}}) {
            WriteBytes(path, archive(xml, lines, issuers));
            MemoryWindow refused = TypedWindow();
            notefiles::OpenNote(path, note, refused);
            EXPECT_EQ(refused.Messages(),
                      Cautions({"読み込めない形式です1", "読み込めない形式です4"}))
                << xml << " " << lines << " " << issuers;
            ExpectUntouched(refused);
        }
    }
}
