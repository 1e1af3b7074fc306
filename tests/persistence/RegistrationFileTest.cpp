// The side file of the registration numbers beside the master file.
#include "RegistrationFile.h"

#include "FileIO.h"
#include "MasterFile.h"
#include "PersistenceTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

using namespace testsupport;

namespace {

class RegistrationFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        previous_ = std::filesystem::current_path();
        std::filesystem::current_path(dir_.Path());
    }
    void TearDown() override { std::filesystem::current_path(previous_); }

    // A start-up in the scratch folder.
    NoteContainers Start() {
        NoteContainers note;
        masterfile::LoadMasterAtStartup(note, window_);
        return note;
    }

    ScratchDir dir_;
    MemoryWindow window_;

private:
    std::filesystem::path previous_;
};

owner Issuer(const std::string& name, int number, const std::string& tele = "") {
    return owner(name, "", "", "", "", "", number, tele, "", "");
}

// A master file as another installation writes it: the registers alone.
void WriteMaster(const ownerlist& issuers) {
    NoteContainers master;
    master.owner_ma_lo = issuers;
    master.customer_ma_lo = {customer("C", "", "", "", "", "", 1)};
    WriteBytes("master.xml", masterfile::MasterXmlBytes(master));
}

constexpr const char* kSide = "master-touroku.xml";

} // namespace

TEST_F(RegistrationFileTest, NumbersComeBackAndTheMasterFileKeepsItsLayout) {
    EXPECT_EQ(registrationfile::PathBeside("master.xml"), kSide);
    EXPECT_EQ(registrationfile::PathBeside("/a/b/master.xml"), std::string("/a/b/") + kSide);

    NoteContainers note = Start();
    // Without any number nothing new appears in the folder.
    masterfile::SaveMasterFiles(note, window_);
    EXPECT_FALSE(persistence::FileExists(kSide));

    note.owner_ma_lo.push_back(Issuer("B", 2));
    note.owner_touroku = {"T1234567890123", S("登録中")};
    masterfile::SaveMasterFiles(note, window_);
    EXPECT_TRUE(window_.Messages().empty());
    // master.xml is what it always was: the numbers are not in it.
    EXPECT_EQ(ReadBytes("master.xml"), masterfile::MasterXmlBytes(note));
    EXPECT_EQ(ReadBytes(kSide), registrationfile::Bytes(note.owner_ma_lo, note.owner_touroku));

    NoteContainers again = Start();
    EXPECT_EQ(again.owner_touroku, note.owner_touroku);

    // Numbers removed in the run stay removed.
    again.owner_touroku = {"", ""};
    masterfile::SaveMasterFiles(again, window_);
    EXPECT_EQ(Start().owner_touroku, (wordlist{"", ""}));
}

TEST_F(RegistrationFileTest, MasterRewrittenElsewhereAttachesNoNumberToAnotherIssuer) {
    NoteContainers note;
    note.owner_ma_lo = {Issuer("I1", 1), Issuer("I2", 2), Issuer("I3", 3, "03")};
    note.customer_ma_lo = {customer("C", "", "", "", "", "", 1)};
    note.owner_touroku = {"T1000000000001", "T2000000000002", "T3000000000003"};
    masterfile::SaveMasterFiles(note, window_);

    // Another installation removed I1, renamed I2 to I1 (taking I1's place
    // in every field but its number), changed I3's telephone, added I4 and
    // moved I2's old record last.
    WriteMaster({Issuer("I1", 2), Issuer("I3", 3, "06"), Issuer("I4", 4), Issuer("I2", 2)});
    const NoteContainers read = Start();
    EXPECT_EQ(read.owner_touroku, (wordlist{"", "", "", "T2000000000002"}));
    EXPECT_TRUE(window_.Messages().empty());
}

