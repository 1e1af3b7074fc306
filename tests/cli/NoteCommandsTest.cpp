// notorio-cli show and convert, run as a user would run them.
#include "Cp932.h"
#include "MasterFile.h"
#include "RegistrationFile.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/wait.h>

namespace {

std::string Data(const std::string& relative) {
    return std::string(NOTORIO_TEST_DATA) + "/" + relative;
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

class NoteCommands : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "notorio-cli-XXXXXX").string();
        dir_ = ::mkdtemp(pattern.data());
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    std::string File(const std::string& name) const { return dir_ + "/" + name; }

    // Runs the command with its standard output going to `out` (a file
    // of the scratch folder unless given).
    CliRun Cli(const std::string& args, std::string out = {}) const {
        const bool scratchOut = out.empty();
        if (scratchOut) {
            out = File("stdout");
        }
        const std::string err = File("stderr");
        const std::string command =
            std::string(NOTORIO_CLI) + " " + args + " >" + out + " 2>" + err;
        CliRun run;
        const int raw = std::system(command.c_str());
        run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        run.err = ReadBytes(err);
        if (scratchOut) {
            run.out = ReadBytes(out);
            std::filesystem::remove(out);
        }
        std::filesystem::remove(err);
        return run;
    }

    std::string dir_;
};

bool Has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// An existing note as convert writes it now: its header marks zeiritu as
// the rate (childcount 2); the rate of a note that did not keep one is the
// rate field's, 5.
std::string WithRateKept(std::string bytes) {
    for (const auto& [from, to] : {std::pair<std::string, std::string>{" 0 0 1 5 ", " 0 0 2 5 "},
                                   {"<childcount>1</childcount>", "<childcount>2</childcount>"}}) {
        const size_t at = bytes.find(from);
        if (at != std::string::npos) {
            bytes.replace(at, from.size(), to);
            return bytes;
        }
    }
    ADD_FAILURE() << "no header fields found";
    return bytes;
}

void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

} // namespace

TEST_F(NoteCommands, ShowPrintsTheWindowAndTheRecords) {
    const CliRun run = Cli("show " + Data("notes/worked-example.xml"));
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_TRUE(Has(run.out, "\"Edit1\":\"2007年7月5日\"")) << run.out;
    EXPECT_TRUE(Has(run.out, "\"Edit10\":\"2100\""));
    EXPECT_TRUE(Has(run.out, "\"Edit18\":\"様\""));
    EXPECT_TRUE(Has(run.out, "\"taxMode\":0"));
    EXPECT_TRUE(Has(run.out,
                    "[\"\",\"名称\",\"仕様\",\"数量\",\"単位\",\"単価\",\"税抜き金額\",\"摘要\"]"));
    EXPECT_TRUE(Has(run.out, "[\"1\",\"品目1\",\"仕様1\",\"2\",\"単位1\",\"1000\",\"2000\",\"\"]"));
    EXPECT_TRUE(Has(run.out, "\"status\":\"\""));
    EXPECT_TRUE(Has(run.out, "\"header\":{\"seikyudate\":\"2007年7月5日\",\"soeji\":\"様\","
                             "\"printno\":\"0001\",\"zeiflag\":0,\"syubetu\":0,"
                             "\"childcount\":1,\"zeiritu\":5}"));
    EXPECT_TRUE(Has(run.out, "\"registration\":\"\""));
    EXPECT_TRUE(Has(run.out, "\"rates\":[]"));
    EXPECT_TRUE(Has(run.out, "\"ownerno\":1001"));
    EXPECT_TRUE(Has(run.out, "\"customerno_\":10001"));
    EXPECT_TRUE(Has(run.out, "\"lines\":[{\"linno\":1,\"kojiname\":\"品目1\",\"siyou\":\"仕様1\","
                             "\"suryou\":2,\"tani\":\"単位1\",\"tanka\":1000,\"price\":2000,"
                             "\"tekiyou\":\"\"}]"));
}

