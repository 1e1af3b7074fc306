// The line grid in the window: clicks, the cell position and editor fields,
// the edit marker, drag selection, the wheel and the cells' painting.
#include "GridTestSupport.h"
#include "MainWindowFixture.h"

#include "Cp932.h"
#include "QtText.h"

#include <QAbstractButton>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QScrollBar>

using qttext::Q;

namespace {

void FillLine(TForm1& f, int row, const char* quantity, const char* price) {
    f.SetCell(3, row, quantity);
    f.SetCell(5, row, price);
}

} // namespace

TEST_F(WindowTest, ClickOnDataCellShowsPositionAndTextPicksMenuAndRecalculates) {
    TForm1& f = Start();
    FillLine(f, 5, "3", "333");
    f.SetCell(4, 5, S("個"));
    ClickCell(f.StringGrid1, 4, 5);
    EXPECT_EQ(f.EditCol, 4);
    EXPECT_EQ(f.EditRow, 5);
    EXPECT_EQ(f.Edit15->text(), Q("列:4 行:5"));
    EXPECT_EQ(f.Edit17->text(), Q("個"));
    EXPECT_EQ(f.StringGrid1->PopupMenu, f.PopupMenu3);
    EXPECT_EQ(f.Cell(6, 5), "999");
    EXPECT_EQ(f.Edit14->text(), "999");
    EXPECT_EQ(f.Edit10->text(), "1048");
    EXPECT_TRUE(f.StringGrid1->hasFocus());

    const std::pair<int, QMenu*> menus[] = {{1, f.PopupMenu1}, {2, f.PopupMenu2},
                                            {3, f.PopupMenu5}, {5, f.PopupMenu5},
                                            {6, f.PopupMenu5}, {7, f.PopupMenu2}};
    for (auto [column, menu] : menus) {
        ClickCell(f.StringGrid1, column, 2);
        EXPECT_EQ(f.StringGrid1->PopupMenu, menu) << column;
    }
}

TEST_F(WindowTest, ClickOnRowNumbersChangesNothingElse) {
    TForm1& f = Start();
    ClickCell(f.StringGrid1, 2, 3);
    f.Edit2->setFocus();
    FillLine(f, 1, "2", "10");
    ClickCell(f.StringGrid1, 0, 4);
    EXPECT_EQ(f.EditCol, 0);
    EXPECT_EQ(f.EditRow, 4);
    EXPECT_EQ(f.Edit15->text(), Q("列:2 行:3"));
    EXPECT_EQ(f.Cell(6, 1), "");
    EXPECT_TRUE(f.Edit2->hasFocus());
    EXPECT_EQ(f.StringGrid1->PopupMenu, f.PopupMenu2);
}

TEST_F(WindowTest, ClickOnTitleRecalculatesAndSwitchesMenuButKeepsFields) {
    TForm1& f = Start();
    EXPECT_EQ(f.StringGrid1->PopupMenu, nullptr);
    FillLine(f, 2, "1.5", "333");
    ClickCell(f.StringGrid1, 1, 0);
    EXPECT_EQ(f.EditCol, 1);
    EXPECT_EQ(f.EditRow, 0);
    EXPECT_EQ(f.Edit15->text(), Q("表の位置表示"));
    EXPECT_EQ(f.Edit17->text(), "");
    EXPECT_EQ(f.Cell(6, 2), "499");
    EXPECT_EQ(f.Edit13->text(), "1.5");
    EXPECT_EQ(f.StringGrid1->PopupMenu, f.PopupMenu1);
}

TEST_F(WindowTest, TypingInCellEditorFieldWritesTheClickedCell) {
    TForm1& f = Start();
    ClickCell(f.StringGrid1, 3, 2);
    QTest::mouseClick(f.Edit17, Qt::LeftButton);
    QTest::keyClicks(f.Edit17, "12");
    EXPECT_EQ(f.Cell(3, 2), "12");
    QTest::keyClick(f.Edit17, Qt::Key_Backspace);
    EXPECT_EQ(f.Cell(3, 2), "1");
    // Set by the program (a click), not typed: the cell keeps its text.
    f.SetCell(3, 4, "7");
    ClickCell(f.StringGrid1, 3, 4);
    EXPECT_EQ(f.Cell(3, 4), "7");
    EXPECT_EQ(f.Cell(3, 2), "1");

    ClickCell(f.StringGrid1, 0, 4);
    QTest::keyClicks(f.Edit17, "9");
    for (int c = 1; c < 8; ++c) {
        EXPECT_EQ(f.Cell(c, 4), c == 3 ? "7" : "") << c;
    }
}

