// The line grid printed as a ruled table: a title row, 20 item rows and a
// totals row in 7 columns (the grid's columns 1 to 7), starting at the page
// cursor. Texts first, then the rules.
#pragma once

#include "NoteWindow.h"
#include "PrinterStatus.h"
#include "PrinterSurface.h"

#include <string>
#include <vector>

class PRINTERGRID {
public:
    static constexpr int kColumns = 7;
    static constexpr int kRows = 22; // title, 20 items, totals
    static constexpr int kTotalsRow = 21;

    std::vector<int> columnBoundaries; // 8 x positions
    std::vector<int> rowBoundaries;    // 23 y positions
    std::vector<int> overflowFlags;    // per table row: name or spec wider than its column

    // The page state and the grid whose cells are printed; kept until the
    // next Attach.
    void Attach(PrinterSurface& device, PRINTERSTATUS& status, const NoteWindow& source);

    // The whole table; totals holds the label, the quantity total and the
    // amount total.
    void PrintGrid(PrinterSurface& device, const std::vector<std::string>& totals);

    void LayoutRows();
    void LayoutColumns();
    void PrintCells(PrinterSurface& device, const std::vector<std::string>& totals);
    void PrintTotalsRow(PrinterSurface& device, const std::vector<std::string>& totals, int y,
                        int itemAverageWidth);
    void DrawRowRules(PrinterSurface& device);
    void DrawColumnRules(PrinterSurface& device);
    void DrawNameDividers(PrinterSurface& device);

    // Prints the text line by line from (x, y), each further line `spacing`
    // plus one unit lower; returns the y of the last line.
    int PrintTextLines(PrinterSurface& device, const std::string& text, int x, int y, int spacing);

private:
    // y of a text in table row `row`: `offset` below the row's top, but
    // never so low that characters of that height cross the row's bottom.
    int TextTop(int row, int offset, int characterHeight) const;
    std::string SourceCell(int printColumn, int row) const;
    // Where a text goes, and the narrower average width it is printed with
    // when it would otherwise cross the edges of its column (0: the font's
    // own width).
    struct Placement {
        int x = 0;
        int narrowWidth = 0;
    };
    // Right-aligned to end one average width before edge + margin; narrowed
    // when it would start left of left + margin.
    static Placement RightAligned(int left, int edge, int margin, const std::string& text,
                                  int averageWidth);
    Placement CellPlacement(int column, int row, const std::string& text, int averageWidth) const;
    void PrintPlaced(PrinterSurface& device, const std::string& text, const Placement& place, int y,
                     const PrintFont& font);

    PRINTERSTATUS* status_ = nullptr;
    const NoteWindow* source_ = nullptr;
};
