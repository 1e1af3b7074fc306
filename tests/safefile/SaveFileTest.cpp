// The safe replace: modes, protected files, links, long names, the size
// cap, stale temporaries and interrupted saves, each in a scratch folder.
#include "SaveFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;
using safefile::SaveError;
using safefile::SaveFile;

namespace {

class SaveFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "notorio-safefile-XXXXXX").string();
        dir_ = ::mkdtemp(pattern.data());
        previousMask_ = ::umask(022);
    }
    void TearDown() override {
        ::umask(previousMask_);
        std::error_code ec;
        fs::remove_all(dir_, ec);
    }

    std::string File(const std::string& name) const { return dir_ + "/" + name; }

    // The names in the scratch folder, sorted.
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(dir_)) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    static std::string Read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    static void Put(const std::string& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    }
    static unsigned Mode(const std::string& path) {
        struct stat info {};
        ::lstat(path.c_str(), &info);
        return info.st_mode & 07777;
    }

    static SaveError Replace(const std::string& path, const std::string& bytes,
                             std::size_t cap = safefile::kNoSizeCap) {
        SaveError error = SaveError::None;
        std::string message;
        const bool ok = safefile::ReplaceFile(path, bytes, cap, error, message);
        EXPECT_EQ(ok, error == SaveError::None);
        EXPECT_EQ(ok, message.empty()) << message;
        return error;
    }

    std::string dir_;

private:
    mode_t previousMask_ = 0;
};

TEST_F(SaveFileTest, NewFileFollowsTheUmaskAndAReplacedOneKeepsItsMode) {
    EXPECT_EQ(Replace(File("new.srt"), "one"), SaveError::None);
    EXPECT_EQ(Read(File("new.srt")), "one");
    EXPECT_EQ(Mode(File("new.srt")), 0644u);

    Put(File("kept.srt"), "old");
    ::chmod(File("kept.srt").c_str(), 0640);
    EXPECT_EQ(Replace(File("kept.srt"), "new"), SaveError::None);
    EXPECT_EQ(Read(File("kept.srt")), "new");
    EXPECT_EQ(Mode(File("kept.srt")), 0640u);
    EXPECT_EQ(Names(), (std::vector<std::string>{"kept.srt", "new.srt"}));
}

TEST_F(SaveFileTest, RefusalsLeaveTheOldFileWholeAndNothingBesideIt) {
    Put(File("t.srt"), "protected");
    ::chmod(File("t.srt").c_str(), 0444);
    EXPECT_EQ(Replace(File("t.srt"), "new"), SaveError::WriteProtected);
    EXPECT_EQ(Read(File("t.srt")), "protected");
    EXPECT_EQ(Mode(File("t.srt")), 0444u);

    Put(File("big.srt"), "small");
    EXPECT_EQ(Replace(File("big.srt"), std::string(11, 'x'), 10), SaveError::TooLarge);
    EXPECT_EQ(Read(File("big.srt")), "small");
    EXPECT_EQ(Replace(File("big.srt"), std::string(10, 'x'), 10), SaveError::None);

    fs::create_directory(File("folder.srt"));
    EXPECT_EQ(Replace(File("folder.srt"), "x"), SaveError::NotAFile);
    EXPECT_EQ(Replace(File("absent/x.srt"), "x"), SaveError::CannotCreate);
    EXPECT_EQ(Names(), (std::vector<std::string>{"big.srt", "folder.srt", "t.srt"}));
}

TEST_F(SaveFileTest, WritesThroughSymbolicLinks) {
    fs::create_directory(File("real"));
    Put(File("real/data.srt"), "old");
    ::chmod(File("real/data.srt").c_str(), 0600);
    fs::create_symlink("real/data.srt", File("relative.srt"));
    fs::create_symlink(File("relative.srt"), File("chain.srt"));
    EXPECT_EQ(Replace(File("chain.srt"), "new"), SaveError::None);
    EXPECT_TRUE(fs::is_symlink(File("chain.srt")));
    EXPECT_TRUE(fs::is_symlink(File("relative.srt")));
    EXPECT_EQ(Read(File("real/data.srt")), "new");
    EXPECT_EQ(Mode(File("real/data.srt")), 0600u);

    // A link to a file not yet there creates that file.
    fs::create_symlink("real/later.srt", File("dangling.srt"));
    EXPECT_EQ(Replace(File("dangling.srt"), "made"), SaveError::None);
    EXPECT_TRUE(fs::is_symlink(File("dangling.srt")));
    EXPECT_EQ(Read(File("real/later.srt")), "made");

    fs::create_symlink("loop.srt", File("loop.srt"));
    EXPECT_EQ(Replace(File("loop.srt"), "x"), SaveError::NotAFile);

    // A link to a protected file is refused like the file itself.
    ::chmod(File("real/data.srt").c_str(), 0444);
    EXPECT_EQ(Replace(File("relative.srt"), "again"), SaveError::WriteProtected);
    EXPECT_EQ(Read(File("real/data.srt")), "new");
    EXPECT_EQ(Names().size(), 5u);
}