TEST_F(WindowTest, KeyReleaseWithUserChangeInCellEditorSetsEdited) {
    TForm1& f = Start();
    ClickCell(f.StringGrid1, 1, 1);
    // Shift held while the capital is released: not yet.
    QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::ShiftModifier, "A");
    QApplication::sendEvent(f.StringGrid1, &press);
    QLineEdit* editor = f.StringGrid1->CellEditor();
    ASSERT_NE(editor, nullptr);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_A, Qt::ShiftModifier, "A");
    QApplication::sendEvent(editor, &release);
    EXPECT_TRUE(f.StringGrid1->EditorModified());
    EXPECT_EQ(f.Edited, 0);
    QTest::keyClick(editor, Qt::Key_B);
    EXPECT_EQ(f.Edited, 1);
    QTest::keyClick(editor, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(f.StringGrid1->CellEditor(), nullptr);
    EXPECT_EQ(f.Cell(1, 1), "Ab");
}

TEST_F(WindowTest, OpeningAnEditorWithoutTypingDoesNotSetEdited) {
    TForm1& f = Start();
    f.SetCell(2, 2, "x");
    ClickCell(f.StringGrid1, 2, 2);
    QTest::keyClick(f.StringGrid1, Qt::Key_F2);
    QLineEdit* editor = f.StringGrid1->CellEditor();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->text(), "x");
    QTest::keyClick(editor, Qt::Key_End);
    EXPECT_EQ(f.Edited, 0);
    // Keys in the grid with no editor open do not mark the note either.
    QTest::keyClick(editor, Qt::Key_Escape);
    QTest::keyClick(f.StringGrid1, Qt::Key_Down);
    EXPECT_EQ(f.Edited, 0);
}

