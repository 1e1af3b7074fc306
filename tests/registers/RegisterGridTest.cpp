#include "RegisterGrid.h"

#include "Cp932.h"

#include <gtest/gtest.h>

using namespace registers;

TEST(RegisterGrid, LongestCellBytesCountsCp932BytesBelowTheTitleRow) {
    MemoryGrid grid(3, 4);
    grid.SetCell(1, 0, "a title row that is never counted");
    grid.SetCell(1, 1, S("山田")); // 4 bytes
    grid.SetCell(1, 3, "abcde");   // 5 bytes
    EXPECT_EQ(LongestCellBytes(grid, 1), 5);
    grid.SetCell(1, 2, S("株式会社"));
    EXPECT_EQ(LongestCellBytes(grid, 1), 8);
    EXPECT_EQ(LongestCellBytes(grid, 2), 7) << "an empty column counts as 7 bytes";
    EXPECT_EQ(LongestCellBytes(MemoryGrid(2, 1), 1), 7) << "no data rows at all";
}

TEST(RegisterGrid, FittedWidthIsTruncatedExactly) {
    EXPECT_EQ(FittedWidth(9, 7, IssuerWidthPercent), 44);     // 44.1
    EXPECT_EQ(FittedWidth(9, 10, IssuerWidthPercent), 63);    // exactly 63, not 62.99..
    EXPECT_EQ(FittedWidth(9, 7, CustomerWidthPercent), 45);   // 45.36
    EXPECT_EQ(FittedWidth(9, 25, CustomerWidthPercent), 162); // exactly 162
}

TEST(RegisterGrid, FitColumnWidthsLeavesColumnZero) {
    MemoryGrid grid(3, 3, 64);
    grid.SetColWidth(0, 80);
    grid.SetCell(0, 1, "a long title in the fixed column");
    grid.SetCell(1, 1, "1234567890");
    FitColumnWidths(grid, 9, IssuerWidthPercent);
    EXPECT_EQ(grid.ColWidth(0), 80);
    EXPECT_EQ(grid.ColWidth(1), 63);
    EXPECT_EQ(grid.ColWidth(2), 44);
}

// The byte-length widths are a floor; a text that needs more room, in any
// row or in the title column, widens its column.
TEST(RegisterGrid, WidenToTextsMakesRoomForEveryTextButNeverNarrows) {
    MemoryGrid grid(4, 3, 64);
    grid.SetColWidth(0, 80);
    grid.SetCell(0, 2, S("所有者管理番号"));
    grid.SetCell(1, 0, S("郵便番号")); // a title in row 0
    grid.SetCell(2, 1, "short");
    grid.SetCell(3, 2, "wide");
    const auto tenPerByte = [&grid](int col, int row) {
        return static_cast<int>(grid.Cell(col, row).size()) * 10;
    };
    WidenToTexts(grid, tenPerByte);
    EXPECT_EQ(grid.ColWidth(0), 140) << "the title column too";
    EXPECT_EQ(grid.ColWidth(1), 80) << "row 0 counts";
    EXPECT_EQ(grid.ColWidth(2), 64) << "never narrower than the floor";
    EXPECT_EQ(grid.ColWidth(3), 64);
    grid.SetCell(3, 1, "a much longer text");
    WidenToTexts(grid, tenPerByte);
    EXPECT_EQ(grid.ColWidth(3), 180);
}

TEST(RegisterGrid, EntryNamesFollowTheEntryAxis) {
    MemoryGrid grid(4, 3);
    grid.SetCell(1, 1, "A");
    grid.SetCell(3, 1, "C");
    grid.SetCell(1, 2, "row2");
    EXPECT_EQ(EntryNames(grid, EntryAxis::Columns), (wordlist{"A", "", "C"}));
    EXPECT_EQ(EntryNames(grid, EntryAxis::Rows), (wordlist{"A", "row2"}));
}

TEST(RegisterGrid, FindNameIndexTakesTheFirstItemContainingTheText) {
    const wordlist items{"ABC", "B", ""};
    EXPECT_EQ(FindNameIndex(items, "B"), 0) << "ABC contains B and comes first";
    EXPECT_EQ(FindNameIndex(items, "ABC"), 0);
    EXPECT_EQ(FindNameIndex(items, ""), 0);
    EXPECT_EQ(FindNameIndex(items, "X"), std::nullopt);
    EXPECT_EQ(FindNameIndex({}, ""), std::nullopt);
    EXPECT_EQ(FindNameIndex({S("田中"), S("山田商店")}, S("山田")), 1);
}

TEST(RegisterGrid, FindNameIndexIgnoresMatchesInsideADoubleByteCharacter) {
    // "ア" is 0x83 0x41: its second byte is the letter A.
    EXPECT_EQ(FindNameIndex({S("アイ"), "ABC"}, "A"), 1);
    EXPECT_EQ(FindNameIndex({S("アイ"), "xA"}, "A"), 1);
    EXPECT_EQ(FindNameIndex({S("アA")}, "A"), 0) << "a later real occurrence still counts";
    EXPECT_EQ(FindNameIndex({S("アイ")}, "A"), std::nullopt);
}

TEST(RegisterGrid, StatusAndPositionTexts) {
    EXPECT_EQ(SelectionStatus(0), S("0を選択"));
    EXPECT_EQ(SelectionStatus(12), S("12を選択"));
    EXPECT_EQ(CellPositionText(2, 5), S("列:2 行:5"));
    EXPECT_EQ(AdditionQuestion(), S("データが編集されてます") + "\n" + S("追加しますか"));
}

TEST(RegisterGrid, DataCellsExcludeTheFixedLinesAndTheOutside) {
    MemoryGrid grid(3, 4);
    EXPECT_TRUE(IsDataCell(grid, 1, 1));
    EXPECT_TRUE(IsDataCell(grid, 2, 3));
    EXPECT_FALSE(IsDataCell(grid, 0, 1));
    EXPECT_FALSE(IsDataCell(grid, 1, 0));
    EXPECT_FALSE(IsDataCell(grid, 3, 1));
    EXPECT_FALSE(IsDataCell(grid, 1, 4));
}

TEST(MemoryGrid, ResizingKeepsTextsAndIgnoresWritesOutside) {
    MemoryGrid grid(2, 2, 50);
    grid.SetCell(1, 1, "x");
    grid.SetCell(5, 5, "ignored");
    grid.SetColCount(4);
    grid.SetRowCount(3);
    EXPECT_EQ(grid.Cell(1, 1), "x");
    EXPECT_EQ(grid.Cell(3, 2), "");
    EXPECT_EQ(grid.ColWidth(3), 50);
    EXPECT_EQ(grid.Cell(5, 5), "");
    grid.SetColCount(1);
    EXPECT_EQ(grid.Cell(1, 1), "");
    EXPECT_EQ(grid.ColWidth(1), 0);
}
