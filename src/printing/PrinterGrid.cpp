#include "PrinterGrid.h"

#include "Cp932.h"
#include "PrintTexts.h"

#include <algorithm>
#include <stdexcept>

using namespace printing;

namespace {

// Column widths in millimetres; the first boundary is the left limit.
constexpr int kColumnWidthsMm[] = {0, 50, 15, 14, 11, 21, 34, 20};

// Heights of the title row and of every further row, and the widths of the
// thick and thin rules, in units of a 600-dpi device.
constexpr int kTitleRowHeight = 150;
constexpr int kRowHeight = 200;
constexpr int kThickRule = 6;
constexpr int kThinRule = 1;

constexpr int kTitlePoints = 10;
constexpr int kTitleOffsetPoints = 8;
constexpr int kItemPoints = 14;
constexpr int kItemOffsetPoints = 10;
constexpr int kTotalsPoints = 15;

int Length(const std::string& text) {
    return static_cast<int>(text.size());
}

bool IsGrouped(int column) {
    return column == 2 || column == 4 || column == 5;
}
bool IsLeftAligned(int column) {
    return column == 0 || column == 6;
}

} // namespace

void PRINTERGRID::Attach(PrinterSurface&, PRINTERSTATUS& status, const NoteWindow& source) {
    status_ = &status;
    source_ = &source;
}

void PRINTERGRID::PrintGrid(PrinterSurface& device, const std::vector<std::string>& totals) {
    if (status_ == nullptr || source_ == nullptr) {
        throw std::logic_error("PRINTERGRID::PrintGrid before Attach");
    }
    LayoutRows();
    LayoutColumns();
    PrintCells(device, totals);
    DrawRowRules(device);
    DrawColumnRules(device);
    DrawNameDividers(device);
}

void PRINTERGRID::LayoutRows() {
    rowBoundaries.clear();
    overflowFlags.clear();
    int y = status_->cursor;
    rowBoundaries.push_back(y);
    y += status_->FromReferenceUnits(kTitleRowHeight);
    rowBoundaries.push_back(y);
    const int rowHeight = status_->FromReferenceUnits(kRowHeight);
    for (int i = 2; i <= kRows; ++i) {
        y += rowHeight;
        rowBoundaries.push_back(y);
    }
    overflowFlags.assign(kRows + 1, 0);
}

void PRINTERGRID::LayoutColumns() {
    columnBoundaries.clear();
    int x = status_->leftLimit;
    for (int width : kColumnWidthsMm) {
        x += status_->MmToDevice(width);
        columnBoundaries.push_back(x);
    }
    if (columnBoundaries.back() > status_->rightLimit) {
        columnBoundaries.back() = status_->rightLimit;
    }
}

std::string PRINTERGRID::SourceCell(int printColumn, int row) const {
    const int column = printColumn + 1;
    if (column >= source_->ColCount() || row >= source_->RowCount()) {
        return std::string();
    }
    return source_->Cell(column, row);
}

PRINTERGRID::Placement PRINTERGRID::RightAligned(int left, int edge, int margin,
                                                 const std::string& text, int averageWidth) {
    // The text ends one average width before edge + margin; it should start
    // no further left than left + margin.
    const int end = edge + margin - averageWidth;
    const int length = Length(text);
    if (length == 0 || end - length * averageWidth >= left + margin) {
        return Placement{end - length * averageWidth, 0};
    }
    const int narrow = std::max(1, (end - left - margin) / length);
    return Placement{end - length * narrow, narrow};
}

PRINTERGRID::Placement PRINTERGRID::CellPlacement(int column, int row, const std::string& text,
                                                  int averageWidth) const {
    const std::vector<int>& b = columnBoundaries;
    const size_t c = static_cast<size_t>(column);
    const int half = averageWidth / 2;
    if (row == 0) {
        return Placement{b[c] + (b[c + 1] - b[c] - Length(text) * averageWidth) / 2, 0};
    }
    if (column <= 1) {
        // A name or specification wider than its column runs on over the
        // divider, which is then left out.
        const int x = IsLeftAligned(column) ? b[c] + half
                                            : b[c + 1] + half - (Length(text) + 1) * averageWidth;
        return Placement{x, 0};
    }
    if (IsLeftAligned(column)) {
        // Laid out as right-aligned for its width, then started at the left.
        Placement fit = RightAligned(b[c], b[c + 1], half, text, averageWidth);
        return Placement{b[c] + half, fit.narrowWidth};
    }
    return RightAligned(b[c], b[c + 1], half, text, averageWidth);
}

void PRINTERGRID::PrintPlaced(PrinterSurface& device, const std::string& text,
                              const Placement& place, int y, const PrintFont& font) {
    const int spacing = device.Metrics().height - 1;
    if (place.narrowWidth > 0) {
        PrintFont narrow = font;
        narrow.width = place.narrowWidth;
        device.SelectFont(narrow);
    }
    // Further lines of a cell stand one line height apart.
    PrintTextLines(device, text, place.x, y, spacing);
    if (place.narrowWidth > 0) {
        device.SelectFont(font);
    }
}

