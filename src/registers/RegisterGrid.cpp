#include "RegisterGrid.h"

#include "Cp932.h"
#include "NumberText.h"

#include <algorithm>

namespace registers {

int LongestCellBytes(const TextGrid& grid, int col) {
    size_t longest = 0;
    for (int row = 1; row < grid.RowCount(); ++row) {
        longest = std::max(longest, grid.Cell(col, row).size());
    }
    return longest == 0 ? 7 : static_cast<int>(longest);
}

int FittedWidth(int pointSize, int bytes, int percent) {
    const long long exact = static_cast<long long>(pointSize) * bytes * percent;
    return static_cast<int>(exact / 100);
}

void FitColumnWidths(TextGrid& grid, int pointSize, int percent) {
    for (int col = 1; col < grid.ColCount(); ++col) {
        grid.SetColWidth(col, FittedWidth(pointSize, LongestCellBytes(grid, col), percent));
    }
}

void WidenToTexts(TextGrid& grid, const TextWidth& needed) {
    for (int col = 0; col < grid.ColCount(); ++col) {
        int width = grid.ColWidth(col);
        for (int row = 0; row < grid.RowCount(); ++row) {
            if (!grid.Cell(col, row).empty()) {
                width = std::max(width, needed(col, row));
            }
        }
        if (width != grid.ColWidth(col)) {
            grid.SetColWidth(col, width);
        }
    }
}

wordlist EntryNames(const TextGrid& grid, EntryAxis axis) {
    wordlist names;
    if (axis == EntryAxis::Columns) {
        for (int col = 1; col < grid.ColCount(); ++col) {
            names.push_back(grid.Cell(col, 1));
        }
    } else {
        for (int row = 1; row < grid.RowCount(); ++row) {
            names.push_back(grid.Cell(1, row));
        }
    }
    return names;
}

namespace {

// Whether `text` occurs in `item` starting at a character boundary. A match
// that starts on the second byte of a double-byte character (the trail byte
// of "ア" is "A") is no occurrence of the text.
bool ContainsText(const std::string& item, const std::string& text) {
    size_t boundary = 0;
    for (size_t pos = item.find(text); pos != std::string::npos; pos = item.find(text, pos + 1)) {
        while (boundary < pos) {
            boundary += cp932::IsLeadByte(static_cast<unsigned char>(item[boundary])) ? 2 : 1;
        }
        if (boundary == pos) {
            return true;
        }
    }
    return false;
}

} // namespace

std::optional<int> FindNameIndex(const wordlist& items, const std::string& text) {
    for (size_t i = 0; i < items.size(); ++i) {
        if (ContainsText(items[i], text)) {
            return static_cast<int>(i);
        }
    }
    return std::nullopt;
}

std::string SelectionStatus(int index) {
    return numtext::IntToStr(index) + S("を選択");
}

std::string CellPositionText(int col, int row) {
    return S("列:") + numtext::IntToStr(col) + S(" 行:") + numtext::IntToStr(row);
}

bool IsDataCell(const TextGrid& grid, int col, int row) {
    return col >= 1 && col < grid.ColCount() && row >= 1 && row < grid.RowCount();
}

std::string AdditionQuestion() {
    return S("データが編集されてます\n追加しますか");
}

} // namespace registers