TEST_F(WindowTest, DraggingSelectsFromThePressedCellToThePointer) {
    TForm1& f = Start();
    auto [widget, from] = CellPoint(f.StringGrid1, 2, 3);
    QTest::mousePress(widget, Qt::LeftButton, Qt::NoModifier, from);
    EXPECT_EQ(f.Dragging, 1);
    auto [w2, to] = CellPoint(f.StringGrid1, 4, 6);
    QMouseEvent move(QEvent::MouseMove, to, widget->mapToGlobal(to), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
    EXPECT_EQ(f.StringGrid1->Selection(), (TGridRect{2, 3, 4, 6}));
    // Over the row numbers the selection stays.
    auto [header, fixed] = CellPoint(f.StringGrid1, 0, 8);
    const QPoint inGrid = widget->mapFromGlobal(header->mapToGlobal(fixed));
    QMouseEvent overFixed(QEvent::MouseMove, inGrid, widget->mapToGlobal(inGrid), Qt::NoButton,
                          Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &overFixed);
    EXPECT_EQ(f.StringGrid1->Selection(), (TGridRect{2, 3, 4, 6}));
    QTest::mouseRelease(widget, Qt::LeftButton, Qt::NoModifier, to);
    EXPECT_EQ(f.Dragging, 0);
    EXPECT_EQ(f.StringGrid1->Selection(), (TGridRect{2, 3, 4, 6}));
    // Without a button held, moving selects nothing.
    auto [w3, away] = CellPoint(f.StringGrid1, 6, 9);
    QMouseEvent idle(QEvent::MouseMove, away, widget->mapToGlobal(away), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(widget, &idle);
    EXPECT_EQ(f.StringGrid1->Selection(), (TGridRect{2, 3, 4, 6}));
}

TEST_F(WindowTest, RightClickKeepsSelectionAndLastClickedCell) {
    TForm1& f = Start();
    ClickCell(f.StringGrid1, 1, 2);
    QTest::mousePress(CellPoint(f.StringGrid1, 5, 7).first, Qt::RightButton, Qt::NoModifier,
                      CellPoint(f.StringGrid1, 5, 7).second);
    QTest::mouseRelease(CellPoint(f.StringGrid1, 5, 7).first, Qt::RightButton, Qt::NoModifier,
                        CellPoint(f.StringGrid1, 5, 7).second);
    EXPECT_EQ(f.StringGrid1->Selection(), (TGridRect{1, 2, 1, 2}));
    EXPECT_EQ(f.EditCol, 1);
    EXPECT_EQ(f.EditRow, 2);
}

TEST_F(WindowTest, WheelMovesFirstVisibleRowAndCurrentCell) {
    TForm1& f = Start();
    ClickCell(f.StringGrid1, 1, 1);
    ASSERT_LT(f.StringGrid1->VisibleRowCount(), 20);
    EXPECT_EQ(f.StringGrid1->TopRow(), 1);
    auto wheel = [&](int delta) {
        const QPoint at = f.StringGrid1->viewport()->rect().center();
        QWheelEvent event(at, f.StringGrid1->viewport()->mapToGlobal(at), QPoint(),
                          QPoint(0, delta), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(f.StringGrid1->viewport(), &event);
    };
    wheel(-120);
    EXPECT_EQ(f.StringGrid1->TopRow(), 2);
    EXPECT_EQ(f.StringGrid1->Row(), 2);
    wheel(120);
    EXPECT_EQ(f.StringGrid1->TopRow(), 1);
    EXPECT_EQ(f.StringGrid1->Row(), 1);
    wheel(120);
    EXPECT_EQ(f.StringGrid1->TopRow(), 1);
    EXPECT_EQ(f.StringGrid1->Row(), 1);
}

namespace {

// The horizontal extent of the dark pixels drawn in a rectangle.
std::pair<int, int> InkSpan(const QImage& image, const QRect& rect) {
    int first = -1;
    int last = -1;
    for (int x = rect.left(); x <= rect.right(); ++x) {
        for (int y = rect.top(); y <= rect.bottom(); ++y) {
            if (qGray(image.pixel(x, y)) < 110) {
                if (first < 0) {
                    first = x;
                }
                last = x;
                break;
            }
        }
    }
    return {first - rect.left(), rect.right() - last};
}

} // namespace

TEST_F(WindowTest, CellsAreDrawnWithColumnAlignmentAndTheirColours) {
    TForm1& f = Start();
    f.SetCell(4, 2, "kg");
    f.SetCell(6, 2, "1500");
    f.SetCell(7, 2, "note");
    f.StringGrid1->SetSelection(TGridRect{1, 5, 2, 5});
    f.Edit2->setFocus();
    QApplication::processEvents();
    const QImage image = f.StringGrid1->viewport()->grab().toImage();
    auto cellRect = [&](int col, int row) {
        return f.StringGrid1->visualRect(f.StringGrid1->model()->index(row - 1, col - 1))
            .adjusted(1, 1, -2, -2);
    };
    const auto [unitLeft, unitRight] = InkSpan(image, cellRect(4, 2));
    EXPECT_LE(std::abs(unitLeft - unitRight), 3) << unitLeft << " " << unitRight;
    EXPECT_GT(unitLeft, 3);
    const auto [amountLeft, amountRight] = InkSpan(image, cellRect(6, 2));
    EXPECT_LE(amountRight, 4);
    EXPECT_GT(amountLeft, 30);
    const auto [remarkLeft, remarkRight] = InkSpan(image, cellRect(7, 2));
    EXPECT_LE(remarkLeft, 4);
    EXPECT_GT(remarkRight, 10);

    const QRect selected = cellRect(2, 5);
    EXPECT_EQ(QColor(image.pixel(selected.center())), TStringGrid::SelectedColor);
    EXPECT_EQ(QColor(image.pixel(cellRect(3, 5).center())),
              f.StringGrid1->palette().color(QPalette::Base));
    const QImage titles = f.StringGrid1->horizontalHeader()->viewport()->grab().toImage();
    EXPECT_EQ(QColor(titles.pixel(75, 4)), TStringGrid::FixedColor);
    // The corner is a fixed cell too.
    auto* corner =
        f.StringGrid1->findChild<QAbstractButton*>(QString(), Qt::FindDirectChildrenOnly);
    ASSERT_NE(corner, nullptr);
    const QImage cornerImage = corner->grab().toImage();
    EXPECT_EQ(QColor(cornerImage.pixel(cornerImage.rect().center())), TStringGrid::FixedColor);
}

// Titles are measured in the grid's own font, as they are painted (Qt would
// measure them in bold).
TEST_F(WindowTest, TitlesAreMeasuredInTheGridFont) {
    TForm1& f = Start();
    const QFontMetrics metrics(f.StringGrid1->font());
    const QString title = f.StringGrid1->Cells(1, 0);
    ASSERT_FALSE(title.isEmpty());
    EXPECT_EQ(f.StringGrid1->horizontalHeader()->sectionSizeHint(0),
              metrics.horizontalAdvance(title) + 8);
    EXPECT_EQ(f.StringGrid1->verticalHeader()->sectionSizeHint(0), metrics.height() + 8);
}

// A pasted text of a million characters shows in its cell as a text that
// overflows the cell: the start where the column aligns left, the end where
// it aligns right.
TEST_F(WindowTest, LongTextsShowTheirAlignedEndAsShortOverflowingTextsDo) {
    TForm1& f = Start();
    f.Edit2->setFocus();
    auto cellImage = [&](int col, const QString& text) {
        f.StringGrid1->SetCells(col, 3, text);
        QApplication::processEvents();
        const QRect rect = f.StringGrid1->visualRect(f.StringGrid1->model()->index(2, col - 1));
        return f.StringGrid1->viewport()->grab(rect).toImage();
    };
    const int kLong = 1'000'000;
    const QString start = qttext::Q("品物ABC");
    const QString end = qttext::Q("123円");
    EXPECT_EQ(cellImage(1, start + QString(kLong, QChar('.'))),
              cellImage(1, start + QString(400, QChar('.'))));
    EXPECT_EQ(cellImage(6, QString(kLong, QChar('.')) + end),
              cellImage(6, QString(400, QChar('.')) + end));
    EXPECT_EQ(f.StringGrid1->Cells(1, 3).size(), start.size() + kLong);
}