int PRINTERGRID::TextTop(int row, int offset, int characterHeight) const {
    // The title and item fonts just fit their rows below the offset; the
    // larger totals font would run through the table's bottom rule, so a
    // text is lifted until its characters end at the row's bottom.
    const size_t r = static_cast<size_t>(row);
    return std::min(rowBoundaries[r] + offset, rowBoundaries[r + 1] - characterHeight);
}

void PRINTERGRID::PrintCells(PrinterSurface& device, const std::vector<std::string>& totals) {
    for (int row = 0; row < kRows; ++row) {
        const bool title = row == 0;
        const int points = title ? kTitlePoints : kItemPoints;
        const PrintFont font = CreatePrintFont(device, PrintFace(), points, 0);
        device.SelectFont(font);
        const int offset =
            MulDiv(title ? kTitleOffsetPoints : kItemOffsetPoints, device.VerticalDpi(), 72);
        const int a = device.Metrics().averageWidth;
        if (row == kTotalsRow) {
            const int em = MulDiv(kTotalsPoints, device.VerticalDpi(), 72);
            PrintTotalsRow(device, totals, TextTop(row, offset, em), a);
            continue;
        }
        const int y = TextTop(row, offset, MulDiv(points, device.VerticalDpi(), 72));
        for (int column = 0; column < kColumns; ++column) {
            std::string text = SourceCell(column, row);
            if (!title && IsGrouped(column)) {
                text = GroupDigits(text, 3, ',');
            }
            PrintPlaced(device, text, CellPlacement(column, row, text, a), y, font);
            const size_t c = static_cast<size_t>(column);
            if (column <= 1 &&
                columnBoundaries[c + 1] - columnBoundaries[c] < (Length(text) + 1) * a) {
                overflowFlags[static_cast<size_t>(row)] = 1;
            }
        }
    }
}

void PRINTERGRID::PrintTotalsRow(PrinterSurface& device, const std::vector<std::string>& totals,
                                 int y, int itemAverageWidth) {
    const std::vector<int>& b = columnBoundaries;
    const int half = itemAverageWidth / 2;
    for (size_t i = 0; i < 3; ++i) {
        const PrintFont font = CreatePrintFont(device, PrintFace(), kTotalsPoints, 0);
        device.SelectFont(font);
        const int a15 = device.Metrics().averageWidth;
        std::string text = i < totals.size() ? totals[i] : std::string();
        Placement place;
        if (i == 0) {
            place.x = b[0] + (b[1] - b[0] - Length(text) * a15) / 2;
        } else if (i == 1) {
            place = RightAligned(b[2], b[3], half, text, a15);
        } else {
            text = YenAmount(text);
            place = RightAligned(b[5], b[6], half, text, a15);
        }
        PrintPlaced(device, text, place, y, font);
    }
}

int PRINTERGRID::PrintTextLines(PrinterSurface& device, const std::string& text, int x, int y,
                                int spacing) {
    std::string rest = text;
    std::string line = FirstLineOf(rest);
    if (!line.empty()) {
        device.DrawText(x, y, line);
    }
    while (rest.find('\n') != std::string::npos) {
        rest = TextAfterFirstLine(rest);
        y += spacing + 1;
        line = FirstLineOf(rest);
        if (!line.empty()) {
            device.DrawText(x, y, line);
        }
    }
    return y;
}

void PRINTERGRID::DrawRowRules(PrinterSurface& device) {
    const int thick = status_->FromReferenceUnits(kThickRule);
    const int thin = status_->FromReferenceUnits(kThinRule);
    for (int i = 0; i <= kRows; ++i) {
        const bool isThick = i == 0 || i == 1 || i == kTotalsRow || i == kRows;
        status_->DrawHorizontalRule(device, columnBoundaries.front(), columnBoundaries.back(),
                                    rowBoundaries[static_cast<size_t>(i)], isThick ? thick : thin);
    }
}

void PRINTERGRID::DrawColumnRules(PrinterSurface& device) {
    const int thick = status_->FromReferenceUnits(kThickRule);
    const int thin = status_->FromReferenceUnits(kThinRule);
    const int last = static_cast<int>(columnBoundaries.size()) - 1;
    for (int j = 0; j <= last; ++j) {
        if (j == 1) {
            continue;
        }
        const bool isThick = j == 0 || j == last;
        status_->DrawVerticalRule(device, rowBoundaries.front(), rowBoundaries.back(),
                                  columnBoundaries[static_cast<size_t>(j)], isThick ? thick : thin);
    }
}

void PRINTERGRID::DrawNameDividers(PrinterSurface& device) {
    const int thin = status_->FromReferenceUnits(kThinRule);
    for (int row = 0; row < kRows; ++row) {
        const size_t r = static_cast<size_t>(row);
        if (overflowFlags[r] == 0) {
            status_->DrawVerticalRule(device, rowBoundaries[r], rowBoundaries[r + 1],
                                      columnBoundaries[1], thin);
        }
    }
}
