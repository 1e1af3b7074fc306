// The master file at start-up and at close, in the working directory.
#include "MasterFile.h"
#include "FileIO.h"
#include "NoteFixtures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using namespace testsupport;

namespace {

// Runs the test inside a scratch folder as the working directory.
class MasterFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        previous_ = std::filesystem::current_path();
        std::filesystem::current_path(dir_.Path());
    }
    void TearDown() override { std::filesystem::current_path(previous_); }

    ScratchDir dir_;

private:
    std::filesystem::path previous_;
};

owner Issuer(const std::string& name, int number) {
    return owner(name, "", "", "", "", "", number, "", "", "");
}

customer Customer(const std::string& name, int number) {
    return customer(name, "", "", "", "", "", number);
}

// A master with three issuers, two customers and two words per list.
NoteContainers ThreeIssuers() {
    NoteContainers note;
    note.owner_ma_lo = {Issuer("I1", 1), Issuer("I2", 2), Issuer("I3", 3)};
    note.customer_ma_lo = {Customer("C1", 11), Customer("C2", 12)};
    note.menuitem1 = {"a1", "a2"};
    note.menuitem2 = {"b1", "b2"};
    note.menuitem3 = {"c1", "c2"};
    return note;
}

// The XML master file of `note`, cut right after the first occurrence of
// `cutAfter`.
std::string CutMaster(const NoteContainers& note, const std::string& cutAfter) {
    const std::string xml = masterfile::MasterXmlBytes(note);
    return xml.substr(0, xml.find(cutAfter) + cutAfter.size());
}

const std::vector<std::pair<std::string, std::string>> kMessage21 = {
    {S("注意"), S("読み込めない形式です21")}};

} // namespace

TEST_F(MasterFileTest, FirstRunInstallsSamplesAndCloseWritesBothFiles) {
    MemoryWindow window;
    NoteContainers note;
    masterfile::LoadMasterAtStartup(note, window);
    EXPECT_TRUE(window.Messages().empty());
    EXPECT_EQ(window.Status(), "no masterfile then default data");
    ASSERT_EQ(note.owner_ma_lo.size(), 1u);
    EXPECT_EQ(note.owner_ma_lo[0].ownerno, 1001);
    ASSERT_EQ(note.customer_ma_lo.size(), 1u);
    EXPECT_EQ(note.customer_ma_lo[0].customerno_, 10001);
    EXPECT_EQ(note.owner1, note.owner_ma_lo);
    EXPECT_EQ(note.customer1, note.customer_ma_lo);
    EXPECT_EQ(note.menuitem1, (wordlist{S("品目1"), S("品目2")}));
    EXPECT_EQ(note.menuitem3, (wordlist{S("単位1"), S("単位2")}));
    // Placeholder particulars only.
    EXPECT_NE(note.owner_ma_lo[0].mail.find("example.jp"), std::string::npos);
    EXPECT_NE(note.customer_ma_lo[0].mail.find("example.jp"), std::string::npos);
    EXPECT_EQ(note.owner_ma_lo[0].tele, "000-0000-0000");
    EXPECT_EQ(note.owner_ma_lo[0].bank2, S("普 0000000"));
    EXPECT_FALSE(persistence::FileExists("master.xml.bak"));

    masterfile::SaveMasterFiles(note, window);
    EXPECT_TRUE(window.Messages().empty());
    EXPECT_EQ(ReadBytes("master.dat"), masterfile::MasterTextBytes(note));
    EXPECT_EQ(ReadBytes("master.xml"), masterfile::MasterXmlBytes(note));

    // The next start reads them back.
    MemoryWindow next;
    NoteContainers again;
    masterfile::LoadMasterAtStartup(again, next);
    EXPECT_EQ(next.Status(), "");
    EXPECT_EQ(again.owner_ma_lo, note.owner_ma_lo);
    EXPECT_EQ(again.customer_ma_lo, note.customer_ma_lo);
    EXPECT_EQ(again.menuitem2, note.menuitem2);
}

TEST_F(MasterFileTest, ChosenEntriesAreCopiedIntoTheNote) {
    NoteContainers saved = ThreeIssuers();
    saved.int_owner_no = 2;
    saved.int_customer_no = 1;
    WriteBytes("master.xml", masterfile::MasterXmlBytes(saved));
    MemoryWindow window;
    NoteContainers note;
    masterfile::LoadMasterAtStartup(note, window);
    EXPECT_TRUE(window.Messages().empty());
    EXPECT_EQ(note.int_owner_no, 2);
    EXPECT_EQ(note.owner1, (ownerlist{Issuer("I3", 3)}));
    EXPECT_EQ(note.customer1, (customerlist{Customer("C2", 12)}));
    EXPECT_EQ(note.owner_ma_lo, saved.owner_ma_lo);
    EXPECT_EQ(note.menuitem1, saved.menuitem1);
}

