// notorio-cli pdf, run as the program it is.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct Result {
    int status = -1;
    std::string out;
};

Result RunShell(const std::string& command) {
    Result r;
    FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    if (pipe == nullptr) {
        return r;
    }
    char buffer[4096];
    size_t n = 0;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) {
        r.out.append(buffer, n);
    }
    const int status = pclose(pipe);
    r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return r;
}

std::string Cli() {
    return std::string("env -u QT_QPA_PLATFORM '") + NOTORIO_CLI + "' pdf ";
}

class PdfCommand : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("notorio-pdf-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    std::string Path(const std::string& name) const { return (dir_ / name).string(); }
    static std::string Note() {
        return std::string(NOTORIO_TEST_DATA) + "/notes/worked-example.srt";
    }

    fs::path dir_;
};

} // namespace

TEST_F(PdfCommand, PrintsTheSampleNoteAsThreePages) {
    const std::string pdf = Path("note.pdf");
    const Result r = RunShell(Cli() + "'" + Note() + "' '" + pdf + "'");
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(r.out, "");
    EXPECT_NE(RunShell("pdfinfo '" + pdf + "'").out.find("Pages:           3"), std::string::npos);
    const std::string text = RunShell("pdftotext -layout '" + pdf + "' -").out;
    const size_t copy = text.find("納品書(控)");
    const size_t invoice = text.find("請求書");
    ASSERT_NE(copy, std::string::npos) << text;
    ASSERT_NE(invoice, std::string::npos) << text;
    EXPECT_LT(copy, invoice);
    for (const char* expected : {"2007年7月5日", "B様", "0001", "品目1", "仕様1", "1,000", "2,000",
                                 "¥2,000", "¥2,100", "¥100", "5%"}) {
        EXPECT_NE(text.find(expected), std::string::npos) << expected;
    }
}

TEST_F(PdfCommand, KindAndResolution) {
    const std::string pdf = Path("copy.pdf");
    const Result r = RunShell(Cli() + "'" + Note() + "' '" + pdf + "' --kind 0 --dpi 300");
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_NE(RunShell("pdfinfo '" + pdf + "'").out.find("Pages:           1"), std::string::npos);
    const std::string text = RunShell("pdftotext '" + pdf + "' -").out;
    EXPECT_NE(text.find("納品書(控)"), std::string::npos);
    EXPECT_EQ(text.find("請求書"), std::string::npos);
}

TEST_F(PdfCommand, BadArgumentsAndFilesFail) {
    const std::string pdf = Path("x.pdf");
    for (const std::string& args :
         {std::string("--kind 4"), std::string("--kind"), std::string("--dpi 0"),
          std::string("--dpi 600x"), std::string("--colour")}) {
        const Result r = RunShell(Cli() + "'" + Note() + "' '" + pdf + "' " + args);
        EXPECT_EQ(r.status, 1) << args;
        EXPECT_FALSE(r.out.empty()) << args;
    }
    EXPECT_EQ(RunShell(Cli() + "'" + Note() + "'").status, 1);

    const Result missing = RunShell(Cli() + "'" + Path("none.srt") + "' '" + pdf + "'");
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.out.find("読み込めない形式です"), std::string::npos) << missing.out;

    const Result unwritable = RunShell(Cli() + "'" + Note() + "' '" + Path("no/such/x.pdf") + "'");
    EXPECT_EQ(unwritable.status, 1);
    EXPECT_FALSE(fs::exists(pdf));
}

