#include "CellClipboard.h"

#include "Cp932.h"
#include "MemoryWindow.h"

#include <gtest/gtest.h>

using editing::CellRect;
using editing::MemoryClipboard;

namespace {

MemoryWindow Grid() {
    MemoryWindow window;
    window.ApplyStartupTexts("2007");
    return window;
}

// Every cell text of the grid, row by row.
std::vector<std::string> AllCells(const MemoryWindow& window) {
    std::vector<std::string> cells;
    for (int r = 0; r < window.RowCount(); ++r) {
        for (int c = 0; c < window.ColCount(); ++c) {
            cells.push_back(window.Cell(c, r));
        }
    }
    return cells;
}

} // namespace

TEST(CellClipboard, CopyPutsTheSelectionOnTheClipboardAndLeavesTheGrid) {
    MemoryWindow window = Grid();
    window.SetCell(1, 1, "a");
    window.SetCell(2, 1, "b");
    window.SetCell(1, 2, "c");
    window.SetCell(2, 2, "d");
    auto before = AllCells(window);
    MemoryClipboard clipboard;
    clipboard.SetText("old");

    editing::CopyCells(window, CellRect{1, 1, 2, 2}, clipboard);
    EXPECT_TRUE(clipboard.HasText());
    EXPECT_EQ(clipboard.Text(), "a,b\r\nc,d\r\n");
    EXPECT_EQ(AllCells(window), before);

    editing::CopyCells(window, CellRect{3, 3, 3, 3}, clipboard);
    EXPECT_EQ(clipboard.Text(), "\"\"\r\n");
    editing::CopyCells(window, CellRect{3, 3, 4, 3}, clipboard);
    EXPECT_EQ(clipboard.Text(), ",\r\n");
}

TEST(CellClipboard, QuotedCellsPasteBackToTheSameTexts) {
    MemoryWindow window = Grid();
    window.SetCell(1, 1, "red apple");
    window.SetCell(2, 1, "1,234");
    window.SetCell(3, 1, "say \"hi\"");
    window.SetCell(7, 1, S("株式会社"));
    MemoryClipboard clipboard;
    editing::CopyCells(window, CellRect{1, 1, 7, 1}, clipboard);
    EXPECT_EQ(clipboard.Text(),
              "\"red apple\",\"1,234\",\"say \"\"hi\"\"\",,,," + S("株式会社") + "\r\n");

    editing::PasteCells(window, CellRect{1, 5, 1, 5}, clipboard);
    for (int c = 1; c <= 7; ++c) {
        EXPECT_EQ(window.Cell(c, 5), window.Cell(c, 1)) << c;
    }
}

TEST(CellClipboard, CutEmptiesTheSelectionAndLeavesTotalsAlone) {
    MemoryWindow window = Grid();
    window.SetCell(3, 1, "2");
    window.SetCell(5, 1, "150");
    window.SetCell(6, 1, "300");
    window.SetCell(6, 2, "50");
    window.SetField(field::AmountTotal, "350");
    window.SetField(field::QuantityTotal, "2");
    window.SetField(field::Tax, "17");
    MemoryClipboard clipboard;

    editing::CutCells(window, CellRect{5, 1, 6, 2}, clipboard);
    EXPECT_EQ(clipboard.Text(), "150,300\r\n,50\r\n");
    EXPECT_EQ(window.Cell(5, 1), "");
    EXPECT_EQ(window.Cell(6, 1), "");
    EXPECT_EQ(window.Cell(6, 2), "");
    EXPECT_EQ(window.Cell(3, 1), "2");
    EXPECT_EQ(window.Field(field::AmountTotal), "350");
    EXPECT_EQ(window.Field(field::QuantityTotal), "2");
    EXPECT_EQ(window.Field(field::Tax), "17");
    EXPECT_TRUE(window.Messages().empty());
}

TEST(CellClipboard, PasteIsClippedAtTheLastColumnAndRow) {
    MemoryWindow window = Grid();
    MemoryClipboard clipboard;
    clipboard.SetText("a,b,c\r\n");
    auto before = AllCells(window);
    editing::PasteCells(window, CellRect{7, 3, 7, 3}, clipboard);
    EXPECT_EQ(window.Cell(7, 3), "a");
    window.SetCell(7, 3, before[3 * 8 + 7]);
    EXPECT_EQ(AllCells(window), before); // b and c went nowhere

    clipboard.SetText("x\r\ny\r\nz\r\n");
    editing::PasteCells(window, CellRect{2, 20, 2, 20}, clipboard);
    EXPECT_EQ(window.Cell(2, 20), "x");
    window.SetCell(2, 20, before[20 * 8 + 2]);
    EXPECT_EQ(AllCells(window), before);
}

