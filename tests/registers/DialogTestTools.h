// What the dialog tests do as a user would: click a grid cell, type through
// the input method, drag a header section.
#pragma once

#include "QtText.h"
#include "RegisterDialog.h"

#include <QApplication>
#include <QFontMetrics>
#include <QHeaderView>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace dialogtest {

// Clicks grid cell (col, row) of the dialog's grid (both from 1).
inline void ClickCell(registers::RegisterDialog& dialog, int col, int row) {
    QTableWidget* grid = dialog.StringGrid1;
    const QRect rect = grid->visualRect(grid->model()->index(row - 1, col - 1));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, rect.center());
}

// Types `text` over grid cell (col, row) with the grid's own in-place
// editor (the first key opens it), ending with Return.
inline void TypeIntoCell(registers::RegisterDialog& dialog, int col, int row, const QString& text) {
    ClickCell(dialog, col, row);
    QTest::keyClick(dialog.StringGrid1, text.at(0).toLatin1());
    QLineEdit* editor = nullptr;
    for (QLineEdit* open : dialog.StringGrid1->viewport()->findChildren<QLineEdit*>()) {
        if (open->isVisible()) {
            editor = open;
        }
    }
    if (editor == nullptr) {
        ADD_FAILURE() << "the key did not open the cell editor";
        return;
    }
    QTest::keyClicks(editor, text.mid(1));
    QTest::keyClick(editor, Qt::Key_Return);
    // The editor commits its text through a queued call.
    QCoreApplication::processEvents();
}

// Commits `text` through the input method, as a Japanese input method does.
inline void Commit(QWidget* widget, const QString& text) {
    QInputMethodEvent event;
    event.setCommitString(text);
    QApplication::sendEvent(widget, &event);
}

// Replaces the whole text of a line edit as the user would.
inline void Retype(QLineEdit* edit, const QString& text) {
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    if (!text.isEmpty()) {
        Commit(edit, text);
    }
}

// Every text of the dialog's grid is seen whole: each data column is as
// wide as its widest cell text needs and as its title section asks for,
// and the title column as wide as its titles ask for.
inline void ExpectEveryTextWhole(registers::RegisterDialog& dialog) {
    QTableWidget* table = dialog.StringGrid1;
    const registers::TextGrid& grid = dialog.Grid();
    const QFontMetrics cells(table->font());
    EXPECT_GE(grid.ColWidth(0), table->verticalHeader()->sizeHint().width()) << "title column";
    for (int col = 1; col < grid.ColCount(); ++col) {
        EXPECT_GE(grid.ColWidth(col), table->horizontalHeader()->sectionSizeHint(col - 1))
            << "title of column " << col;
        for (int row = 1; row < grid.RowCount(); ++row) {
            const QString text = qttext::FromCp932(grid.Cell(col, row));
            EXPECT_GE(grid.ColWidth(col), 2 + cells.horizontalAdvance(text))
                << "column " << col << " row " << row << ": " << text.toStdString();
        }
    }
}

// Drags header section at visual position `from` onto the one at `to`.
inline void DragSection(QHeaderView* header, int from, int to) {
    QWidget* port = header->viewport();
    const int y = header->height() / 2;
    const auto centre = [&](int visual) {
        return header->sectionViewportPosition(header->logicalIndex(visual)) +
               header->sectionSize(header->logicalIndex(visual)) / 2;
    };
    const auto send = [&](QEvent::Type type, int x, Qt::MouseButtons buttons) {
        const QPointF pos(x, y);
        const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, pos, port->mapToGlobal(pos), button, buttons, Qt::NoModifier);
        QApplication::sendEvent(port, &event);
    };
    const int start = centre(from);
    const int end = centre(to) + (to > from ? 4 : -4);
    send(QEvent::MouseButtonPress, start, Qt::LeftButton);
    const int steps = 8;
    for (int i = 1; i <= steps; ++i) {
        send(QEvent::MouseMove, start + (end - start) * i / steps, Qt::LeftButton);
    }
    send(QEvent::MouseButtonRelease, end, Qt::NoButton);
}

} // namespace dialogtest
