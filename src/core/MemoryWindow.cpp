#include "MemoryWindow.h"

#include "Cp932.h"
#include "NumberText.h"
#include "WindowTexts.h"

MemoryWindow::MemoryWindow(int cols, int rows)
    : cols_(cols), rows_(rows), cells_(static_cast<size_t>(cols * rows)), fields_(field::Last + 1) {
}

std::string MemoryWindow::Cell(int col, int row) const {
    if (col < 0 || col >= cols_ || row < 0 || row >= rows_) {
        return std::string();
    }
    return cells_[static_cast<size_t>(row * cols_ + col)];
}

void MemoryWindow::SetCell(int col, int row, const std::string& text) {
    if (col < 0 || col >= cols_ || row < 0 || row >= rows_) {
        return;
    }
    cells_[static_cast<size_t>(row * cols_ + col)] = text;
}

std::string MemoryWindow::Field(int number) const {
    if (number < 1 || number > field::Last) {
        return std::string();
    }
    return fields_[static_cast<size_t>(number)];
}

void MemoryWindow::SetField(int number, const std::string& text) {
    if (number < 1 || number > field::Last) {
        return;
    }
    fields_[static_cast<size_t>(number)] = text;
}

void MemoryWindow::ShowMessage(const std::string& caption, const std::string& text) {
    messages_.emplace_back(caption, text);
}

void MemoryWindow::ApplyStartupTexts(const std::string& today) {
    wintext::ApplyStartupFields(*this, today);
    wintext::WriteGridHeadings(*this);
    taxMode_ = 0;
}
