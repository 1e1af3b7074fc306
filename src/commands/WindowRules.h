// Rules of the main window's controls that need no widgets: the tax-mode
// selector's matching and what a click on the line grid does.
#pragma once

#include "NoteWindow.h"

#include <string>
#include <vector>

namespace commands {

// The tax mode chosen by the selector's text: the first item that contains
// the text, byte by byte in code page 932 (an empty text is in every item,
// so it selects 0). A text that no item contains keeps `current`.
int MatchTaxMode(const std::vector<std::string>& items, const std::string& text, int current);

// The context menu a data column of the grid shows.
enum class ColumnMenu { Name, SpecOrRemarks, Unit, Other };
ColumnMenu MenuForColumn(int col);

// True for a cell the cell editor field writes through to: a data column
// and a data row.
bool IsEditorCell(const NoteWindow& window, int col, int row);

// A click on grid cell (col, row). Outside the data columns nothing
// happens and false is returned. Otherwise, on a data row, the cell
// position field shows "列:c 行:r" and the cell editor field the cell's
// text; the note is recalculated and true is returned (the window then
// shows the column's menu).
bool ClickGridCell(NoteWindow& window, int col, int row);

} // namespace commands
