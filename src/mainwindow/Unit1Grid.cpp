// The line grid's behaviour in the window: clicks, the cell position and
// cell editor fields, the context menu per column, the edit marker, drag
// selection and the mouse wheel.
#include "Unit1.h"

#include "QtText.h"
#include "WindowRules.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>

namespace {

// The context menu of a data column.
QMenu* MenuForColumn(const TForm1& form, int col) {
    switch (commands::MenuForColumn(col)) {
    case commands::ColumnMenu::Name:
        return form.PopupMenu1;
    case commands::ColumnMenu::SpecOrRemarks:
        return form.PopupMenu2;
    case commands::ColumnMenu::Unit:
        return form.PopupMenu3;
    default:
        return form.PopupMenu5;
    }
}

} // namespace

void TForm1::StringGrid1Click() {
    const QPoint cell = StringGrid1->MouseCoord(StringGrid1->LastMousePos());
    EditCol = cell.x();
    EditRow = cell.y();
    if (!commands::ClickGridCell(*this, EditCol, EditRow)) {
        return;
    }
    // A cell editor just opened by a double-click keeps the focus.
    if (!StringGrid1->CellEditor()) {
        StringGrid1->setFocus();
    }
    StringGrid1->PopupMenu = MenuForColumn(*this, EditCol);
}

// Typing in the cell editor field writes through to the clicked cell.
void TForm1::Edit17Change(const QString&) {
    if (commands::IsEditorCell(*this, EditCol, EditRow)) {
        SetCell(EditCol, EditRow, Field(field::CellEditor));
    }
}

void TForm1::StringGrid1KeyUp(QKeyEvent* event) {
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    if ((modifiers & Qt::ControlModifier) && !StringGrid1->CellEditor()) {
        GridKeyRelease(event);
    }
    if (!(modifiers & (Qt::AltModifier | Qt::ShiftModifier)) && StringGrid1->EditorModified()) {
        Edited = 1;
    }
}

// The cell being edited, wherever the keys took it, offers its own column's
// menu; a word chosen there goes into the editor (WordItemClick). The menu
// of a right click outside the editor stays the one of the last click.
void TForm1::StringGrid1EditorMenu(const QPoint& globalPos) {
    if (QMenu* menu = MenuForColumn(*this, StringGrid1->Col())) {
        menu->popup(globalPos);
    }
}

void TForm1::StringGrid1MouseDown(Qt::MouseButton) {
    Dragging = 1;
    DragRect = StringGrid1->Selection();
}

void TForm1::StringGrid1MouseMove(QPoint gridPos) {
    if (Dragging != 1) {
        return;
    }
    const QPoint cell = StringGrid1->MouseCoord(gridPos);
    if (cell.x() <= 0 || cell.y() <= 0) {
        return;
    }
    DragRect.Right = cell.x();
    DragRect.Bottom = cell.y();
    StringGrid1->SetSelection(DragRect);
    StringGrid1->viewport()->update();
}

void TForm1::StringGrid1MouseUp(Qt::MouseButton) {
    Dragging = 0;
}

// The first data row in view follows the wheel by one row while the current
// row leaves room for it.
void TForm1::StringGrid1MouseWheel(int delta) {
    const int hidden = RowCount() - StringGrid1->VisibleRowCount();
    if (hidden <= StringGrid1->Row()) {
        return;
    }
    if (delta < 0) {
        StringGrid1->SetTopRow(StringGrid1->TopRow() + 1);
    } else if (StringGrid1->TopRow() > 1) {
        StringGrid1->SetTopRow(StringGrid1->TopRow() - 1);
    }
}
