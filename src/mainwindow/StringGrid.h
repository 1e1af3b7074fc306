// The line grid: a table of texts addressed by (column, row) with one fixed
// title row and one fixed row-number column, as the note's lines need it.
// The fixed row and column are the table's header sections, so they stay in
// view while the data rows scroll; every coordinate of this class's own
// interface counts them (column 0 = row numbers, row 0 = titles).
#pragma once

#include <QHeaderView>
#include <QLineEdit>
#include <QPointer>
#include <QStyledItemDelegate>
#include <QTableWidget>

class QMenu;

// A rectangle of cells, inclusive on all sides.
struct TGridRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    bool operator==(const TGridRect&) const = default;
};

class TStringGrid;

// Paints every cell itself (fill colour, 3-D edge of fixed cells, focus
// rectangle, per-column alignment) and provides the in-place editor.
class TGridCellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit TGridCellDelegate(TStringGrid* grid);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;

private:
    TStringGrid* grid_;
};

// The fixed title row and row-number column, painted like fixed cells.
class TFixedHeader : public QHeaderView {
    Q_OBJECT
public:
    TFixedHeader(Qt::Orientation orientation, TStringGrid* grid);

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;
    // Measured in the grid's font, as painted: Qt measures titles in bold,
    // which costs a bold face the window never shows.
    QSize sectionSizeFromContents(int logicalIndex) const override;

private:
    TStringGrid* grid_;
};

class TStringGrid : public QTableWidget {
    Q_OBJECT
public:
    // The program's two own colours: fixed cells and selected cells.
    static const QColor FixedColor;    // RGB A6 CA F0
    static const QColor SelectedColor; // RGB C0 DC C0
    // Text drawn on those two colours, whatever the theme: black.
    static const QColor TextOnOwnColors;

    explicit TStringGrid(QWidget* parent = nullptr);

    // Counts including the fixed column and row.
    int ColCount() const { return columnCount() + 1; }
    int RowCount() const { return rowCount() + 1; }
    void SetColCount(int cols);
    void SetRowCount(int rows);

    QString Cells(int col, int row) const;
    void SetCells(int col, int row, const QString& text);

    int ColWidth(int col) const;
    void SetColWidth(int col, int width);
    void SetDefaultRowHeight(int height);

    // Current cell (the focused one); (0, 0) when no data cell is current.
    int Col() const;
    int Row() const;
    // Makes (col, row) the current cell and the whole selection. (0, 0)
    // leaves no data cell current or selected.
    void SetCurrentCell(int col, int row);

    // The selected rectangle; the current cell when only that is selected.
    TGridRect Selection() const;
    void SetSelection(const TGridRect& rect);

    // First data row in view, and the number of data rows fully in view.
    int TopRow() const;
    void SetTopRow(int row);
    int VisibleRowCount() const;

    // The cell under a point given in the grid's own coordinates:
    // (col, row) including the fixed ones, or (-1, -1) over no cell.
    QPoint MouseCoord(const QPoint& gridPos) const;

    // The in-place editor while a cell is being edited, else nullptr.
    QLineEdit* CellEditor() const;
    // True while a cell editor holds a change typed by the user.
    bool EditorModified() const;

    // Horizontal alignment of column `col` when its texts are drawn.
    static Qt::Alignment ColumnAlignment(int col);

    // The context menu a right click opens (none until set).
    QMenu* PopupMenu = nullptr;

    // Called by the delegate when it creates an editor.
    void AdoptEditor(QLineEdit* editor) const;

    // Where the mouse was at its last press, move or release over the
    // grid, in the grid's own coordinates.
    QPoint LastMousePos() const;

signals:
    // Left button released over the grid or its fixed cells (a click).
    void Click();
    // Any mouse button pressed, moved, released over the grid.
    void MouseDown(Qt::MouseButton button);
    void MouseMove(QPoint gridPos);
    void MouseUp(Qt::MouseButton button);
    // A key released in the grid or in its cell editor.
    void KeyUp(QKeyEvent* event);
    // Mouse wheel turned: positive delta up, negative down.
    void Wheel(int delta);
    // A cell editor was created for a cell.
    void EditorOpened(QLineEdit* editor);
    // A right click (or the menu key) in the cell editor, at `globalPos`.
    void EditorMenu(const QPoint& globalPos);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    using QTableWidget::edit;

public:
    // When true, a move with a button held is handled by the owner (drag
    // selection) rather than by the table's own rubber-band extension.
    bool OwnerDragSelection = true;

private:
    QString corner_;
    QWidget* cornerButton_ = nullptr; // the table's corner, painted by eventFilter
    QPoint lastMousePos_{-1, -1};
    // Focus taken by a mouse press on a fixed cell goes back to where it was.
    QPointer<QWidget> focusBefore_;
    bool focusByMouse_ = false;
    mutable QPointer<QLineEdit> editor_;
    QPoint ToGrid(QWidget* from, const QPoint& pos) const;
    void CollapseOnClick(const QPoint& releasedCell, Qt::KeyboardModifiers modifiers);
    // The cell under the last left press in the cells' area.
    QPoint pressedCell_{-1, -1};
    bool pressing_ = false;
};