TEST_F(PdfCommand, QualifiedNotePrintsNumberBreakdownAndLegend) {
    const std::string note = std::string(NOTORIO_TEST_DATA) + "/notes/qualified-example.srt";
    const std::string pdf = Path("q.pdf");
    const Result r =
        RunShell(Cli() + "'" + note + "' '" + pdf + "' --kind 2 --registration T1234567890123");
    ASSERT_EQ(r.status, 0) << r.out;
    const std::string text = RunShell("pdftotext -layout '" + pdf + "' -").out;
    for (const char* expected :
         {"登録番号 T1234567890123", "※お茶", "※は軽減税率対象", "10%対象", "¥1,998", "¥199",
          "8%対象", "¥2,160", "¥172", "¥4,529", "¥371", "10%"}) {
        EXPECT_NE(text.find(expected), std::string::npos) << expected << "\n" << text;
    }
    // A note without reduced-rate lines and without a number gains nothing.
    const std::string plain = Path("p.pdf");
    ASSERT_EQ(RunShell(Cli() + "'" + Note() + "' '" + plain + "' --kind 2").status, 0);
    const std::string plainText = RunShell("pdftotext '" + plain + "' -").out;
    for (const char* absent : {"登録番号", "対象", "※"}) {
        EXPECT_EQ(plainText.find(absent), std::string::npos) << absent;
    }
    EXPECT_EQ(RunShell(Cli() + "'" + note + "' '" + pdf + "' --master").status, 1);
}

// Without a font for Japanese (fontconfig sees only a Latin face, or none)
// the PDF would carry no Japanese text: refused with the reason, no file.
TEST_F(PdfCommand, FailsWithoutAJapaneseFont) {
    const std::string config = Path("fonts.conf");
    std::vector<std::pair<std::string, std::string>> setups = {
        {"no fonts", "<fontconfig><cachedir>" + Path("cache") + "</cachedir></fontconfig>"}};
    if (fs::is_directory("/usr/share/fonts/truetype/dejavu")) {
        setups.push_back({"Latin only", "<fontconfig><dir>/usr/share/fonts/truetype/dejavu</dir>"
                                        "<cachedir>" +
                                            Path("cache") + "</cachedir></fontconfig>"});
    }
    for (const auto& [what, xml] : setups) {
        ASSERT_EQ(RunShell("printf '%s' '" + xml + "' > '" + config + "'").status, 0);
        const std::string pdf = Path("nofont.pdf");
        const Result r = RunShell("FONTCONFIG_FILE='" + config + "' " + Cli() + "'" + Note() +
                                  "' '" + pdf + "'");
        EXPECT_EQ(r.status, 1) << what << ": " << r.out;
        EXPECT_NE(r.out.find("no Japanese font"), std::string::npos) << what << ": " << r.out;
        EXPECT_NE(r.out.find("fonts-ipafont-gothic"), std::string::npos) << what;
        EXPECT_FALSE(fs::exists(pdf)) << what;
    }
}

// notorio-cli issue: the PDF under its rule-based name and its index line.
TEST_F(PdfCommand, IssueWritesANamedPdfAndItsIndexLine) {
    const std::string issue = std::string("env -u QT_QPA_PLATFORM '") + NOTORIO_CLI + "' issue '" +
                              Note() + "' '" + dir_.string() + "'";
    const Result first = RunShell(issue + " --kind 1");
    ASSERT_EQ(first.status, 0) << first.out;
    const std::string name = "20070705_B_2100_0001.pdf";
    EXPECT_EQ(first.out, Path(name) + "\n");
    EXPECT_NE(RunShell("pdftotext '" + Path(name) + "' -").out.find("納品書"), std::string::npos);

    const Result second = RunShell(issue);
    ASSERT_EQ(second.status, 0) << second.out;
    EXPECT_EQ(second.out, Path("20070705_B_2100_0001-2.pdf") + "\n");
    EXPECT_NE(
        RunShell("pdftotext '" + Path("20070705_B_2100_0001-2.pdf") + "' -").out.find("請求書"),
        std::string::npos);

    const std::string index = RunShell("cat '" + Path("索引簿.csv") + "'").out;
    EXPECT_EQ(index, "\xEF\xBB\xBF日付,取引先,金額,消費税,No,種別,ファイル名\r\n"
                     "2007/07/05,B,2100,100,0001,納品書,20070705_B_2100_0001.pdf\r\n"
                     "2007/07/05,B,2100,100,0001,請求書,20070705_B_2100_0001-2.pdf\r\n");

    for (const std::string& args :
         {std::string(" --kind 3"), std::string(" --kind"), std::string(" --dpi 300")}) {
        EXPECT_EQ(RunShell(issue + args).status, 1) << args;
    }
    const Result nowhere = RunShell(std::string("env -u QT_QPA_PLATFORM '") + NOTORIO_CLI +
                                    "' issue '" + Note() + "' '" + Path("missing") + "'");
    EXPECT_EQ(nowhere.status, 1);
    EXPECT_FALSE(nowhere.out.empty());
}

