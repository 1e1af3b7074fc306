#include "StringGrid.h"

#include <QAbstractButton>
#include <QApplication>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>

const QColor TStringGrid::FixedColor(0xA6, 0xCA, 0xF0);
const QColor TStringGrid::SelectedColor(0xC0, 0xDC, 0xC0);
const QColor TStringGrid::TextOnOwnColors(Qt::black);

namespace {

// Fills a fixed cell, draws its grid line and its raised inner edge.
void PaintFixedCell(QPainter* painter, const QRect& rect, const QPalette& palette) {
    painter->fillRect(rect, TStringGrid::FixedColor);
    const QRect inner = rect.adjusted(0, 0, -1, -1);
    painter->setPen(palette.color(QPalette::Dark));
    painter->drawLine(inner.topRight(), inner.bottomRight());
    painter->drawLine(inner.bottomLeft(), inner.bottomRight());
    const QRect edge = inner.adjusted(0, 0, -1, -1);
    painter->setPen(QColor(Qt::white));
    painter->drawLine(edge.topLeft(), edge.topRight());
    painter->drawLine(edge.topLeft(), edge.bottomLeft());
    painter->setPen(palette.color(QPalette::Mid));
    painter->drawLine(edge.topRight(), edge.bottomRight());
    painter->drawLine(edge.bottomLeft(), edge.bottomRight());
}

// The part of a one-line text that can reach a box `width` pixels wide:
// laying out a pasted text of megabytes at every paint would take seconds,
// and no more characters than twice the pixels can show. The part kept is
// the one the alignment shows (the start, the end or the middle).
QString VisiblePart(const QString& text, int width, Qt::Alignment alignment) {
    const qsizetype keep = 2 * qsizetype(std::max(width, 0)) + 16;
    if (text.size() <= keep) {
        return text;
    }
    qsizetype from = 0;
    if (alignment & Qt::AlignRight) {
        from = text.size() - keep;
    } else if (alignment & Qt::AlignHCenter) {
        from = (text.size() - keep) / 2;
    }
    return text.mid(from, keep);
}

// The cell's text on one line, 2 pixels in from each side, centred
// vertically, aligned horizontally per column.
void PaintCellText(QPainter* painter, const QRect& rect, const QString& text, int col,
                   const QColor& color) {
    const QRect box = rect.adjusted(2, 2, -2, -2);
    const Qt::Alignment alignment = TStringGrid::ColumnAlignment(col);
    painter->setPen(color);
    painter->drawText(box, int(alignment | Qt::AlignVCenter | Qt::TextSingleLine),
                      VisiblePart(text, box.width(), alignment));
}

} // namespace

// ---- delegate ----

TGridCellDelegate::TGridCellDelegate(TStringGrid* grid) : QStyledItemDelegate(grid), grid_(grid) {}

void TGridCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const {
    const int col = index.column() + 1;
    const QPalette& palette = option.palette;
    const bool selected = option.state & QStyle::State_Selected;
    const bool focused = index == grid_->currentIndex() && grid_->hasFocus();
    // A selected cell has the program's own light colour; its text is then
    // black whatever the theme, elsewhere the theme's text colour.
    const bool ownColour = selected && !focused;
    painter->save();
    painter->fillRect(option.rect,
                      ownColour ? TStringGrid::SelectedColor : palette.color(QPalette::Base));
    const QColor textColor =
        ownColour ? TStringGrid::TextOnOwnColors : palette.color(QPalette::Text);
    PaintCellText(painter, option.rect, index.data(Qt::DisplayRole).toString(), col, textColor);
    if (focused) {
        QPen pen(palette.color(QPalette::Text));
        pen.setStyle(Qt::DotLine);
        painter->setPen(pen);
        painter->drawRect(option.rect.adjusted(1, 1, -2, -2));
    }
    painter->restore();
}

QWidget* TGridCellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                         const QModelIndex& index) const {
    auto* editor = new QLineEdit(parent);
    editor->setFrame(false);
    editor->setAlignment(TStringGrid::ColumnAlignment(index.column() + 1));
    grid_->AdoptEditor(editor);
    return editor;
}

