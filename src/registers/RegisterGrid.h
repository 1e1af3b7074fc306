// What the issuer and customer registers share: column widths from byte
// lengths, the name list offered by the name box, the name search, and the
// texts the dialogs show for a selection and a clicked cell.
#pragma once

#include "Basedata.h"
#include "TextGrid.h"

#include <functional>
#include <optional>
#include <string>

namespace registers {

// Whether one register entry is a grid column (issuers) or a grid row
// (customers).
enum class EntryAxis { Columns, Rows };

// Width factors in percent: issuer grid 0.7, customer grid 0.72.
constexpr int IssuerWidthPercent = 70;
constexpr int CustomerWidthPercent = 72;

// Largest byte length of the texts in rows 1 to the last of `col`; 7 when
// they are all empty (or there are no such rows).
int LongestCellBytes(const TextGrid& grid, int col);

// pointSize * bytes * percent / 100, truncated toward zero, computed exactly.
int FittedWidth(int pointSize, int bytes, int percent);

// Sizes every data column (1 to the last) from LongestCellBytes; column 0
// keeps its width.
void FitColumnWidths(TextGrid& grid, int pointSize, int percent);

// The pixels the text of cell (col, row) needs to be seen whole.
using TextWidth = std::function<int(int col, int row)>;

// Widens every column, column 0 too, to what its widest text needs, the
// title row and title column included. No column becomes narrower: the
// widths from byte lengths are the floor.
void WidenToTexts(TextGrid& grid, const TextWidth& needed);

// The name of every entry line in grid order, empty names included: row 1
// of each data column, or column 1 of each data row.
wordlist EntryNames(const TextGrid& grid, EntryAxis axis);

// The smallest index of an item that contains `text` as a contiguous byte
// sequence starting at a character boundary; an empty text matches item 0
// when there is one. Nothing when no item contains it.
std::optional<int> FindNameIndex(const wordlist& items, const std::string& text);

// "0を選択" for index 0.
std::string SelectionStatus(int index);

// "列:2 行:5" for column 2, row 5.
std::string CellPositionText(int col, int row);

// 1 <= col < column count and 1 <= row < row count.
bool IsDataCell(const TextGrid& grid, int col, int row);

// "データが編集されてます\n追加しますか"
std::string AdditionQuestion();

// Asks the addition question; true for Yes.
using AskAddition = std::function<bool()>;

} // namespace registers