TEST(CellClipboard, PasteTakesTabSeparatedTextAndKeepsUnaddressedCells) {
    MemoryWindow window = Grid();
    window.SetCell(3, 2, "keep");
    window.SetCell(1, 3, "keep too");
    window.SetCell(2, 5, "emptied");
    MemoryClipboard clipboard;
    // As spreadsheet programs copy cells: a tab between cells, nothing else.
    clipboard.SetText(S("品物 大") + "\t2\r\n\"nut M6\"\t1,5\r\n\r\nwasher\np\t\tq\n");
    editing::PasteCells(window, CellRect{1, 1, 1, 1}, clipboard);
    EXPECT_EQ(window.Cell(1, 1), S("品物 大"));
    EXPECT_EQ(window.Cell(2, 1), "2");
    EXPECT_EQ(window.Cell(1, 2), "\"nut M6\"");
    EXPECT_EQ(window.Cell(2, 2), "1,5");
    EXPECT_EQ(window.Cell(3, 2), "keep");
    EXPECT_EQ(window.Cell(1, 3), "keep too"); // the empty line addresses no cell
    EXPECT_EQ(window.Cell(1, 4), "washer");
    // The empty cell between two tabs is pasted, so q lands in its column.
    EXPECT_EQ(window.Cell(1, 5), "p");
    EXPECT_EQ(window.Cell(2, 5), "");
    EXPECT_EQ(window.Cell(3, 5), "q");
}

TEST(CellClipboard, HugeClipboardPastesOnlyWhatLandsInTheGrid) {
    MemoryWindow window = Grid();
    MemoryClipboard clipboard;
    // 10 MB in one line without a separator: one cell.
    clipboard.SetText(std::string(10'000'000, 'x') + "\r\n");
    editing::PasteCells(window, CellRect{7, 1, 7, 1}, clipboard);
    EXPECT_EQ(window.Cell(7, 1).size(), 10'000'000u);
    // Lines and fields beyond the grid are dropped, in either form.
    std::string many;
    for (int k = 0; k < 100'000; ++k) {
        many += std::to_string(k) + (k % 2 == 0 ? ",a,b,c,d,e,f,g,h\r\n" : "\ta\tb\tc\td\n");
    }
    clipboard.SetText(many);
    editing::PasteCells(window, CellRect{5, 19, 5, 19}, clipboard);
    EXPECT_EQ(window.Cell(5, 19), "0");
    EXPECT_EQ(window.Cell(7, 19), "b");
    EXPECT_EQ(window.Cell(5, 20), "1");
    EXPECT_EQ(window.Cell(7, 20), "b");
}

TEST(CellClipboard, PasteWithoutTextOnTheClipboardDoesNothing) {
    MemoryWindow window = Grid();
    window.SetCell(1, 1, "a");
    auto before = AllCells(window);
    MemoryClipboard clipboard;
    editing::PasteCells(window, CellRect{1, 1, 2, 2}, clipboard);
    EXPECT_EQ(AllCells(window), before);
}

TEST(CellClipboard, DataCellsExcludeTitlesRowNumbersAndOutside) {
    MemoryWindow window = Grid();
    EXPECT_TRUE(editing::IsDataCell(window, 1, 1));
    EXPECT_TRUE(editing::IsDataCell(window, 7, 20));
    EXPECT_FALSE(editing::IsDataCell(window, 0, 5));
    EXPECT_FALSE(editing::IsDataCell(window, 3, 0));
    EXPECT_FALSE(editing::IsDataCell(window, 8, 5));
    EXPECT_FALSE(editing::IsDataCell(window, 3, 21));
    EXPECT_FALSE(editing::IsDataCell(window, -1, -1));
}

TEST(CellClipboard, TitlesAndRowNumbersAreNeverOverwritten) {
    MemoryWindow window = Grid();
    window.SetCell(1, 1, "a");
    auto before = AllCells(window);
    MemoryClipboard clipboard;

    // A selection in the fixed corner (as at start-up): copy works, cut
    // empties only data cells, paste writes nothing.
    editing::CutCells(window, CellRect{0, 0, 1, 1}, clipboard);
    EXPECT_EQ(clipboard.Text(), "," + S("名称") + "\r\n1,a\r\n");
    EXPECT_EQ(window.Cell(1, 0), S("名称"));
    EXPECT_EQ(window.Cell(0, 1), "1");
    EXPECT_EQ(window.Cell(1, 1), "");

    window.SetCell(1, 1, "a");
    clipboard.SetText("x,y\r\nz,w\r\n");
    editing::PasteCells(window, CellRect{0, 0, 0, 0}, clipboard);
    editing::PasteCells(window, CellRect{1, 0, 1, 0}, clipboard);
    editing::PasteCells(window, CellRect{0, 1, 0, 1}, clipboard);
    EXPECT_EQ(AllCells(window), before);
}