// ---- fixed header ----

TFixedHeader::TFixedHeader(Qt::Orientation orientation, TStringGrid* grid)
    : QHeaderView(orientation, grid), grid_(grid) {}

void TFixedHeader::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const {
    painter->save();
    PaintFixedCell(painter, rect, palette());
    const int col = orientation() == Qt::Horizontal ? logicalIndex + 1 : 0;
    const int row = orientation() == Qt::Horizontal ? 0 : logicalIndex + 1;
    painter->setFont(grid_->font());
    PaintCellText(painter, rect, grid_->Cells(col, row), col, TStringGrid::TextOnOwnColors);
    painter->restore();
}

QSize TFixedHeader::sectionSizeFromContents(int logicalIndex) const {
    const int col = orientation() == Qt::Horizontal ? logicalIndex + 1 : 0;
    const int row = orientation() == Qt::Horizontal ? 0 : logicalIndex + 1;
    const QFontMetrics metrics(grid_->font());
    // The text with the 2-pixel margins PaintCellText leaves, and a frame.
    return QSize(metrics.horizontalAdvance(grid_->Cells(col, row)) + 8, metrics.height() + 8);
}

// ---- grid ----

TStringGrid::TStringGrid(QWidget* parent) : QTableWidget(parent) {
    setHorizontalHeader(new TFixedHeader(Qt::Horizontal, this));
    setVerticalHeader(new TFixedHeader(Qt::Vertical, this));
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setMinimumSectionSize(4);
    verticalHeader()->setSectionsClickable(false);
    verticalHeader()->setHighlightSections(false);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    horizontalHeader()->viewport()->installEventFilter(this);
    verticalHeader()->viewport()->installEventFilter(this);
    setCornerButtonEnabled(false);
    // The corner is the fixed cell (0, 0), painted as the other fixed cells
    // (the table's own corner button, found among its children).
    cornerButton_ = findChild<QAbstractButton*>(QString(), Qt::FindDirectChildrenOnly);
    if (cornerButton_) {
        cornerButton_->installEventFilter(this);
    }
    setItemDelegate(new TGridCellDelegate(this));
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    // No editor from a click on the selected cell: its delayed opening would
    // swallow the keys typed meanwhile. A click selects, typing replaces.
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    setTabKeyNavigation(true);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget* old, QWidget* now) {
        if (now == this && old != this) {
            focusBefore_ = old;
        }
    });
    setWordWrap(false);
    setShowGrid(true);
    setAutoScroll(false);
}

void TStringGrid::SetColCount(int cols) {
    setColumnCount(std::max(cols - 1, 0));
    for (int c = 0; c < columnCount(); ++c) {
        if (!horizontalHeaderItem(c)) {
            setHorizontalHeaderItem(c, new QTableWidgetItem(QString()));
        }
    }
}

void TStringGrid::SetRowCount(int rows) {
    setRowCount(std::max(rows - 1, 0));
    for (int r = 0; r < rowCount(); ++r) {
        if (!verticalHeaderItem(r)) {
            setVerticalHeaderItem(r, new QTableWidgetItem(QString()));
        }
    }
}

QString TStringGrid::Cells(int col, int row) const {
    if (col < 0 || row < 0 || col >= ColCount() || row >= RowCount()) {
        return QString();
    }
    const QTableWidgetItem* cell = nullptr;
    if (col == 0 && row == 0) {
        return corner_;
    } else if (row == 0) {
        cell = horizontalHeaderItem(col - 1);
    } else if (col == 0) {
        cell = verticalHeaderItem(row - 1);
    } else {
        cell = item(row - 1, col - 1);
    }
    return cell ? cell->text() : QString();
}

