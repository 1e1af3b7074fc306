#include "MainWindowFixture.h"

#include "Cp932.h"
#include "LinePaste.h"
#include "QtText.h"

#include <QAction>
#include <QClipboard>
#include <QLineEdit>
#include <QPushButton>

using qttext::Q;

namespace {

class EditingCommands : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        Form().SetCell(1, 1, "a");
        Form().SetCell(2, 1, "b");
        Form().SetCell(1, 2, "c");
        Form().SetCell(2, 2, S("ｄ d"));
    }
    TStringGrid* Grid() { return Form().StringGrid1; }
    QString Clipboard() { return QGuiApplication::clipboard()->text(); }
    void SetClipboard(const QString& text) { QGuiApplication::clipboard()->setText(text); }
    // Ctrl+<key> pressed and released in the grid with the range selected.
    void CtrlKeyOnRange(Qt::Key key, const TGridRect& range) {
        Grid()->SetSelection(range);
        Grid()->setFocus();
        QTest::keyClick(Grid(), key, Qt::ControlModifier);
    }
};

} // namespace

TEST_F(EditingCommands, CtrlKeysCopyCutAndPasteTheSelectedRange) {
    Form().SetField(field::AmountTotal, "999");
    CtrlKeyOnRange(Qt::Key_C, TGridRect{1, 1, 2, 2});
    EXPECT_EQ(Clipboard(), Q("a,b\r\nc,\"ｄ d\"\r\n"));

    CtrlKeyOnRange(Qt::Key_V, TGridRect{5, 4, 5, 4});
    EXPECT_EQ(Form().Cell(5, 4), "a");
    EXPECT_EQ(Form().Cell(6, 4), "b");
    EXPECT_EQ(Form().Cell(5, 5), "c");
    EXPECT_EQ(Form().Cell(6, 5), S("ｄ d"));

    CtrlKeyOnRange(Qt::Key_X, TGridRect{1, 1, 2, 1});
    EXPECT_EQ(Clipboard(), Q("a,b\r\n"));
    EXPECT_EQ(Form().Cell(1, 1), "");
    EXPECT_EQ(Form().Cell(2, 1), "");
    // Moving texts neither recalculates nor marks the note as edited.
    EXPECT_EQ(Form().Field(field::AmountTotal), "999");
    EXPECT_EQ(Form().Edited, 0);
}

