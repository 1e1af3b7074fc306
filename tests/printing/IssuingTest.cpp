#include "Issuing.h"

#include "Cp932.h"
#include "MemoryWindow.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <vector>

namespace {

namespace fs = std::filesystem;
using issuing::Date;

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

bool IsValidUtf8(const std::string& text) {
    size_t i = 0;
    while (i < text.size()) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        const size_t n = c < 0x80         ? 1
                         : (c >> 5) == 6  ? 2
                         : (c >> 4) == 14 ? 3
                         : (c >> 3) == 30 ? 4
                                          : 0;
        if (n == 0 || i + n > text.size()) {
            return false;
        }
        for (size_t k = 1; k < n; ++k) {
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) {
                return false;
            }
        }
        i += n;
    }
    return true;
}

issuing::IssueFacts Facts(const std::string& customer) {
    issuing::IssueFacts f;
    f.date = Date{2026, 12, 9};
    f.customer = customer;
    f.total = "110000";
    f.tax = "10000";
    f.number = "0042";
    f.kind = "請求書";
    return f;
}

class IssueFolder : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("notorio-issue-" +
                std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        window_.ApplyStartupTexts(S("2026年12月9日"));
        window_.SetField(field::CustomerName, S("山田商店"));
        window_.SetField(field::TaxInclusiveTotal, "110000");
        window_.SetField(field::Tax, "10000");
        window_.SetField(field::Number, "0042");
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string Issue(int kind, std::string& error) {
        return issuing::IssueNote(window_, kind, dir_.string(), writer_, error);
    }
    std::string Index() const { return ReadAll(dir_ / issuing::IndexFileName()); }

    fs::path dir_;
    MemoryWindow window_;
    int written_ = 0;
    issuing::PdfWriter writer_ = [this](const std::string& path, std::string&) {
        std::ofstream(path, std::ios::binary) << "%PDF-1.4 " << ++written_;
        return true;
    };
};

} // namespace

TEST(IssueDate, FormsAnOfficeTypes) {
    const Date d{2026, 12, 9};
    for (const char* text :
         {"2026年12月9日", "2026/12/9", "2026/12/09", "2026-12-09", "2026.12.9", "20261209",
          "R8.12.9", "R08.12.09", "r8/12/9", "令和8年12月9日", "２０２６年１２月９日",
          "２０２６／１２／９", "Ｒ８．１２．９", " 2026年 12月 9日 ", "2026年12月9日(水)",
          "2026/12/9（水）", "令和８年１２月９日"}) {
        EXPECT_EQ(issuing::ParseDate(text), d) << text;
    }
    EXPECT_EQ(issuing::ParseDate("令和元年5月1日"), (Date{2019, 5, 1}));
    EXPECT_EQ(issuing::ParseDate("H31.4.30"), (Date{2019, 4, 30}));
    EXPECT_EQ(issuing::ParseDate("平成元年1月8日"), (Date{1989, 1, 8}));
    EXPECT_EQ(issuing::ParseDate("S64.1.7"), (Date{1989, 1, 7}));
    EXPECT_EQ(issuing::ParseDate("2024/2/29"), (Date{2024, 2, 29}));
}

TEST(IssueDate, WhatIsNoDate) {
    for (const char* text : {"", "2026年12月", "12月9日", "2025/2/29", "2026/13/1", "2026/4/31",
                             "2026/0/1", "26/12/9", "R8.12", "R0.1.1", "2026/12/9/1", "abc",
                             "2026年12月9日x", "/2026/12/9", "202612", "99999999999/1/1"}) {
        EXPECT_EQ(issuing::ParseDate(text), std::nullopt) << text;
    }
}