TEST_F(MasterFileTest, PositionOutsideTheRegisterSelectsTheFirstEntry) {
    NoteContainers saved = ThreeIssuers();
    saved.int_owner_no = 3;
    saved.int_customer_no = -1;
    WriteBytes("master.xml", masterfile::MasterXmlBytes(saved));
    MemoryWindow window;
    NoteContainers note;
    masterfile::LoadMasterAtStartup(note, window);
    EXPECT_EQ(note.int_owner_no, 0);
    EXPECT_EQ(note.int_customer_no, 0);
    EXPECT_EQ(note.owner1, (ownerlist{Issuer("I1", 1)}));
    EXPECT_EQ(note.customer1, (customerlist{Customer("C1", 11)}));
}

TEST_F(MasterFileTest, EmptyWordListStaysEmpty) {
    NoteContainers saved = ThreeIssuers();
    saved.menuitem1.clear();
    WriteBytes("master.xml", masterfile::MasterXmlBytes(saved));
    MemoryWindow window;
    NoteContainers note;
    masterfile::LoadMasterAtStartup(note, window);
    EXPECT_TRUE(note.menuitem1.empty());
    EXPECT_EQ(note.menuitem2, saved.menuitem2);
}

TEST_F(MasterFileTest, EmptyRegisterInTheFileSetsNeither) {
    NoteContainers saved = ThreeIssuers();
    saved.owner_ma_lo.clear();
    WriteBytes("master.xml", masterfile::MasterXmlBytes(saved));
    MemoryWindow window;
    NoteContainers note;
    masterfile::LoadMasterAtStartup(note, window);
    EXPECT_TRUE(window.Messages().empty());
    EXPECT_TRUE(note.owner_ma_lo.empty());
    EXPECT_TRUE(note.customer_ma_lo.empty());
    EXPECT_TRUE(note.owner1.empty());
    EXPECT_TRUE(note.customer1.empty());
    EXPECT_EQ(note.menuitem1, saved.menuitem1);

    // Close then writes nothing at all.
    std::filesystem::remove("master.xml");
    masterfile::SaveMasterFiles(note, window);
    EXPECT_FALSE(persistence::FileExists("master.xml"));
    EXPECT_FALSE(persistence::FileExists("master.dat"));
}

TEST_F(MasterFileTest, BrokenAfterTwoIssuersKeepsThemAndTheFile) {
    // Two issuers, cut right after the chosen position.
    NoteContainers two = ThreeIssuers();
    two.owner_ma_lo.pop_back();
    two.int_owner_no = 1;
    const std::string cut = CutMaster(two, "<int_owner_no>1</int_owner_no>\n");
    WriteBytes("master.xml", cut);
    MemoryWindow window;
    NoteContainers note;
    masterfile::LoadMasterAtStartup(note, window);
    EXPECT_EQ(window.Messages(), kMessage21);
    EXPECT_EQ(window.Status(), "no masterfile then default data");
    EXPECT_EQ(note.owner_ma_lo, two.owner_ma_lo);
    EXPECT_EQ(note.owner1, (ownerlist{Issuer("I2", 2)}));
    EXPECT_EQ(note.customer_ma_lo, (customerlist{masterfile::SampleCustomer()}));
    EXPECT_EQ(note.menuitem1, (wordlist{S("品目1"), S("品目2")}));
    // The unreadable file is kept beside it before close replaces it.
    EXPECT_EQ(ReadBytes("master.xml.bak"), cut);
}

TEST_F(MasterFileTest, BrokenAfterOneIssuerUsesTheSample) {
    const std::string cut = CutMaster(ThreeIssuers(), "\t</item>\n");
    WriteBytes("master.xml", cut);
    WriteBytes("master.xml.bak", "an earlier copy");
    MemoryWindow window;
    NoteContainers note;
    masterfile::LoadMasterAtStartup(note, window);
    EXPECT_EQ(window.Messages(), kMessage21);
    EXPECT_EQ(note.owner_ma_lo, (ownerlist{masterfile::SampleIssuer()}));
    EXPECT_EQ(note.customer_ma_lo, (customerlist{masterfile::SampleCustomer()}));
    // An earlier copy is not overwritten.
    EXPECT_EQ(ReadBytes("master.xml.bak"), "an earlier copy");
    EXPECT_EQ(ReadBytes("master.xml.bak2"), cut);
}