void TStringGrid::SetCells(int col, int row, const QString& text) {
    if (col < 0 || row < 0 || col >= ColCount() || row >= RowCount()) {
        return;
    }
    if (col == 0 && row == 0) {
        corner_ = text;
        return;
    }
    if (row == 0) {
        horizontalHeaderItem(col - 1)->setText(text);
        horizontalHeader()->viewport()->update();
    } else if (col == 0) {
        verticalHeaderItem(row - 1)->setText(text);
        verticalHeader()->viewport()->update();
    } else if (QTableWidgetItem* cell = item(row - 1, col - 1)) {
        cell->setText(text);
    } else {
        setItem(row - 1, col - 1, new QTableWidgetItem(text));
    }
}

int TStringGrid::ColWidth(int col) const {
    if (col == 0) {
        return verticalHeader()->width();
    }
    return columnWidth(col - 1);
}

void TStringGrid::SetColWidth(int col, int width) {
    if (col == 0) {
        verticalHeader()->setFixedWidth(width);
    } else {
        setColumnWidth(col - 1, width);
    }
}

void TStringGrid::SetDefaultRowHeight(int height) {
    verticalHeader()->setMinimumSectionSize(height);
    verticalHeader()->setDefaultSectionSize(height);
    horizontalHeader()->setFixedHeight(height);
}

int TStringGrid::Col() const {
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.column() + 1 : 0;
}

int TStringGrid::Row() const {
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.row() + 1 : 0;
}

void TStringGrid::SetCurrentCell(int col, int row) {
    if (col <= 0 || row <= 0 || col >= ColCount() || row >= RowCount()) {
        selectionModel()->clear();
        return;
    }
    setCurrentCell(row - 1, col - 1);
}

TGridRect TStringGrid::Selection() const {
    const QList<QTableWidgetSelectionRange> ranges = selectedRanges();
    if (ranges.isEmpty()) {
        return TGridRect{Col(), Row(), Col(), Row()};
    }
    const QTableWidgetSelectionRange& range = ranges.front();
    return TGridRect{range.leftColumn() + 1, range.topRow() + 1, range.rightColumn() + 1,
                     range.bottomRow() + 1};
}

void TStringGrid::SetSelection(const TGridRect& rect) {
    const int left = std::min(rect.Left, rect.Right);
    const int right = std::max(rect.Left, rect.Right);
    const int top = std::min(rect.Top, rect.Bottom);
    const int bottom = std::max(rect.Top, rect.Bottom);
    if (left <= 0 || top <= 0 || right >= ColCount() || bottom >= RowCount()) {
        selectionModel()->clear();
        return;
    }
    // The anchor stays at the first corner, the current cell moves to the
    // second one, as when the user extends a selection.
    selectionModel()->setCurrentIndex(model()->index(rect.Bottom - 1, rect.Right - 1),
                                      QItemSelectionModel::NoUpdate);
    const QItemSelection selection(model()->index(top - 1, left - 1),
                                   model()->index(bottom - 1, right - 1));
    selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    viewport()->update();
}

int TStringGrid::TopRow() const {
    const int row = rowAt(0);
    return row < 0 ? 1 : row + 1;
}

void TStringGrid::SetTopRow(int row) {
    verticalScrollBar()->setValue(std::max(row - 1, 0));
}

int TStringGrid::VisibleRowCount() const {
    const int height = viewport()->height();
    int count = 0;
    for (int r = rowAt(0); r >= 0 && r < rowCount(); ++r) {
        if (rowViewportPosition(r) + rowHeight(r) > height) {
            break;
        }
        ++count;
    }
    return count;
}

