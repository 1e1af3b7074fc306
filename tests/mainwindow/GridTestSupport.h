// Mouse and keyboard on the line grid, by cell (column, row) with the fixed
// row and column counted.
#pragma once

#include "StringGrid.h"

#include <QHeaderView>
#include <QTest>

// The centre of cell (col, row) in the widget that shows it, and that widget.
inline std::pair<QWidget*, QPoint> CellPoint(TStringGrid* grid, int col, int row) {
    if (row == 0 && col > 0) {
        QHeaderView* top = grid->horizontalHeader();
        return {top->viewport(),
                QPoint(top->sectionViewportPosition(col - 1) + top->sectionSize(col - 1) / 2,
                       top->height() / 2)};
    }
    if (col == 0 && row > 0) {
        QHeaderView* left = grid->verticalHeader();
        return {left->viewport(), QPoint(left->width() / 2, left->sectionViewportPosition(row - 1) +
                                                                left->sectionSize(row - 1) / 2)};
    }
    const QRect rect = grid->visualRect(grid->model()->index(row - 1, col - 1));
    return {grid->viewport(), rect.center()};
}

inline void ClickCell(TStringGrid* grid, int col, int row,
                      Qt::MouseButton button = Qt::LeftButton) {
    auto [widget, point] = CellPoint(grid, col, row);
    QTest::mouseClick(widget, button, Qt::NoModifier, point);
}