TEST(IssueFileName, AwkwardCustomerNames) {
    EXPECT_EQ(issuing::IssueFileName(Facts("山田商店"), 1), "20261209_山田商店_110000_0042.pdf");
    EXPECT_EQ(issuing::IssueFileName(Facts("山田商店"), 3), "20261209_山田商店_110000_0042-3.pdf");
    EXPECT_EQ(issuing::IssueFileName(Facts("A/B:C"), 1), "20261209_A／B：C_110000_0042.pdf");
    EXPECT_EQ(issuing::IssueFileName(Facts("a\\b*c?\"<>|"), 1),
              "20261209_a＼b＊c？＂＜＞｜_110000_0042.pdf");
    // The separator stays unique; control characters go.
    EXPECT_EQ(issuing::IssueFileName(Facts("田中_工業\n\t"), 1),
              "20261209_田中＿工業_110000_0042.pdf");
    EXPECT_EQ(issuing::IssueFileName(Facts(""), 1), "20261209__110000_0042.pdf");
    // Characters beyond the basic plane stay as they are.
    EXPECT_EQ(issuing::IssueFileName(Facts("𠮷野家"), 1), "20261209_𠮷野家_110000_0042.pdf");

    // 200 characters of three bytes each: cut to the limit at a character
    // boundary, the amount and number kept whole.
    std::string longName;
    for (int i = 0; i < 200; ++i) {
        longName += "商";
    }
    for (int copy : {1, 2, 1234}) {
        const std::string name = issuing::IssueFileName(Facts(longName), copy);
        EXPECT_LE(name.size(), issuing::kMaxFileNameBytes);
        EXPECT_GT(name.size(), issuing::kMaxFileNameBytes - 3);
        EXPECT_TRUE(IsValidUtf8(name));
        const std::string tail =
            "_110000_0042" + (copy > 1 ? "-" + std::to_string(copy) : std::string()) + ".pdf";
        EXPECT_EQ(name.substr(name.size() - tail.size()), tail);
        EXPECT_EQ(name.substr(0, 12), "20261209_商");
    }
    // An overlong number gives way after the name.
    issuing::IssueFacts f = Facts(longName);
    f.number = std::string(300, '9');
    const std::string name = issuing::IssueFileName(f, 2);
    EXPECT_LE(name.size(), issuing::kMaxFileNameBytes);
    EXPECT_EQ(name.substr(0, 17), "20261209__110000_");
    EXPECT_EQ(name.substr(name.size() - 6), "-2.pdf");
}

TEST(IssueIndex, FieldsAreQuotedWhereNeeded) {
    EXPECT_EQ(issuing::CsvField("plain"), "plain");
    EXPECT_EQ(issuing::CsvField("a,b"), "\"a,b\"");
    EXPECT_EQ(issuing::CsvField("say \"hi\""), "\"say \"\"hi\"\"\"");
    EXPECT_EQ(issuing::CsvField("two\nlines"), "\"two\nlines\"");
    EXPECT_EQ(issuing::IndexLine(Facts("山田, \"本店\""), "x.pdf"),
              "2026/12/09,\"山田, \"\"本店\"\"\",110000,10000,0042,請求書,x.pdf\r\n");
}

TEST_F(IssueFolder, IssuesUnderFreeNamesAndIndexesEach) {
    std::string error;
    const std::string first = Issue(2, error);
    ASSERT_FALSE(first.empty()) << error;
    EXPECT_EQ(fs::path(first).filename().string(), "20261209_山田商店_110000_0042.pdf");
    EXPECT_EQ(ReadAll(first), "%PDF-1.4 1");

    // The same note again, and another kind: new names, nothing overwritten.
    const std::string second = Issue(2, error);
    const std::string third = Issue(1, error);
    EXPECT_EQ(fs::path(second).filename().string(), "20261209_山田商店_110000_0042-2.pdf");
    EXPECT_EQ(fs::path(third).filename().string(), "20261209_山田商店_110000_0042-3.pdf");
    EXPECT_EQ(ReadAll(first), "%PDF-1.4 1");
    EXPECT_EQ(ReadAll(second), "%PDF-1.4 2");

    EXPECT_EQ(Index(), "\xEF\xBB\xBF" + issuing::IndexHeader() +
                           "2026/12/09,山田商店,110000,10000,0042,請求書,"
                           "20261209_山田商店_110000_0042.pdf\r\n"
                           "2026/12/09,山田商店,110000,10000,0042,請求書,"
                           "20261209_山田商店_110000_0042-2.pdf\r\n"
                           "2026/12/09,山田商店,110000,10000,0042,納品書,"
                           "20261209_山田商店_110000_0042-3.pdf\r\n");
}

TEST_F(IssueFolder, AnIndexWithoutItsLastLineEndIsMended) {
    std::ofstream(dir_ / issuing::IndexFileName(), std::ios::binary) << "\xEF\xBB\xBFold line";
    std::string error;
    window_.SetField(field::Date, S("R8.12.9"));
    window_.SetField(field::CustomerName, S("カンマ,と\"引用符\""));
    ASSERT_FALSE(Issue(0, error).empty()) << error;
    EXPECT_EQ(Index(),
              "\xEF\xBB\xBFold line\r\n2026/12/09,\"カンマ,と\"\"引用符\"\"\",110000,10000,"
              "0042,納品書(控),\"20261209_カンマ,と＂引用符＂_110000_0042.pdf\"\r\n");
}