QPoint TStringGrid::MouseCoord(const QPoint& gridPos) const {
    const QHeaderView* top = horizontalHeader();
    const QHeaderView* left = verticalHeader();
    const QRect topRect = top->geometry();
    const QRect leftRect = left->geometry();
    const QRect cellsRect = viewport()->geometry();
    if (topRect.contains(gridPos)) {
        const int c = top->logicalIndexAt(gridPos.x() - topRect.left());
        return c < 0 ? QPoint(-1, -1) : QPoint(c + 1, 0);
    }
    if (leftRect.contains(gridPos)) {
        const int r = left->logicalIndexAt(gridPos.y() - leftRect.top());
        return r < 0 ? QPoint(-1, -1) : QPoint(0, r + 1);
    }
    if (gridPos.x() < cellsRect.left() && gridPos.y() < cellsRect.top() && gridPos.x() >= 0 &&
        gridPos.y() >= 0) {
        return QPoint(0, 0);
    }
    if (cellsRect.contains(gridPos)) {
        const QPoint p = gridPos - cellsRect.topLeft();
        const int r = rowAt(p.y());
        const int c = columnAt(p.x());
        if (r >= 0 && c >= 0) {
            return QPoint(c + 1, r + 1);
        }
    }
    return QPoint(-1, -1);
}

QLineEdit* TStringGrid::CellEditor() const {
    if (state() != QAbstractItemView::EditingState) {
        return nullptr;
    }
    return editor_.data();
}

bool TStringGrid::EditorModified() const {
    const QLineEdit* editor = CellEditor();
    return editor && editor->isModified();
}

Qt::Alignment TStringGrid::ColumnAlignment(int col) {
    switch (col) {
    case 3:
    case 5:
    case 6:
        return Qt::AlignRight;
    case 4:
        return Qt::AlignHCenter;
    default:
        return Qt::AlignLeft;
    }
}

void TStringGrid::AdoptEditor(QLineEdit* editor) const {
    editor_ = editor;
    // Not the line edit's own menu (nor the application's paste version of
    // it): the grid's filter asks for the menu of the cell being edited.
    editor->setContextMenuPolicy(Qt::CustomContextMenu);
    editor->installEventFilter(const_cast<TStringGrid*>(this));
    emit const_cast<TStringGrid*>(this)->EditorOpened(editor);
}

QPoint TStringGrid::ToGrid(QWidget* from, const QPoint& pos) const {
    return from->mapTo(const_cast<TStringGrid*>(this), pos);
}

QPoint TStringGrid::LastMousePos() const {
    return lastMousePos_;
}

void TStringGrid::mousePressEvent(QMouseEvent* event) {
    lastMousePos_ = ToGrid(viewport(), event->position().toPoint());
    pressedCell_ = MouseCoord(lastMousePos_);
    // A right click opens the context menu without moving the selection.
    if (event->button() == Qt::LeftButton) {
        // The clicked cell is where the mouse is: the view does not move
        // under a press (the release must find the same cell).
        pressing_ = true;
        QTableWidget::mousePressEvent(event);
        pressing_ = false;
    } else {
        event->accept();
    }
    emit MouseDown(event->button());
}

void TStringGrid::mouseMoveEvent(QMouseEvent* event) {
    lastMousePos_ = ToGrid(viewport(), event->position().toPoint());
    if (!(OwnerDragSelection && event->buttons() != Qt::NoButton)) {
        QTableWidget::mouseMoveEvent(event);
    }
    emit MouseMove(lastMousePos_);
}

void TStringGrid::mouseReleaseEvent(QMouseEvent* event) {
    lastMousePos_ = ToGrid(viewport(), event->position().toPoint());
    if (event->button() == Qt::LeftButton) {
        QTableWidget::mouseReleaseEvent(event);
        CollapseOnClick(MouseCoord(lastMousePos_), event->modifiers());
    }
    emit MouseUp(event->button());
    if (event->button() == Qt::LeftButton) {
        emit Click();
    }
}

// A plain click (pressed and released on one data cell, no Shift or Ctrl)
// selects that cell alone, also inside a selected range.
void TStringGrid::CollapseOnClick(const QPoint& releasedCell, Qt::KeyboardModifiers modifiers) {
    if (modifiers & (Qt::ShiftModifier | Qt::ControlModifier)) {
        return;
    }
    if (releasedCell != pressedCell_ || releasedCell.x() <= 0 || releasedCell.y() <= 0) {
        return;
    }
    if (Selection() !=
        TGridRect{releasedCell.x(), releasedCell.y(), releasedCell.x(), releasedCell.y()}) {
        SetSelection(
            TGridRect{releasedCell.x(), releasedCell.y(), releasedCell.x(), releasedCell.y()});
    }
}