TEST_F(EditingCommands, CtrlCWhileACellIsEditedLeavesTheRangeOffTheClipboard) {
    Grid()->SetSelection(TGridRect{1, 1, 1, 1});
    Grid()->setFocus();
    QTest::keyClick(Grid(), Qt::Key_F2);
    QLineEdit* editor = Grid()->CellEditor();
    ASSERT_NE(editor, nullptr);
    editor->deselect();
    SetClipboard("before");
    QTest::keyClick(editor, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(Clipboard(), "before");
    QTest::keyClick(editor, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(Form().Cell(1, 1), "a");
}

TEST_F(EditingCommands, GridMenuItemsActOnlyAfterAClickOnADataCell) {
    SetClipboard("before");
    Grid()->SetSelection(TGridRect{1, 1, 2, 1});
    Form().EditCol = 0; // last click on the row numbers
    Form().EditRow = 3;
    Form().GridCopy->trigger();
    Form().GridCut->trigger();
    EXPECT_EQ(Clipboard(), "before");
    EXPECT_EQ(Form().Cell(1, 1), "a");

    Form().EditCol = 1;
    Form().EditRow = 1;
    Form().Grid5Copy->trigger();
    EXPECT_EQ(Clipboard(), Q("a,b\r\n"));
    SetClipboard("x\ty");
    Grid()->SetSelection(TGridRect{3, 7, 3, 7});
    Form().Grid2Paste->trigger();
    EXPECT_EQ(Form().Cell(3, 7), "x");
    EXPECT_EQ(Form().Cell(4, 7), "y");
}

TEST_F(EditingCommands, EditMenuActsOnTheFocusedTextField) {
    QLineEdit* field = Form().Edit2;
    field->setText(Q("山田商店"));
    field->setFocus();
    field->setSelection(0, 2);
    Form().N19->trigger();
    EXPECT_EQ(Clipboard(), Q("山田"));
    Form().N18->trigger();
    EXPECT_EQ(field->text(), Q("商店"));
    field->setCursorPosition(2);
    Form().N20->trigger();
    EXPECT_EQ(field->text(), Q("商店山田"));

    // Paste does nothing at all without text on the clipboard.
    QGuiApplication::clipboard()->clear();
    field->selectAll();
    Form().N20->trigger();
    EXPECT_EQ(field->text(), Q("商店山田"));

    // A button in focus: nothing happens.
    SetClipboard("kept");
    Form().Button3->setFocus();
    Form().N18->trigger();
    Form().N20->trigger();
    EXPECT_EQ(Clipboard(), "kept");
    EXPECT_EQ(field->text(), Q("商店山田"));
}

TEST_F(EditingCommands, EditMenuOnTheGridUsesTheCellEditorOnly) {
    SetClipboard("kept");
    Grid()->SetSelection(TGridRect{1, 1, 2, 2});
    Grid()->setFocus();
    Form().N19->trigger(); // no cell is being edited: nothing
    EXPECT_EQ(Clipboard(), "kept");

    Grid()->SetSelection(TGridRect{2, 1, 2, 1});
    QTest::keyClick(Grid(), Qt::Key_F2);
    QLineEdit* editor = Grid()->CellEditor();
    ASSERT_NE(editor, nullptr);
    editor->selectAll();
    Form().N19->trigger();
    EXPECT_EQ(Clipboard(), "b");
    SetClipboard("kept");
    Form().String5Copy->trigger(); // the grid menus' コピー: the editor's selection
    EXPECT_EQ(Clipboard(), "b");
    editor->selectAll();
    SetClipboard("pasted");
    Form().N20->trigger();
    EXPECT_EQ(editor->text(), "pasted");
}

TEST_F(EditingCommands, SuffixMenuCutsCopiesAndPastesInTheSuffixField) {
    QLineEdit* suffix = Form().Edit18;
    suffix->setText(Q("御中"));
    suffix->selectAll();
    Form().String4Copy->trigger();
    EXPECT_EQ(Clipboard(), Q("御中"));
    suffix->setSelection(1, 1);
    Form().string4Cut->trigger();
    EXPECT_EQ(Clipboard(), Q("中"));
    EXPECT_EQ(suffix->text(), Q("御"));
    suffix->selectAll();
    SetClipboard(Q("殿"));
    Form().String4Paste->trigger();
    EXPECT_EQ(suffix->text(), Q("殿"));
    // Without text on the clipboard the selection is removed.
    QGuiApplication::clipboard()->clear();
    suffix->selectAll();
    Form().String4Paste->trigger();
    EXPECT_EQ(suffix->text(), "");
}

TEST_F(EditingCommands, LineBreaksPasteAsSpacesIntoOneLineFields) {
    EXPECT_EQ(linepaste::OneLine("A\r\nB\rC\nD\r\n"), "A B C D");
    EXPECT_EQ(linepaste::OneLine("\n\nA"), "  A");
    EXPECT_EQ(linepaste::OneLine("A\n"), "A");

    // The paste key in a window field.
    QLineEdit* name = Form().Edit2;
    name->setText("x");
    name->setFocus();
    name->selectAll();
    SetClipboard("A\nB");
    QTest::keySequence(name, QKeySequence::Paste);
    EXPECT_EQ(name->text(), "A B");
    name->undo(); // one step, as the field's own paste
    EXPECT_EQ(name->text(), "x");

    // The 編集 menu and the suffix field's menu.
    name->selectAll();
    SetClipboard(Q("山田\r\n商店\r\n"));
    Form().N20->trigger();
    EXPECT_EQ(name->text(), Q("山田 商店"));
    Form().Edit18->selectAll();
    SetClipboard("A\r\nB");
    Form().String4Paste->trigger();
    EXPECT_EQ(Form().Edit18->text(), "A B");

    // The grid's cell editor keeps the break visible as a space, and the
    // cell gets what the editor showed.
    Grid()->SetSelection(TGridRect{1, 3, 1, 3});
    Grid()->setFocus();
    QTest::keyClick(Grid(), Qt::Key_F2);
    QLineEdit* editor = Grid()->CellEditor();
    ASSERT_NE(editor, nullptr);
    editor->selectAll();
    SetClipboard("A\nB");
    QTest::keySequence(editor, QKeySequence::Paste);
    EXPECT_EQ(editor->text(), "A B");
}

// The paste converts only the lines that reach the grid: from row 18 that
// is three, whatever line ends separate them and however long the rest.
TEST_F(EditingCommands, PasteNearTheLastRowTakesTheLinesThatFit) {
    EXPECT_EQ(linepaste::LeadingLines("a\r\nb\rc\nd", 3), "a\r\nb\rc");
    EXPECT_EQ(linepaste::LeadingLines("a\r\nb", 1), "a");
    EXPECT_EQ(linepaste::LeadingLines("a\r\nb", 5), "a\r\nb");
    EXPECT_EQ(linepaste::LeadingLines("a", 0), "");

    const QString rest = QString("z,z\n").repeated(100'000);
    SetClipboard(Q("品1,1\r\n品2,2\r品3,3\n") + rest);
    CtrlKeyOnRange(Qt::Key_V, TGridRect{2, 18, 2, 18});
    EXPECT_EQ(Form().Cell(2, 18), S("品1"));
    EXPECT_EQ(Form().Cell(3, 18), "1");
    EXPECT_EQ(Form().Cell(2, 19), S("品2"));
    EXPECT_EQ(Form().Cell(2, 20), S("品3"));
    EXPECT_EQ(Form().Cell(3, 20), "3");

    // A line end right after the last line that fits.
    SetClipboard("p\nq\r\n");
    CtrlKeyOnRange(Qt::Key_V, TGridRect{4, 19, 4, 19});
    EXPECT_EQ(Form().Cell(4, 19), "p");
    EXPECT_EQ(Form().Cell(4, 20), "q");
}
