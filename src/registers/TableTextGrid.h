// The register grid over a QTableWidget. The fixed row 0 is the table's
// horizontal header and the fixed column 0 its vertical header, so grid cell
// (c, r) with c, r >= 1 is table item (r - 1, c - 1).
#pragma once

#include "TextGrid.h"

class QTableWidget;

namespace registers {

class TableTextGrid : public TextGrid {
public:
    explicit TableTextGrid(QTableWidget& table);

    int ColCount() const override;
    int RowCount() const override;
    void SetColCount(int count) override;
    void SetRowCount(int count) override;
    std::string Cell(int col, int row) const override;
    void SetCell(int col, int row, const std::string& text) override;
    int ColWidth(int col) const override;
    void SetColWidth(int col, int width) override;

    // Lets the user drag data columns to another place. A dragged column's
    // texts and width really move, so grid column c is always the c-th
    // column on screen.
    void AllowColumnMoving();

    // Puts the texts and widths back in the order the header shows and
    // makes the header's order the plain one again.
    void TakeOverHeaderOrder();

private:
    QTableWidget& table_;
    int fixedColWidth_ = 64;
};

} // namespace registers