// Written files get 0666 less the umask, as notes and spreadsheets do, and
// a replaced PDF keeps the mode it had.
TEST_F(PdfCommand, WrittenFilesFollowTheUmask) {
    const std::string pdf = Path("note.pdf");
    ASSERT_EQ(RunShell("umask 022; " + Cli() + "'" + Note() + "' '" + pdf + "' --kind 1").status,
              0);
    EXPECT_EQ(fs::status(pdf).permissions(), fs::perms(0644));
    fs::permissions(pdf, fs::perms(0604));
    ASSERT_EQ(RunShell("umask 077; " + Cli() + "'" + Note() + "' '" + pdf + "' --kind 2").status,
              0);
    EXPECT_EQ(fs::status(pdf).permissions(), fs::perms(0604));

    const std::string issue = std::string("umask 022; env -u QT_QPA_PLATFORM '") + NOTORIO_CLI +
                              "' issue '" + Note() + "' '" + Path("issued") + "'";
    fs::create_directory(Path("issued"));
    const Result issued = RunShell(issue);
    ASSERT_EQ(issued.status, 0) << issued.out;
    EXPECT_EQ(fs::status(issued.out.substr(0, issued.out.size() - 1)).permissions(),
              fs::perms(0644));
    EXPECT_EQ(fs::status(Path("issued/索引簿.csv")).permissions(), fs::perms(0644));
}

// notorio-cli print: arguments are checked before anything is printed; an
// unknown queue is an error.
TEST_F(PdfCommand, PrintRefusesBadArgumentsAndUnknownQueues) {
    const std::string print =
        std::string("env -u QT_QPA_PLATFORM '") + NOTORIO_CLI + "' print '" + Note() + "'";
    for (const std::string& args :
         {std::string(" --kind 4"), std::string(" --kind"), std::string(" --printer"),
          std::string(" --dpi 300"), std::string(" extra")}) {
        EXPECT_EQ(RunShell(print + args).status, 1) << args;
    }
    const Result unknown = RunShell(print + " --printer no-such-queue-here");
    EXPECT_EQ(unknown.status, 1);
    EXPECT_NE(unknown.out.find("no-such-queue-here"), std::string::npos) << unknown.out;
}

// Only where cupsd runs a queue that writes PDF files (cups-pdf): the note
// goes through it as a job.
TEST_F(PdfCommand, PrintsOnACupsPdfQueue) {
    const Result devices = RunShell("lpstat -v");
    std::string queue;
    const size_t at = devices.status == 0 ? devices.out.find(": cups-pdf:/") : std::string::npos;
    if (at != std::string::npos) {
        const size_t start = devices.out.rfind("device for ", at);
        if (start != std::string::npos) {
            queue = devices.out.substr(start + 11, at - start - 11);
        }
    }
    if (queue.empty()) {
        GTEST_SKIP() << "no cupsd with a cups-pdf queue here";
    }
    const Result r = RunShell(std::string("env -u QT_QPA_PLATFORM '") + NOTORIO_CLI + "' print '" +
                              Note() + "' --kind 2 --printer '" + queue + "'");
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_TRUE(r.out.empty()) << r.out;
}