TEST_F(MasterFileTest, WordListsReadBeforeAnErrorAreUsed) {
    const std::string cut = CutMaster(ThreeIssuers(), "</str_menuitem1>\n");
    WriteBytes("master.xml", cut);
    MemoryWindow window;
    NoteContainers note;
    masterfile::LoadMasterAtStartup(note, window);
    EXPECT_EQ(window.Messages(), kMessage21);
    // Both registers hold two or more entries, so both stay.
    EXPECT_EQ(note.owner_ma_lo, ThreeIssuers().owner_ma_lo);
    EXPECT_EQ(note.customer_ma_lo, ThreeIssuers().customer_ma_lo);
    EXPECT_EQ(note.menuitem1, (wordlist{"a1", "a2"}));
    EXPECT_EQ(note.menuitem2, (wordlist{S("仕様1"), S("仕様2")}));
}

TEST_F(MasterFileTest, OnlyTheWorkingDirectoryCounts) {
    WriteBytes("master.xml", masterfile::MasterXmlBytes(ThreeIssuers()));
    // A hand-changed master.dat is never read.
    WriteBytes("master.dat", "changed by hand");
    ScratchDir other;
    std::filesystem::current_path(other.Path());
    MemoryWindow window;
    NoteContainers note;
    masterfile::LoadMasterAtStartup(note, window);
    EXPECT_EQ(note.owner_ma_lo, (ownerlist{masterfile::SampleIssuer()}));
    masterfile::SaveMasterFiles(note, window);
    EXPECT_TRUE(persistence::FileExists(other.File("master.xml")));
    EXPECT_TRUE(persistence::FileExists(other.File("master.dat")));

    std::filesystem::current_path(dir_.Path());
    NoteContainers here;
    masterfile::LoadMasterAtStartup(here, window);
    EXPECT_EQ(here.owner_ma_lo, ThreeIssuers().owner_ma_lo);
    masterfile::SaveMasterFiles(here, window);
    EXPECT_EQ(ReadBytes("master.dat"), masterfile::MasterTextBytes(here));
}

TEST_F(MasterFileTest, EachFailedFileIsReportedAndTheOtherStillWritten) {
    std::filesystem::create_directory("master.xml");
    WriteBytes("master.xml/inside", "x");
    MemoryWindow window;
    const NoteContainers note = ThreeIssuers();
    masterfile::SaveMasterFiles(note, window);
    EXPECT_EQ(window.Messages(), (std::vector<std::pair<std::string, std::string>>{
                                     {S("注意"), S("保存に失敗しました1")}}));
    EXPECT_EQ(ReadBytes("master.dat"), masterfile::MasterTextBytes(note));
}

TEST_F(MasterFileTest, MasterWrittenByThisProgramReadsWithoutLoss) {
    NoteContainers saved = ThreeIssuers();
    saved.owner_ma_lo[1] = masterfile::SampleIssuer();
    saved.customer_ma_lo[0] = masterfile::SampleCustomer();
    saved.menuitem2 = {S("仕様&<>"), ""};
    WriteBytes("master.xml", masterfile::MasterXmlBytes(saved));
    MemoryWindow window;
    NoteContainers note, target;
    ownerlist issuers;
    customerlist customers;
    wordlist w1, w2, w3;
    EXPECT_TRUE(
        masterfile::ReadMasterFile("master.xml", note, issuers, customers, w1, w2, w3, window));
    EXPECT_EQ(issuers, saved.owner_ma_lo);
    EXPECT_EQ(customers, saved.customer_ma_lo);
    EXPECT_EQ(w2, saved.menuitem2);
    EXPECT_FALSE(
        masterfile::ReadMasterFile("absent.xml", note, issuers, customers, w1, w2, w3, window));
    EXPECT_TRUE(window.Messages().empty());
}

namespace {

// The file layer with the failures root cannot meet: "master.xml" cannot be
// opened (another user's file of mode 600), or nothing can be written
// under a name ending in ".bak" (a full disk while the copy is made).
class FaultyFiles : public persistence::FileLayer {
public:
    bool unreadableMaster = false;
    bool backupFails = false;

    persistence::ReadStatus Read(const std::string& path, std::string& bytes,
                                 std::size_t limit) override {
        if (unreadableMaster && path == "master.xml") {
            bytes.clear();
            return persistence::ReadStatus::CannotOpen;
        }
        return FileLayer::Read(path, bytes, limit);
    }
    std::string Replace(const std::string& path, std::string_view bytes,
                        std::size_t limit) override {
        if (backupFails && path.find(".bak") != std::string::npos) {
            return "No space left on device";
        }
        return FileLayer::Replace(path, bytes, limit);
    }
};

std::vector<std::string> FolderEntries() {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(".")) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

// The close's report of a kept master file: message 1, the path, why.
void ExpectKeptAtClose(const MemoryWindow& window, const char* why) {
    ASSERT_EQ(window.Messages().size(), 1u);
    const std::string expected = S("保存に失敗しました1") + "\n" +
                                 (std::filesystem::current_path() / "master.xml").string() + "\n" +
                                 S(why);
    EXPECT_EQ(window.Messages()[0], std::make_pair(S("注意"), expected));
}

} // namespace