TEST_F(RegistrationFileTest, UnreadableSideFileIsKeptAsACopyAndReported) {
    NoteContainers note = Start();
    const std::string damaged = registrationfile::Bytes(note.owner_ma_lo, {"T1234567890123"});
    WriteBytes(kSide, damaged.substr(0, damaged.size() / 2));
    window_.SetStatus("");
    const NoteContainers read = Start();
    EXPECT_EQ(read.owner_touroku, wordlist{""});
    EXPECT_EQ(window_.Status(), S("登録番号のファイルが読めません: ") + kSide);
    EXPECT_TRUE(window_.Messages().empty()) << "no message box for a file only we read";
    EXPECT_EQ(ReadBytes(std::string(kSide) + ".bak"), damaged.substr(0, damaged.size() / 2));

    // Fewer numbers than issuers (a file cut by hand, read whole): the
    // issuers without one have none.
    note.owner_ma_lo.push_back(Issuer("B", 2));
    WriteBytes(kSide, registrationfile::Bytes(note.owner_ma_lo, {"T1234567890123"}));
    ownerlist keyed;
    wordlist numbers;
    EXPECT_EQ(registrationfile::Read(kSide, keyed, numbers), registrationfile::ReadResult::Read);
    EXPECT_EQ(keyed.size(), 2u);
    EXPECT_EQ(numbers, wordlist{"T1234567890123"});
    EXPECT_EQ(registrationfile::Read("absent.xml", keyed, numbers),
              registrationfile::ReadResult::Missing);
    EXPECT_TRUE(keyed.empty());
}

TEST_F(RegistrationFileTest, FailedWriteIsReportedLikeTheMasterFiles) {
    std::filesystem::create_directory(kSide);
    NoteContainers note = Start();
    note.owner_touroku = {"T1234567890123"};
    masterfile::SaveMasterFiles(note, window_);
    EXPECT_EQ(window_.Messages(), (std::vector<std::pair<std::string, std::string>>{
                                      {S("注意"), S("保存に失敗しました1")}}));
    EXPECT_EQ(ReadBytes("master.xml"), masterfile::MasterXmlBytes(note));
}

TEST_F(RegistrationFileTest, CommandLineReadsRegistersAsStartUpButWritesNothing) {
    std::filesystem::create_directory("sub");
    const std::string master = "sub/master.xml";
    const std::string side = std::string("sub/") + kSide;
    auto read = [&] {
        NoteContainers note;
        MemoryWindow window;
        registrationfile::ReadRegisters(master, note, window);
        return std::make_pair(note, window.Messages().size());
    };

    // No master file: the sample issuer, with a number if the side file
    // knows it.
    WriteBytes(side, registrationfile::Bytes({masterfile::SampleIssuer()}, {"T1000000000001"}));
    auto [sample, sampleMessages] = read();
    EXPECT_EQ(sample.owner_ma_lo, ownerlist{masterfile::SampleIssuer()});
    EXPECT_EQ(sample.owner_touroku, wordlist{"T1000000000001"});
    EXPECT_EQ(sampleMessages, 0u);

    // A whole master file: its register, its chosen position, the numbers
    // of the issuers the side file knows.
    NoteContainers saved;
    saved.owner_ma_lo = {Issuer("I1", 1), Issuer("I2", 2)};
    saved.int_owner_no = 1;
    saved.customer_ma_lo = {customer("C", "", "", "", "", "", 1)};
    WriteBytes(master, masterfile::MasterXmlBytes(saved));
    WriteBytes(side, registrationfile::Bytes({Issuer("I2", 2)}, {"T2000000000002"}));
    auto [whole, wholeMessages] = read();
    EXPECT_EQ(whole.owner_ma_lo, saved.owner_ma_lo);
    EXPECT_EQ(whole.int_owner_no, 1);
    EXPECT_EQ(whole.owner_touroku, (wordlist{"", "T2000000000002"}));

    // A whole file without customers sets no register.
    saved.customer_ma_lo.clear();
    WriteBytes(master, masterfile::MasterXmlBytes(saved));
    EXPECT_TRUE(read().first.owner_ma_lo.empty());

    // Broken after its first issuer: start-up takes the sample instead, so
    // the number of that issuer does not reach it.
    saved.customer_ma_lo = {customer("C", "", "", "", "", "", 1)};
    const std::string xml = masterfile::MasterXmlBytes(saved);
    WriteBytes(master, xml.substr(0, xml.find("</item>") + 7));
    WriteBytes(side, registrationfile::Bytes({Issuer("I1", 1)}, {"T1000000000001"}));
    auto [broken, brokenMessages] = read();
    EXPECT_EQ(broken.owner_ma_lo, ownerlist{masterfile::SampleIssuer()});
    EXPECT_EQ(broken.owner_touroku, wordlist{""});
    EXPECT_EQ(brokenMessages, 1u) << "message 21";

    // Nothing was written or copied.
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator("sub")) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"master-touroku.xml", "master.xml"}));
}
