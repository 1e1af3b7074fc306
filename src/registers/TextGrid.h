// A string grid as the register logic sees it: cell texts (code page 932)
// by column and row, with row 0 and column 0 the fixed title lines, and the
// column widths in pixels. The register dialogs implement it over their
// table widget; MemoryGrid is the in-memory twin for tests.
#pragma once

#include <string>
#include <vector>

namespace registers {

class TextGrid {
public:
    virtual ~TextGrid() = default;

    virtual int ColCount() const = 0;
    virtual int RowCount() const = 0;
    // Growing adds empty lines at the end; shrinking drops the last ones.
    virtual void SetColCount(int count) = 0;
    virtual void SetRowCount(int count) = 0;

    // Outside the grid a cell reads empty and a write is ignored.
    virtual std::string Cell(int col, int row) const = 0;
    virtual void SetCell(int col, int row, const std::string& text) = 0;

    virtual int ColWidth(int col) const = 0;
    virtual void SetColWidth(int col, int width) = 0;
};

class MemoryGrid : public TextGrid {
public:
    MemoryGrid(int cols, int rows, int defaultWidth = 64);

    int ColCount() const override { return cols_; }
    int RowCount() const override { return rows_; }
    void SetColCount(int count) override;
    void SetRowCount(int count) override;
    std::string Cell(int col, int row) const override;
    void SetCell(int col, int row, const std::string& text) override;
    int ColWidth(int col) const override;
    void SetColWidth(int col, int width) override;

private:
    bool Inside(int col, int row) const;

    int cols_;
    int rows_;
    int defaultWidth_;
    std::vector<std::vector<std::string>> cells_; // [col][row]
    std::vector<int> widths_;
};

} // namespace registers