// The current cell is always in view, however it moved (keys, Tab wrapping
// round, the program), except under the mouse that chose it.
void TStringGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTableWidget::currentChanged(current, previous);
    if (current.isValid() && !pressing_) {
        scrollTo(current);
    }
}

// Opened by double-click or F2 the editor keeps the text with the cursor at
// its end; opened by typing, the typed key replaces the text.
bool TStringGrid::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) {
    const bool opened = QTableWidget::edit(index, trigger, event);
    if (opened && trigger != AnyKeyPressed) {
        if (QLineEdit* editor = CellEditor()) {
            editor->deselect();
            editor->end(false);
        }
    }
    return opened;
}

void TStringGrid::keyReleaseEvent(QKeyEvent* event) {
    QTableWidget::keyReleaseEvent(event);
    emit KeyUp(event);
}

void TStringGrid::wheelEvent(QWheelEvent* event) {
    const int delta = event->angleDelta().y();
    if (delta == 0) {
        QTableWidget::wheelEvent(event);
        return;
    }
    emit Wheel(delta);
    // The grid's own handling then moves the current cell by one row.
    const int col = std::max(Col(), 1);
    if (delta < 0 && Row() < RowCount() - 1) {
        SetCurrentCell(col, Row() + 1);
    } else if (delta > 0 && Row() > 1) {
        SetCurrentCell(col, Row() - 1);
    }
    event->accept();
}

void TStringGrid::focusInEvent(QFocusEvent* event) {
    focusByMouse_ = event->reason() == Qt::MouseFocusReason;
    QTableWidget::focusInEvent(event);
}

void TStringGrid::contextMenuEvent(QContextMenuEvent* event) {
    if (PopupMenu) {
        PopupMenu->popup(event->globalPos());
        event->accept();
    } else {
        event->ignore();
    }
}

bool TStringGrid::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Paint && watched == cornerButton_) {
        QPainter painter(cornerButton_);
        PaintFixedCell(&painter, cornerButton_->rect(), palette());
        return true;
    }
    // The type first: a widget being destroyed still sends events here, and
    // the editor's pointer must not be read as a line edit then.
    if (event->type() == QEvent::KeyRelease && watched == editor_.data()) {
        emit KeyUp(static_cast<QKeyEvent*>(event));
        return false;
    }
    // The cell being edited offers the column's menu, not the line edit's.
    if (event->type() == QEvent::ContextMenu && watched == editor_.data()) {
        emit EditorMenu(static_cast<QContextMenuEvent*>(event)->globalPos());
        return true;
    }
    QWidget* header = nullptr;
    if (watched == horizontalHeader()->viewport()) {
        header = horizontalHeader()->viewport();
    } else if (watched == verticalHeader()->viewport()) {
        header = verticalHeader()->viewport();
    }
    if (header) {
        switch (event->type()) {
        case QEvent::MouseButtonPress: {
            // Fixed cells do not take the keyboard focus.
            if (focusByMouse_ && hasFocus() && focusBefore_) {
                focusBefore_->setFocus(Qt::OtherFocusReason);
            }
            focusByMouse_ = false;
            auto* mouse = static_cast<QMouseEvent*>(event);
            lastMousePos_ = ToGrid(header, mouse->position().toPoint());
            emit MouseDown(mouse->button());
            break;
        }
        case QEvent::MouseMove: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            lastMousePos_ = ToGrid(header, mouse->position().toPoint());
            emit MouseMove(lastMousePos_);
            break;
        }
        case QEvent::MouseButtonRelease: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            lastMousePos_ = ToGrid(header, mouse->position().toPoint());
            emit MouseUp(mouse->button());
            if (mouse->button() == Qt::LeftButton) {
                emit Click();
            }
            break;
        }
        default:
            break;
        }
    }
    return QTableWidget::eventFilter(watched, event);
}