TEST_F(NoteCommands, ShowEscapesTextsAndFollowsTheTaxMode) {
    // A tax-inclusive note with quotes, a backslash and a tab in a remark.
    std::string xml = ReadBytes(Data("notes/worked-example.xml"));
    xml.replace(xml.find("<zeiflag>0"), 10, "<zeiflag>1");
    xml.replace(xml.find("<tekiyou></tekiyou>"), 19, "<tekiyou>a&quot;b\\c\td</tekiyou>");
    const std::string path = File("inclusive.xml");
    std::ofstream(path, std::ios::binary) << xml;
    const CliRun run = Cli("show " + path);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(Has(run.out, "\"taxMode\":1"));
    EXPECT_TRUE(Has(run.out, "\"税込み金額\""));
    EXPECT_TRUE(Has(run.out, "\"tekiyou\":\"a\\\"b\\\\c\\td\""));
    // Tax-inclusive: the line amount holds 2000 plus 5 %.
    EXPECT_TRUE(Has(run.out, "\"Edit14\":\"2100\""));
}

TEST_F(NoteCommands, ShowReportsUnreadableNotes) {
    const CliRun missing = Cli("show " + File("missing.srt"));
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.out, "");
    EXPECT_EQ(missing.err, "読み込めない形式です1\n読み込めない形式です4\n");

    // A note without lines.
    std::string xml = ReadBytes(Data("notes/worked-example.xml"));
    const size_t from = xml.find("<hinmokulist ");
    const size_t to = xml.find("</hinmokulist>");
    xml.replace(
        from, to - from,
        "<hinmokulist class_id=\"2\" tracking_level=\"0\" version=\"0\">\n\t<count>0</count>\n");
    const std::string lineless = File("lineless.xml");
    std::ofstream(lineless, std::ios::binary) << xml;
    const CliRun partial = Cli("show " + lineless);
    EXPECT_EQ(partial.status, 1);
    EXPECT_EQ(partial.err, "読み込めない形式です3\n");

    EXPECT_EQ(Cli("show").status, 1);
}

TEST_F(NoteCommands, ConvertKeepsEveryField) {
    // XML to text and back gives the same bytes as the fixtures.
    CliRun run = Cli("convert " + Data("notes/worked-example.xml") + " " + File("a.srt"));
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(ReadBytes(File("a.srt")), WithRateKept(ReadBytes(Data("notes/worked-example.srt"))));
    run = Cli("convert " + File("a.srt") + " " + File("a.xml"));
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(ReadBytes(File("a.xml")), WithRateKept(ReadBytes(Data("notes/worked-example.xml"))));
    // A note that keeps its rate keeps it through convert.
    run = Cli("convert " + Data("notes/qualified-example.srt") + " " + File("q.srt"));
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(ReadBytes(File("q.srt")), ReadBytes(Data("notes/qualified-example.srt")));

    // The sample note's issuer and customer carry every field.
    run = Cli("convert " + Data("sample-note.srt") + " " + File("s.xml"));
    ASSERT_EQ(run.status, 0) << run.err;
    run = Cli("convert " + File("s.xml") + " " + File("s.txt"));
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(ReadBytes(File("s.txt")), WithRateKept(ReadBytes(Data("sample-note.srt"))));
    EXPECT_TRUE(Has(ReadBytes(File("s.xml")), "<mail>order@example.jp</mail>"));
}

TEST_F(NoteCommands, ConvertToTheOldLayout) {
    const CliRun run =
        Cli("convert " + Data("notes/worked-example.srt") + " " + File("old.xml") + " --format04");
    ASSERT_EQ(run.status, 0) << run.err;
    const std::string xml = ReadBytes(File("old.xml"));
    EXPECT_TRUE(Has(xml, "<item class_id=\"1\" tracking_level=\"0\" version=\"2\">"));
    EXPECT_FALSE(Has(xml, "<syubetu>"));
    EXPECT_EQ(
        Cli("convert " + Data("notes/worked-example.srt") + " " + File("x.srt") + " --old").status,
        1);
}

