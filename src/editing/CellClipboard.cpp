#include "CellClipboard.h"

#include "ClipboardText.h"

#include <algorithm>
#include <vector>

namespace editing {

namespace {

// The selection's texts row by row; each cell read is emptied in `cutFrom`
// when one is given.
std::vector<std::vector<std::string>> TakeCells(NoteWindow* cutFrom, const NoteWindow& grid,
                                                const CellRect& selection) {
    std::vector<std::vector<std::string>> rows;
    for (int row = selection.Top; row <= selection.Bottom; ++row) {
        std::vector<std::string> cells;
        for (int col = selection.Left; col <= selection.Right; ++col) {
            cells.push_back(grid.Cell(col, row));
            if (cutFrom != nullptr && IsDataCell(grid, col, row)) {
                cutFrom->SetCell(col, row, std::string());
            }
        }
        rows.push_back(std::move(cells));
    }
    return rows;
}

} // namespace

bool IsDataCell(const NoteWindow& grid, int col, int row) {
    return col >= 1 && col < grid.ColCount() && row >= 1 && row < grid.RowCount();
}

std::string SelectionText(const NoteWindow& grid, const CellRect& selection) {
    return FormatClipboardText(TakeCells(nullptr, grid, selection));
}

void CopyCells(const NoteWindow& grid, const CellRect& selection, ClipboardPort& clipboard) {
    std::string text = SelectionText(grid, selection);
    clipboard.Clear();
    clipboard.SetText(text);
}

void CutCells(NoteWindow& grid, const CellRect& selection, ClipboardPort& clipboard) {
    std::string text = FormatClipboardText(TakeCells(&grid, grid, selection));
    clipboard.Clear();
    clipboard.SetText(text);
}

void PasteText(NoteWindow& grid, const CellRect& selection, const std::string& text) {
    if (!IsDataCell(grid, selection.Left, selection.Top)) {
        return; // titles and row numbers are never overwritten
    }
    // Only the lines and fields that land in the grid are read.
    ClipboardLines lines(text);
    std::string_view line;
    for (int row = selection.Top; row < grid.RowCount() && lines.Next(line); ++row) {
        const auto room = static_cast<std::size_t>(grid.ColCount() - selection.Left);
        const std::vector<std::string> fields = SplitClipboardFields(line, room);
        for (std::size_t i = 0; i < fields.size(); ++i) {
            grid.SetCell(selection.Left + static_cast<int>(i), row, fields[i]);
        }
    }
}

void PasteCells(NoteWindow& grid, const CellRect& selection, const ClipboardPort& clipboard) {
    if (!clipboard.HasText()) {
        return;
    }
    const int rows = grid.RowCount() - selection.Top;
    PasteText(grid, selection, clipboard.LeadingLines(static_cast<std::size_t>(std::max(rows, 0))));
}

} // namespace editing
