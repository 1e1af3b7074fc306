#include "TextGrid.h"

#include <algorithm>

namespace registers {

MemoryGrid::MemoryGrid(int cols, int rows, int defaultWidth)
    : cols_(0), rows_(std::max(rows, 0)), defaultWidth_(defaultWidth) {
    SetColCount(cols);
}

void MemoryGrid::SetColCount(int count) {
    cols_ = std::max(count, 0);
    cells_.resize(cols_, std::vector<std::string>(rows_));
    widths_.resize(cols_, defaultWidth_);
}

void MemoryGrid::SetRowCount(int count) {
    rows_ = std::max(count, 0);
    for (auto& column : cells_) {
        column.resize(rows_);
    }
}

bool MemoryGrid::Inside(int col, int row) const {
    return col >= 0 && col < cols_ && row >= 0 && row < rows_;
}

std::string MemoryGrid::Cell(int col, int row) const {
    return Inside(col, row) ? cells_[col][row] : std::string();
}

void MemoryGrid::SetCell(int col, int row, const std::string& text) {
    if (Inside(col, row)) {
        cells_[col][row] = text;
    }
}

int MemoryGrid::ColWidth(int col) const {
    return (col >= 0 && col < cols_) ? widths_[col] : 0;
}

void MemoryGrid::SetColWidth(int col, int width) {
    if (col >= 0 && col < cols_) {
        widths_[col] = width;
    }
}

} // namespace registers