TEST_F(MasterFileTest, MasterThatCannotBeOpenedIsNeverReplaced) {
    const std::string xml = masterfile::MasterXmlBytes(ThreeIssuers());
    WriteBytes("master.xml", xml);
    WriteBytes("master.dat", "the text copy");
    FaultyFiles files;
    files.unreadableMaster = true;
    persistence::ScopedFileLayer scoped(files);

    MemoryWindow window;
    NoteContainers note;
    masterfile::LoadMasterAtStartup(note, window);
    EXPECT_TRUE(window.Messages().empty());
    EXPECT_EQ(window.Status(), "no masterfile then default data");
    EXPECT_EQ(note.owner_ma_lo, (ownerlist{masterfile::SampleIssuer()}));

    masterfile::SaveMasterFiles(note, window);
    ExpectKeptAtClose(window, "読み込めなかったので書き換えていません");
    EXPECT_EQ(ReadBytes("master.xml"), xml);
    EXPECT_EQ(ReadBytes("master.dat"), "the text copy");
    EXPECT_EQ(FolderEntries(), (std::vector<std::string>{"master.dat", "master.xml"}));
}

TEST_F(MasterFileTest, DamagedMasterWithoutACopyIsNeverReplaced) {
    const std::string cut = CutMaster(ThreeIssuers(), "\t</item>\n");
    WriteBytes("master.xml", cut);
    FaultyFiles files;
    files.backupFails = true;
    persistence::ScopedFileLayer scoped(files);

    MemoryWindow window;
    NoteContainers note;
    masterfile::LoadMasterAtStartup(note, window);
    EXPECT_EQ(window.Messages(), kMessage21);

    MemoryWindow closing;
    masterfile::SaveMasterFiles(note, closing);
    ExpectKeptAtClose(closing, "控えを作れなかったので書き換えていません");
    EXPECT_EQ(ReadBytes("master.xml"), cut);
    EXPECT_EQ(FolderEntries(), (std::vector<std::string>{"master.xml"}));

    // With the copy made, the close replaces it as before.
    files.backupFails = false;
    NoteContainers next;
    masterfile::LoadMasterAtStartup(next, window);
    EXPECT_EQ(ReadBytes("master.xml.bak"), cut);
    MemoryWindow quiet;
    masterfile::SaveMasterFiles(next, quiet);
    EXPECT_TRUE(quiet.Messages().empty());
    EXPECT_EQ(ReadBytes("master.xml"), masterfile::MasterXmlBytes(next));
}

TEST_F(MasterFileTest, ProtectedMasterFilesAreNotWrittenAndLinksAreFollowed) {
    const NoteContainers note = ThreeIssuers();
    WriteBytes("master.dat", "protected text copy");
    std::filesystem::permissions("master.dat", std::filesystem::perms::owner_read);
    std::filesystem::create_directory("real");
    WriteBytes("real/master.xml", "old");
    std::filesystem::create_symlink("real/master.xml", "master.xml");

    MemoryWindow window;
    masterfile::SaveMasterFiles(note, window);
    EXPECT_EQ(window.Messages(), (std::vector<std::pair<std::string, std::string>>{
                                     {S("注意"), S("保存に失敗しました1")}}));
    EXPECT_EQ(ReadBytes("master.dat"), "protected text copy");
    EXPECT_TRUE(std::filesystem::is_symlink("master.xml"));
    EXPECT_EQ(ReadBytes("real/master.xml"), masterfile::MasterXmlBytes(note));
    EXPECT_EQ(FolderEntries(), (std::vector<std::string>{"master.dat", "master.xml", "real"}));
}

// A file without a size to ask (a named pipe) is held to the limit while it
// is read, over all its pieces: what is read beyond it is refused, not kept.
TEST(FileRead, AStreamIsHeldToTheLimitAsItIsRead) {
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("notorio-fifo-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    const std::string fifo = (folder / "stream.srt").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const auto readThrough = [&fifo](std::size_t size, std::string& bytes) {
        // In pieces, so that the reader sees the stream grow past the limit.
        std::thread writer([&fifo, size] {
            std::ofstream out(fifo);
            for (std::size_t written = 0; written < size; written += 40) {
                out << std::string(std::min<std::size_t>(40, size - written), 'x') << std::flush;
                std::this_thread::sleep_for(std::chrono::milliseconds(30));
            }
        });
        const persistence::ReadStatus status = persistence::ReadWholeFile(fifo, bytes, 64);
        writer.join();
        return status;
    };
    std::string bytes;
    EXPECT_EQ(readThrough(64, bytes), persistence::ReadStatus::Ok);
    EXPECT_EQ(bytes, std::string(64, 'x'));
    EXPECT_EQ(readThrough(80, bytes), persistence::ReadStatus::TooLarge);
    EXPECT_TRUE(bytes.empty());
    std::filesystem::remove_all(folder);
}
