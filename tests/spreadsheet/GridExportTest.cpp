#include "GridExport.h"

#include "BiffTestUtil.h"
#include "Cp932.h"
#include "MemoryWindow.h"
#include "WindowTexts.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>

using bifftest::Records;
using bifftest::SheetCells;
using bifftest::TempDir;
using bifftest::U16;
using spreadsheet::Answer;

namespace {

spreadsheet::ConfirmFn Answering(Answer answer, std::vector<std::string>* asked) {
    return [answer, asked](const std::string& message) {
        asked->push_back(message);
        return answer;
    };
}

MemoryWindow StartupGrid() {
    MemoryWindow window;
    window.ApplyStartupTexts(wintext::DateText(2007, 7, 5));
    return window;
}

} // namespace

TEST(GridExport, GridLandsFromB8WithTitlesLineNumbersAndValues) {
    TempDir dir;
    std::string path = dir.File("grid.xls");
    MemoryWindow window = StartupGrid();
    window.SetTaxMode(1);
    window.SetCell(col::Amount, 0, wintext::AmountTitle(1));
    window.SetCell(col::Name, 1, S("りんご"));
    window.SetCell(col::Quantity, 1, "2.5");
    window.SetCell(col::UnitPrice, 1, "120");
    window.SetCell(col::Amount, 1, "300");
    window.SetCell(col::Remarks, 1, " ");  // one space: skipped
    window.SetCell(col::Remarks, 2, "  "); // two spaces: a text cell

    std::vector<std::string> asked;
    ASSERT_TRUE(spreadsheet::ExportGridToXls(path, window, Answering(Answer::Yes, &asked)));
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0], spreadsheet::ExportQuestion());

    std::string bytes = bifftest::ReadFile(path);
    auto records = Records(bytes);
    ASSERT_GE(records.size(), 3u);
    ASSERT_EQ(records[2].number, 0x0000u);   // DIMENSIONS after BOF and CODEPAGE
    EXPECT_EQ(U16(records[2].data, 2), 30u); // (21 + 7) + 2
    EXPECT_EQ(U16(records[2].data, 6), 11u); // (8 + 1) + 2

    auto cells = SheetCells(bytes);
    auto at = [&cells](unsigned row, unsigned column) {
        return bifftest::CellAt(cells, row, column);
    };
    for (int c = 1; c < col::Count; ++c) {
        EXPECT_EQ(at(7, c + 1).record, 4u);
        EXPECT_EQ(at(7, c + 1).value, window.Cell(c, 0));
    }
    EXPECT_EQ(at(7, 7).value, S("税込み金額"));
    EXPECT_EQ(at(7, 1).record, 0u); // the empty corner cell
    for (int r = 1; r <= 20; ++r) {
        EXPECT_EQ(at(r + 7, 1).record, 2u);
        EXPECT_EQ(at(r + 7, 1).value, std::to_string(r));
    }
    EXPECT_EQ(at(8, 2).value, S("りんご"));
    EXPECT_EQ(at(8, 4).record, 3u);
    EXPECT_EQ(at(8, 4).value, "2.500000");
    EXPECT_EQ(at(8, 6).record, 2u);
    EXPECT_EQ(at(8, 7).value, "300");
    EXPECT_EQ(at(8, 8).record, 0u);
    EXPECT_EQ(at(9, 8).record, 4u);
    EXPECT_EQ(at(9, 8).value, "  ");
    // 7 titles + 20 line numbers + 4 values in row 1 + the two spaces.
    EXPECT_EQ(cells.size(), 32u);
    // Nothing on the window changed.
    EXPECT_EQ(window.Cell(col::Remarks, 1), " ");
    EXPECT_TRUE(window.Messages().empty());
}

TEST(GridExport, EmptyGridStillWritesTheFixedRecords) {
    TempDir dir;
    std::string path = dir.File("empty.xls");
    MemoryWindow window; // every cell empty
    std::vector<std::string> asked;
    ASSERT_TRUE(spreadsheet::ExportGridToXls(path, window, Answering(Answer::Yes, &asked)));
    // The bare 120 bytes with CODEPAGE (6) and the default XF (8).
    EXPECT_EQ(bifftest::ReadFile(path).size(), 134u);
}

TEST(GridExport, OnlyLowerCaseXlsNamesAreExportedAndNothingIsAskedOtherwise) {
    TempDir dir;
    MemoryWindow window = StartupGrid();
    std::vector<std::string> asked;
    for (const char* name : {"a.XLS", "a.xlsx", "a.Xls", "a", "a.xls.txt", "xls", "a.xls/"}) {
        std::string path = dir.File(name);
        EXPECT_FALSE(spreadsheet::ExportGridToXls(path, window, Answering(Answer::Yes, &asked)))
            << name;
        EXPECT_FALSE(std::filesystem::exists(path)) << name;
    }
    EXPECT_TRUE(asked.empty());
    EXPECT_TRUE(spreadsheet::HasXlsExtension(".xls"));
    EXPECT_FALSE(spreadsheet::HasXlsExtension("folder.xls/note"));
}

TEST(GridExport, NoOrCancelWritesNoFile) {
    TempDir dir;
    MemoryWindow window = StartupGrid();
    for (Answer answer : {Answer::No, Answer::Cancel}) {
        std::vector<std::string> asked;
        std::string path = dir.File("declined.xls");
        EXPECT_FALSE(spreadsheet::ExportGridToXls(path, window, Answering(answer, &asked)));
        EXPECT_EQ(asked.size(), 1u);
        EXPECT_FALSE(std::filesystem::exists(path));
    }
}

TEST(GridExport, QuestionTextIsTheFiveLineWarning) {
    EXPECT_EQ(cp932::ToUtf8(spreadsheet::ExportQuestion()),
              "表のExcelファイル書きだしとしてお使い下さい\n計算式を含んでいません\n"
              "セルの内容を確認の上お使いください\n続行するならば[はい]をクリック\n"
              "やめる場合は[いいえ]をクリックしてください");
}
