// notorio-cli show and convert, run as a user would run them.
#include "Cp932.h"

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
    EXPECT_EQ(ReadBytes(File("a.srt")), ReadBytes(Data("notes/worked-example.srt")));
    run = Cli("convert " + File("a.srt") + " " + File("a.xml"));
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(ReadBytes(File("a.xml")), ReadBytes(Data("notes/worked-example.xml")));

    // The sample note's issuer and customer carry every field.
    run = Cli("convert " + Data("sample-note.srt") + " " + File("s.xml"));
    ASSERT_EQ(run.status, 0) << run.err;
    run = Cli("convert " + File("s.xml") + " " + File("s.txt"));
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(ReadBytes(File("s.txt")), ReadBytes(Data("sample-note.srt")));
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