TEST_F(SaveFileTest, NameOfTheFullLengthLimitSaves) {
    // 82 kanji of three bytes each and ".srt": 250 bytes; and 255 bytes.
    std::string kanji;
    for (int i = 0; i < 82; ++i) {
        kanji += "\xE7\xB4\x8D"; // 納
    }
    const std::string names[] = {kanji + ".srt", std::string(251, 'a') + ".srt"};
    for (const std::string& name : names) {
        EXPECT_EQ(Replace(File(name), "old"), SaveError::None) << name.size();
        EXPECT_EQ(Replace(File(name), "new"), SaveError::None) << name.size();
        EXPECT_EQ(Read(File(name)), "new");
    }
    EXPECT_EQ(Names().size(), 2u);
}

TEST_F(SaveFileTest, CancelAndUncommittedDestructionKeepTheOldFile) {
    Put(File("n.srt"), "old");
    {
        SaveFile file(File("n.srt"));
        ASSERT_TRUE(file.Open());
        ASSERT_TRUE(file.Write("half"));
        file.Cancel();
        EXPECT_FALSE(file.Commit());
    }
    {
        SaveFile file(File("n.srt"));
        ASSERT_TRUE(file.Open());
        ASSERT_TRUE(file.Write("half"));
    }
    EXPECT_EQ(Read(File("n.srt")), "old");
    EXPECT_EQ(Names(), (std::vector<std::string>{"n.srt"}));

    // A write past the cap spoils the whole save.
    SaveFile capped(File("n.srt"), 6);
    ASSERT_TRUE(capped.Open());
    EXPECT_TRUE(capped.Write("1234"));
    EXPECT_FALSE(capped.Write("567"));
    EXPECT_EQ(capped.Error(), SaveError::TooLarge);
    EXPECT_FALSE(capped.Commit());
    EXPECT_EQ(Read(File("n.srt")), "old");
}

TEST_F(SaveFileTest, OtherCodeMayWriteIntoTheTemporaryPath) {
    Put(File("out.pdf"), "old");
    ::chmod(File("out.pdf").c_str(), 0604);
    SaveFile file(File("out.pdf"), 100);
    ASSERT_TRUE(file.Open());
    const std::string temporary = file.TemporaryPath();
    ASSERT_FALSE(temporary.empty());
    {
        std::ofstream other(temporary, std::ios::binary | std::ios::trunc);
        other << "%PDF written elsewhere";
        ASSERT_TRUE(other.good());
    }
    EXPECT_EQ(Read(File("out.pdf")), "old"); // not before the commit
    ASSERT_TRUE(file.Commit()) << file.ErrorString();
    EXPECT_EQ(Read(File("out.pdf")), "%PDF written elsewhere");
    EXPECT_EQ(Mode(File("out.pdf")), 0604u);
    EXPECT_EQ(Names(), (std::vector<std::string>{"out.pdf"}));

    // The cap holds for what others wrote too.
    SaveFile small(File("out.pdf"), 4);
    ASSERT_TRUE(small.Open());
    std::ofstream(small.TemporaryPath(), std::ios::binary) << "too long";
    EXPECT_FALSE(small.Commit());
    EXPECT_EQ(small.Error(), SaveError::TooLarge);
    EXPECT_EQ(Read(File("out.pdf")), "%PDF written elsewhere");
}