TEST_F(IssueFolder, FailuresAreReportedAndLeaveNoIndexLine) {
    std::string error;
    // The PDF cannot be written: no file, no index.
    issuing::PdfWriter failing = [](const std::string&, std::string& e) {
        e = "disk full";
        return false;
    };
    EXPECT_TRUE(issuing::IssueNote(window_, 2, dir_.string(), failing, error).empty());
    EXPECT_EQ(error, "disk full");
    EXPECT_TRUE(fs::is_empty(dir_));

    // A date that is no date, an unknown kind, a folder that is not there.
    window_.SetField(field::Date, S("来週"));
    error.clear();
    EXPECT_TRUE(Issue(2, error).empty());
    EXPECT_NE(error.find("来週"), std::string::npos) << error;
    window_.SetField(field::Date, S("2026/12/9"));
    error.clear();
    EXPECT_TRUE(Issue(3, error).empty());
    EXPECT_FALSE(error.empty());
    error.clear();
    EXPECT_TRUE(
        issuing::IssueNote(window_, 2, (dir_ / "missing").string(), writer_, error).empty());
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(written_, 0);
    EXPECT_TRUE(fs::is_empty(dir_));

    // The index cannot be written: reported, and the PDF taken back, so
    // that the folder holds no document its index does not list.
    fs::create_directory(dir_ / issuing::IndexFileName());
    error.clear();
    EXPECT_TRUE(Issue(2, error).empty());
    EXPECT_NE(error.find("20261209_山田商店_110000_0042.pdf"), std::string::npos) << error;
    EXPECT_NE(error.find("索引簿"), std::string::npos) << error;
    EXPECT_EQ(written_, 1);
    std::vector<std::string> left;
    for (const auto& entry : fs::directory_iterator(dir_)) {
        left.push_back(entry.path().filename().string());
    }
    EXPECT_EQ(left, std::vector<std::string>{issuing::IndexFileName()});

    // A write-protected index is not replaced either.
    fs::remove(dir_ / issuing::IndexFileName());
    std::ofstream(dir_ / issuing::IndexFileName(), std::ios::binary) << "\xEF\xBB\xBFkept\r\n";
    fs::permissions(dir_ / issuing::IndexFileName(), fs::perms::owner_read);
    error.clear();
    EXPECT_TRUE(Issue(2, error).empty());
    EXPECT_EQ(Index(), "\xEF\xBB\xBFkept\r\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
}

TEST_F(IssueFolder, ANameTakenWhileThePdfIsWrittenIsLeftAlone) {
    // Another program issues the same note while this PDF is being written,
    // and an archived copy of an older issue is write-protected.
    std::ofstream(dir_ / "20261209_山田商店_110000_0042-2.pdf") << "archived";
    fs::permissions(dir_ / "20261209_山田商店_110000_0042-2.pdf", fs::perms::owner_read);
    issuing::PdfWriter racing = [this](const std::string& path, std::string&) {
        std::ofstream(dir_ / "20261209_山田商店_110000_0042.pdf") << "the other one";
        std::ofstream(path, std::ios::binary) << "%PDF mine";
        return true;
    };
    std::string error;
    const std::string path = issuing::IssueNote(window_, 2, dir_.string(), racing, error);
    EXPECT_EQ(fs::path(path).filename().string(), "20261209_山田商店_110000_0042-3.pdf") << error;
    EXPECT_EQ(ReadAll(path), "%PDF mine");
    EXPECT_EQ(ReadAll(dir_ / "20261209_山田商店_110000_0042.pdf"), "the other one");
    EXPECT_EQ(ReadAll(dir_ / "20261209_山田商店_110000_0042-2.pdf"), "archived");
    // Only this issue is in the index.
    EXPECT_EQ(Index(), "\xEF\xBB\xBF" + issuing::IndexHeader() +
                           "2026/12/09,山田商店,110000,10000,0042,請求書,"
                           "20261209_山田商店_110000_0042-3.pdf\r\n");
}

TEST_F(IssueFolder, NewFilesFollowTheUmask) {
    const mode_t previous = ::umask(022);
    std::string error;
    const std::string path = Issue(2, error);
    ::umask(previous);
    ASSERT_FALSE(path.empty()) << error;
    struct stat pdf {
    }, index{};
    ASSERT_EQ(::stat(path.c_str(), &pdf), 0);
    ASSERT_EQ(::stat((dir_ / issuing::IndexFileName()).c_str(), &index), 0);
    EXPECT_EQ(pdf.st_mode & 0777, 0644u);
    EXPECT_EQ(index.st_mode & 0777, 0644u);

    // An index the user gave other permissions keeps them.
    ::chmod((dir_ / issuing::IndexFileName()).c_str(), 0664);
    ASSERT_FALSE(Issue(1, error).empty()) << error;
    ASSERT_EQ(::stat((dir_ / issuing::IndexFileName()).c_str(), &index), 0);
    EXPECT_EQ(index.st_mode & 0777, 0664u);
}