TEST_F(NoteCommands, ConvertRefusesOtherNamesAndReportsFailures) {
    CliRun run = Cli("convert " + Data("notes/worked-example.srt") + " " + File("out.xls"));
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "ファイル名が不正です\n");
    EXPECT_FALSE(std::filesystem::exists(File("out.xls")));

    run = Cli("convert " + Data("notes/worked-example.srt") + " " + File("no/such/folder.srt"));
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "保存に失敗しました2\n");

    run = Cli("convert " + File("missing.srt") + " " + File("out.srt"));
    EXPECT_EQ(run.status, 1);
    EXPECT_FALSE(std::filesystem::exists(File("out.srt")));
}

TEST_F(NoteCommands, LostStandardOutputIsAFailureWithAMessage) {
    if (!std::filesystem::exists("/dev/full")) {
        GTEST_SKIP() << "no /dev/full";
    }
    // The reason follows when the failed write was the last one.
    const std::string lost = "notorio-cli: cannot write to standard output";
    for (const std::string& args :
         {"show " + Data("notes/worked-example.xml"), "read-xls " + Data("xls/biff8.xls")}) {
        const CliRun run = Cli(args, "/dev/full");
        EXPECT_EQ(run.status, 1) << args;
        EXPECT_TRUE(Has(run.err, lost)) << args << ": " << run.err;
    }
    // A failure of the command itself keeps its own message too.
    const CliRun missing = Cli("show " + File("missing.srt"), "/dev/full");
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err, "読み込めない形式です1\n読み込めない形式です4\n");
    const CliRun show = Cli("show " + Data("notes/worked-example.srt"), "/dev/full");
    EXPECT_EQ(show.err, lost + ": " + std::strerror(ENOSPC) + "\n");
}

TEST_F(NoteCommands, ShowGivesTheRegistrationNumberAndTheRates) {
    const std::string note = Data("notes/qualified-example.srt");
    CliRun run = Cli("show " + note + " --registration T1234567890123");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(Has(run.out, "\"registration\":\"T1234567890123\"")) << run.out;
    EXPECT_TRUE(Has(run.out, "\"rates\":[{\"rate\":10,\"amount\":1998,\"tax\":199},"
                             "{\"rate\":8,\"amount\":2160,\"tax\":172}]"));
    EXPECT_TRUE(Has(run.out, "\"Edit11\":\"10\""));
    EXPECT_TRUE(Has(run.out, "\"Edit12\":\"371\""));
    EXPECT_TRUE(Has(run.out, "\"Edit10\":\"4529\""));
    EXPECT_TRUE(Has(run.out, "\"childcount\":2,\"zeiritu\":10"));

    // The registers of a working folder: the note's issuer is found by its
    // name; a side file that no longer matches its issuer gives nothing.
    const std::string folder = File("work");
    std::filesystem::create_directory(folder);
    NoteContainers master;
    master.owner_ma_lo = {owner("other", "", "", "", "", "", 7, "", "", ""),
                          owner(S("見本事務所"), "", "", "", "", "", 1001, "03", "", "")};
    master.customer_ma_lo = {customer("C", "", "", "", "", "", 1)};
    WriteFile(folder + "/master.xml", masterfile::MasterXmlBytes(master));
    WriteFile(folder + "/master-touroku.xml",
              registrationfile::Bytes(master.owner_ma_lo, {"T9999999999999", "T1000000000001"}));
    run = Cli("show " + note + " --master " + folder);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(Has(run.out, "\"registration\":\"T1000000000001\"")) << run.out;
    // A number given outright wins.
    run = Cli("show " + note + " --master " + folder + " --registration T2");
    EXPECT_TRUE(Has(run.out, "\"registration\":\"T2\"")) << run.out;
    // Another program renamed the issuer in master.xml.
    master.owner_ma_lo[1].name = S("見本事務所2");
    master.owner_ma_lo[0].name = S("見本事務所");
    WriteFile(folder + "/master.xml", masterfile::MasterXmlBytes(master));
    run = Cli("show " + note + " --master " + folder);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(Has(run.out, "\"registration\":\"\"")) << run.out;
    EXPECT_FALSE(std::filesystem::exists(folder + "/master.dat")) << "show writes no file";

    EXPECT_EQ(Cli("show " + note + " --registration").status, 1);
    EXPECT_EQ(Cli("show " + note + " --master").status, 1);
    EXPECT_EQ(Cli("show " + note + " --colour red").status, 1);
}