TEST_F(SaveFileTest, StaleTemporariesGoAtTheNextSaveAndLiveOnesStay) {
    Put(File(".~notorio-abc123"), "stale");
    Put(File(".t.srt.AbC9eF"), "stale from an earlier version");
    Put(File(".~notorio-abc12"), "not ours: too short");
    Put(File(".u.srt.AbC9eF"), "beside another note");
    Put(File(".t.srt.backup"), "the user's own copy");
    Put(File(".t.srt.BACKUP"), "the user's own copy");
    Put(File(".~notorio-live00"), "a save in progress");
    const int live = ::open(File(".~notorio-live00").c_str(), O_RDONLY);
    ASSERT_EQ(::flock(live, LOCK_EX), 0);

    EXPECT_EQ(Replace(File("t.srt"), "note"), SaveError::None);
    ::close(live);
    EXPECT_EQ(Names(), (std::vector<std::string>{".t.srt.BACKUP", ".t.srt.backup", ".u.srt.AbC9eF",
                                                 ".~notorio-abc12", ".~notorio-live00", "t.srt"}));
    EXPECT_TRUE(safefile::IsTemporaryName(".~notorio-live00"));
    EXPECT_FALSE(safefile::IsTemporaryName(".~notorio-LIVE00"));
    EXPECT_EQ(safefile::RemoveStaleTemporaries(dir_), 1);
}

TEST_F(SaveFileTest, SaveKilledBeforeTheCommitLeavesNothingOnceTheNextSaveRan) {
    Put(File("k.srt"), "old");
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        SaveFile file(File("k.srt"));
        const bool written = file.Open() && file.Write(std::string(1 << 20, 'x'));
        ::_exit(written ? 0 : 1); // no destructor: as if killed
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(Read(File("k.srt")), "old");
    EXPECT_EQ(Replace(File("k.srt"), "new"), SaveError::None);
    EXPECT_EQ(Names(), (std::vector<std::string>{"k.srt"}));
}

} // namespace

TEST_F(SaveFileTest, NewFilesNeverReplaceAndTryTheNextName) {
    Put(File("a.pdf"), "kept");
    ::chmod(File("a.pdf").c_str(), 0444); // an archived file, write-protected
    SaveFile first(File("a.pdf"));
    ASSERT_TRUE(first.OpenNew()) << first.ErrorString();
    std::ofstream(first.TemporaryPath(), std::ios::binary) << "first";
    EXPECT_FALSE(first.CommitNew(File("a.pdf")));
    EXPECT_EQ(first.Error(), SaveError::Exists);
    EXPECT_EQ(Read(File("a.pdf")), "kept");

    // A second writer takes the next name between the two tries of the first.
    SaveFile second(File("a.pdf"));
    ASSERT_TRUE(second.OpenNew());
    ASSERT_TRUE(second.Write("second"));
    ASSERT_TRUE(second.CommitNew(File("a-2.pdf"))) << second.ErrorString();
    EXPECT_FALSE(first.CommitNew(File("a-2.pdf")));
    EXPECT_EQ(first.Error(), SaveError::Exists);
    ASSERT_TRUE(first.CommitNew(File("a-3.pdf"))) << first.ErrorString();
    EXPECT_EQ(first.Error(), SaveError::None);

    EXPECT_EQ(Read(File("a.pdf")), "kept");
    EXPECT_EQ(Read(File("a-2.pdf")), "second");
    EXPECT_EQ(Read(File("a-3.pdf")), "first");
    EXPECT_EQ(Mode(File("a-2.pdf")), 0644u);
    EXPECT_EQ(Mode(File("a-3.pdf")), 0644u);
    EXPECT_EQ(Names(), (std::vector<std::string>{"a-2.pdf", "a-3.pdf", "a.pdf"}));

    // A name in another folder is refused and the temporary goes.
    fs::create_directory(File("sub"));
    SaveFile elsewhere(File("b.pdf"));
    ASSERT_TRUE(elsewhere.OpenNew());
    EXPECT_FALSE(elsewhere.CommitNew(File("sub/b.pdf")));
    EXPECT_EQ(elsewhere.Error(), SaveError::CannotReplace);
    EXPECT_FALSE(elsewhere.CommitNew(File("b.pdf")));
    EXPECT_EQ(Names(), (std::vector<std::string>{"a-2.pdf", "a-3.pdf", "a.pdf", "sub"}));
}
