// The window as a user meets it: where it comes up, a grid that follows the
// current cell, clicks and double-clicks, the cell editor's menu, characters
// the files cannot keep, and text on the program's own colours.
#include "GridTestSupport.h"
#include "MainWindowFixture.h"

#include "Cp932.h"
#include "QtText.h"
#include "QuestionBox.h"
#include "WindowPlacement.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QFile>
#include <QFileDialog>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QScreen>
#include <QSettings>
#include <QStatusBar>
#include <QStyleOptionFrame>
#include <QTranslator>

using qttext::Q;

namespace {

bool CurrentCellFullyInView(TStringGrid* grid) {
    const QRect cell = grid->visualRect(grid->currentIndex());
    return grid->viewport()->rect().contains(cell);
}

// Return in the cell editor; the editor hands its text to the cell through a
// queued call.
void CommitCell(QWidget* editor) {
    QTest::keyClick(editor, Qt::Key_Return);
    QApplication::processEvents();
}

// A control told by its kind and place, for a failure's message.
std::string Where(const QWidget* w) {
    const QRect g = w->geometry();
    return std::string(w->metaObject()->className()) + " " + std::to_string(g.x()) + "," +
           std::to_string(g.y()) + " " + std::to_string(g.width()) + "x" +
           std::to_string(g.height());
}

QString StatusLine(TForm1& f) {
    return f.StatusBar1->findChild<QLabel*>("StatusText")->text();
}

} // namespace

TEST(WindowPlacement, TheTitleBarStaysOnAScreen) {
    const QList<QRect> screens = {QRect(0, 0, 1024, 768), QRect(1024, 0, 800, 600)};
    const QSize frame(800, 620);
    EXPECT_EQ(placement::KeepTitleBarOnScreen({30, 30}, frame, screens), QPoint(30, 30));
    EXPECT_EQ(placement::KeepTitleBarOnScreen({1100, 10}, frame, screens), QPoint(1100, 10))
        << "on the second screen";
    EXPECT_EQ(placement::KeepTitleBarOnScreen({-700, 100}, frame, screens), QPoint(-700, 100))
        << "100 px of the title bar are enough to grab";
    EXPECT_EQ(placement::KeepTitleBarOnScreen({30, -30}, frame, screens), QPoint(30, 0));
    EXPECT_EQ(placement::KeepTitleBarOnScreen({30, 760}, frame, screens), QPoint(30, 148));
    EXPECT_EQ(placement::KeepTitleBarOnScreen({5000, 5000}, frame, screens), QPoint(224, 148));
    EXPECT_EQ(placement::KeepTitleBarOnScreen({-30, -30}, QSize(2000, 2000), screens), QPoint(0, 0))
        << "a window larger than the screen starts at its corner";
    EXPECT_EQ(placement::KeepTitleBarOnScreen({-30, -30}, frame, {}), QPoint(-30, -30));
}

// Setting a field shows the text from its start and unedited, also when the
// field already held that text after the user typed it.
TEST_F(WindowTest, SettingAFieldToItsTextShowsItFromTheStartUnedited) {
    TForm1& f = Start();
    f.SetField(2, std::string());
    f.Edit2->setFocus();
    QTest::keyClicks(f.Edit2, "abc");
    ASSERT_EQ(f.Edit2->cursorPosition(), 3);
    ASSERT_TRUE(f.Edit2->isModified());
    f.SetField(2, "abc");
    EXPECT_EQ(f.Edit2->text(), "abc");
    EXPECT_EQ(f.Edit2->cursorPosition(), 0);
    EXPECT_FALSE(f.Edit2->isModified());
    f.Edit2->setSelection(2, -2); // the cursor at the start, two characters selected
    ASSERT_EQ(f.Edit2->cursorPosition(), 0);
    f.SetField(2, "abc");
    EXPECT_FALSE(f.Edit2->hasSelectedText());
    f.SetField(2, "xyz");
    EXPECT_EQ(f.Edit2->text(), "xyz");
    EXPECT_EQ(f.Edit2->cursorPosition(), 0);
}

TEST_F(WindowTest, ThePositionComesBackThroughACloseAndANewWindow) {
    TForm1& first = Start();
    first.move(140, 90);
    CloseWindow();
    for (int start = 0; start < 3; ++start) {
        form_.reset();
        TForm1& again = Start();
        EXPECT_EQ(again.frameGeometry().topLeft(), QPoint(140, 90)) << start;
        CloseWindow();
        QSettings ini(SettingsFile(), QSettings::IniFormat);
        EXPECT_EQ(ini.value("POS/Top").toString(), "90");
        EXPECT_EQ(ini.value("POS/Left").toString(), "140");
    }
}

TEST_F(WindowTest, APositionOffEveryScreenComesBackOntoThePrimaryOne) {
    {
        QSettings ini(SettingsFile(), QSettings::IniFormat);
        ini.setValue("POS/Top", "-30");
        ini.setValue("POS/Left", "-9000");
    }
    TForm1& f = Start();
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_GE(f.frameGeometry().top(), screen.top());
    EXPECT_GE(f.frameGeometry().left(), screen.left());
}

TEST_F(WindowTest, TheGridFollowsTheCurrentCellBelowTheVisibleRows) {
    TForm1& f = Start();
    TStringGrid* grid = f.StringGrid1;
    ASSERT_LT(grid->VisibleRowCount(), 16) << "the test needs rows out of view";
    ClickCell(grid, 1, 15);
    QTest::keyClick(grid, Qt::Key_Down);
    EXPECT_EQ(grid->Row(), 16);
    EXPECT_TRUE(CurrentCellFullyInView(grid));
    QTest::keyClicks(grid, "x");
    CommitCell(grid->CellEditor());
    EXPECT_EQ(f.Cell(1, 16), "x");

    QTest::keyClick(grid, Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(grid->TopRow(), 1);
    QTest::keyClick(grid, Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(grid->Row(), 20);
    EXPECT_TRUE(CurrentCellFullyInView(grid));

    grid->SetTopRow(1);
    grid->SetCurrentCell(7, 17);
    EXPECT_TRUE(CurrentCellFullyInView(grid)) << "moved by the program";
    grid->SetTopRow(1);
    QTest::keyClick(grid, Qt::Key_Tab);
    EXPECT_EQ(grid->Row(), 18) << "Tab wraps round to the next line";
    EXPECT_EQ(grid->Col(), 1);
    EXPECT_TRUE(CurrentCellFullyInView(grid));
}

TEST_F(WindowTest, AClickInsideASelectedRangeSelectsTheClickedCellForThePaste) {
    TForm1& f = Start();
    TStringGrid* grid = f.StringGrid1;
    auto [widget, from] = CellPoint(grid, 1, 8);
    QTest::mousePress(widget, Qt::LeftButton, Qt::NoModifier, from);
    const QPoint to = CellPoint(grid, 2, 9).second;
    QMouseEvent drag(QEvent::MouseMove, to, widget->mapToGlobal(to), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(widget, &drag);
    QTest::mouseRelease(widget, Qt::LeftButton, Qt::NoModifier, to);
    ASSERT_EQ(grid->Selection(), (TGridRect{1, 8, 2, 9}));

    ClickCell(grid, 1, 9);
    EXPECT_EQ(grid->Selection(), (TGridRect{1, 9, 1, 9}));
    QTest::keyClick(grid, Qt::Key_Escape);
    QGuiApplication::clipboard()->setText("pasted");
    f.GridPaste->trigger();
    EXPECT_EQ(f.Cell(1, 9), "pasted");
    EXPECT_EQ(f.Cell(1, 8), "");

    QTest::keyClick(grid, Qt::Key_A, Qt::ControlModifier);
    ASSERT_NE(grid->Selection(), (TGridRect{3, 4, 3, 4}));
    ClickCell(grid, 3, 4);
    EXPECT_EQ(grid->Selection(), (TGridRect{3, 4, 3, 4})) << "after select-all too";
}

TEST_F(WindowTest, DoubleClickAndF2OpenTheEditorWithTheCursorAtTheEnd) {
    TForm1& f = Start();
    TStringGrid* grid = f.StringGrid1;
    f.SetCell(1, 3, "abc");
    f.SetCell(2, 4, "xy");
    auto [widget, point] = CellPoint(grid, 1, 3);
    QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, point);
    QTest::mouseDClick(widget, Qt::LeftButton, Qt::NoModifier, point);
    QApplication::processEvents();
    QLineEdit* editor = grid->CellEditor();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(QApplication::focusWidget(), editor);
    QTest::keyClicks(QApplication::focusWidget(), "d");
    CommitCell(QApplication::focusWidget());
    EXPECT_EQ(f.Cell(1, 3), "abcd");

    ClickCell(grid, 2, 4);
    QTest::keyClick(grid, Qt::Key_F2);
    ASSERT_NE(grid->CellEditor(), nullptr);
    QTest::keyClicks(grid->CellEditor(), "z");
    CommitCell(grid->CellEditor());
    EXPECT_EQ(f.Cell(2, 4), "xyz");

    // A click on the cell being current does not open the editor later:
    // the key typed at once replaces the text.
    ClickCell(grid, 2, 4);
    QTest::keyClicks(grid, "n");
    ASSERT_NE(grid->CellEditor(), nullptr);
    CommitCell(grid->CellEditor());
    EXPECT_EQ(f.Cell(2, 4), "n") << "typing without opening the editor replaces the text";
}

TEST_F(WindowTest, TheCellEditorOffersTheColumnsMenuAndItsWords) {
    TForm1& f = Start();
    TStringGrid* grid = f.StringGrid1;
    ClickCell(grid, 1, 2);
    QTest::keyClick(grid, Qt::Key_F2);
    QLineEdit* editor = grid->CellEditor();
    ASSERT_NE(editor, nullptr);
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(4, 4),
                            editor->mapToGlobal(QPoint(4, 4)));
    QApplication::sendEvent(editor, &event);
    EXPECT_TRUE(f.PopupMenu1->isVisible());
    QMenu* standard = nullptr;
    for (QMenu* menu : editor->findChildren<QMenu*>()) {
        standard = menu->isVisible() ? menu : standard;
    }
    EXPECT_EQ(standard, nullptr) << "no line-edit menu";
    f.PopupMenu1->hide();

    // A word chosen there goes into the cell being edited.
    QAction* word = f.PopupMenu1->actions().value(5);
    ASSERT_NE(word, nullptr);
    word->trigger();
    ASSERT_EQ(grid->CellEditor(), editor);
    CommitCell(editor);
    EXPECT_EQ(f.Cell(1, 2), word->data().toByteArray().toStdString());

    // A unit cell reached by Tab offers the unit words while it is edited;
    // outside the editor the menu stays the one of the column last clicked,
    // whose words go into the cell last clicked.
    QTest::keyClick(grid, Qt::Key_Tab);
    QTest::keyClick(grid, Qt::Key_Tab);
    QTest::keyClick(grid, Qt::Key_Tab);
    ASSERT_EQ(grid->Col(), 4);
    QTest::keyClick(grid, Qt::Key_F2);
    editor = grid->CellEditor();
    ASSERT_NE(editor, nullptr);
    QContextMenuEvent unitEvent(QContextMenuEvent::Mouse, QPoint(4, 4),
                                editor->mapToGlobal(QPoint(4, 4)));
    QApplication::sendEvent(editor, &unitEvent);
    EXPECT_TRUE(f.PopupMenu3->isVisible());
    EXPECT_FALSE(f.PopupMenu1->isVisible());
    f.PopupMenu3->hide();
    QAction* unit = f.PopupMenu3->actions().value(5);
    ASSERT_NE(unit, nullptr);
    unit->trigger();
    CommitCell(editor);
    EXPECT_EQ(f.Cell(4, 2), unit->data().toByteArray().toStdString());
    EXPECT_EQ(grid->PopupMenu, f.PopupMenu1);
}

TEST_F(WindowTest, CharactersTheFilesCannotKeepAreReportedAtTypingAndAtSaving) {
    TForm1& f = Start();
    f.Edit2->setFocus();
    f.Edit2->insert(Q("𠮷野"));
    EXPECT_TRUE(StatusLine(f).contains(Q("「𠮷」"))) << StatusLine(f).toStdString();
    f.Edit6->setFocus();
    f.Edit6->insert(Q("森商店"));
    EXPECT_TRUE(StatusLine(f).contains(Q("「𠮷」"))) << "a text the files keep says nothing";

    ClickCell(f.StringGrid1, 1, 2);
    QTest::keyClick(f.StringGrid1, Qt::Key_F2);
    ASSERT_NE(f.StringGrid1->CellEditor(), nullptr);
    f.StringGrid1->CellEditor()->insert(Q("剝離"));
    EXPECT_TRUE(StatusLine(f).contains(Q("「剝」")));
    CommitCell(f.StringGrid1->CellEditor());

    f.CurrentFile = WorkPath("lost.srt").toStdString();
    f.N11->trigger();
    ASSERT_TRUE(QFile::exists(WorkPath("lost.srt")));
    const QString report = StatusLine(f);
    EXPECT_TRUE(report.startsWith(WorkPath("lost.srt"))) << report.toStdString();
    EXPECT_TRUE(report.contains(Q("顧客名「𠮷」"))) << report.toStdString();
    EXPECT_TRUE(report.contains(Q("2行名称「剝」"))) << report.toStdString();
    EXPECT_FALSE(report.contains(Q("名前「"))) << report.toStdString();

    // Cells pasted from the clipboard take the code page at once: the
    // status line names what became "?".
    ClickCell(f.StringGrid1, 1, 5);
    QGuiApplication::clipboard()->setText(Q("森鷗外\tok\r\n剝離\r\n"));
    f.GridPaste->trigger();
    EXPECT_EQ(f.Cell(1, 5), S("森") + "?" + S("外"));
    EXPECT_EQ(f.Cell(1, 6), "?" + S("離"));
    EXPECT_TRUE(StatusLine(f).contains(Q("「鷗剝」"))) << StatusLine(f).toStdString();
    QGuiApplication::clipboard()->setText("plain\tok");
    f.GridPaste->trigger();
    EXPECT_EQ(f.Cell(1, 5), "plain");
    EXPECT_TRUE(StatusLine(f).contains(Q("「鷗剝」"))) << "a paste the files keep says nothing";
}

// The character the files cannot keep is marked in its field (light red
// ground) until it is taken out again.
TEST_F(WindowTest, TheMarkGoesWithTheCharacter) {
    TForm1& f = Start();
    const auto markedPixels = [&f] {
        const QImage image = f.Edit2->grab().toImage();
        int count = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                count += QColor(image.pixel(x, y)) == QColor(0xFF, 0xC0, 0xC0) ? 1 : 0;
            }
        }
        return count;
    };
    f.Edit2->setFocus();
    f.Edit2->clear();
    QTest::keyClicks(f.Edit2, "ab");
    EXPECT_EQ(markedPixels(), 0);
    f.Edit2->insert(Q("鷗"));
    QTest::keyClicks(f.Edit2, "c");
    EXPECT_GT(markedPixels(), 20);
    QTest::keyClick(f.Edit2, Qt::Key_Left);
    QTest::keyClick(f.Edit2, Qt::Key_Backspace);
    EXPECT_EQ(f.Edit2->text(), "abc");
    EXPECT_EQ(markedPixels(), 0) << "no mark left behind on another character";
}

// With a dark theme the text on the program's own light colours stays black.
TEST_F(WindowTest, TextOnTheProgramsOwnColoursIsBlackUnderADarkPalette) {
    TForm1& f = Start();
    QPalette dark = f.StringGrid1->palette();
    dark.setColor(QPalette::Base, QColor(0x20, 0x20, 0x20));
    dark.setColor(QPalette::Text, Qt::white);
    dark.setColor(QPalette::WindowText, Qt::white);
    dark.setColor(QPalette::ButtonText, Qt::white);
    dark.setColor(QPalette::HighlightedText, Qt::white);
    f.StringGrid1->setPalette(dark);
    f.StringGrid1->horizontalHeader()->setPalette(dark);
    f.SetCell(1, 3, S("■■■■"));
    f.StringGrid1->SetSelection(TGridRect{1, 3, 2, 3});
    f.Edit2->setFocus();
    QApplication::processEvents();

    auto darkestIn = [](const QImage& image, const QRect& area) {
        int darkest = 255;
        for (int y = area.top(); y <= area.bottom(); ++y) {
            for (int x = area.left(); x <= area.right(); ++x) {
                darkest = std::min(darkest, qGray(image.pixel(x, y)));
            }
        }
        return darkest;
    };
    const QImage cells = f.StringGrid1->viewport()->grab().toImage();
    const QRect selected =
        f.StringGrid1->visualRect(f.StringGrid1->model()->index(2, 0)).adjusted(3, 3, -3, -3);
    EXPECT_EQ(QColor(cells.pixel(selected.topLeft())), TStringGrid::SelectedColor);
    EXPECT_LT(darkestIn(cells, selected), 40) << "black text on the selected cell";
    const QImage titles = f.StringGrid1->horizontalHeader()->viewport()->grab().toImage();
    EXPECT_LT(darkestIn(titles, QRect(3, 3, 50, titles.height() - 6)), 40)
        << "black titles on the fixed colour";
}

// TEL and the two bank lines stand 16 pixels apart and are that high: no
// control covers another (the grid and the labels beside it included), and
// every field has room for its text.
TEST_F(WindowTest, NoFieldCoversAnotherAndEveryFieldHasRoomForItsText) {
    TForm1& f = Start();
    EXPECT_EQ(f.Edit7->geometry(), QRect(592, 152, 121, 16));
    EXPECT_EQ(f.Edit8->geometry(), QRect(592, 168, 121, 16));
    EXPECT_EQ(f.Edit9->geometry(), QRect(592, 184, 121, 16));
    QList<QWidget*> parts;
    for (QWidget* w : f.Client->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (w->isVisible()) {
            parts << w;
        }
    }
    ASSERT_GT(parts.size(), 30);
    for (int i = 0; i < parts.size(); ++i) {
        for (int j = i + 1; j < parts.size(); ++j) {
            // The rate and the tax share their border line, as laid out.
            const QRect common = parts[i]->geometry().intersected(parts[j]->geometry());
            EXPECT_TRUE(common.isEmpty() || common.width() == 1)
                << Where(parts[i]) << " / " << Where(parts[j]);
        }
    }
    for (QLineEdit* field : f.Client->findChildren<QLineEdit*>(Qt::FindDirectChildrenOnly)) {
        QStyleOptionFrame option;
        option.initFrom(field);
        option.rect = field->rect();
        option.lineWidth =
            field->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, field);
        const QRect text =
            field->style()->subElementRect(QStyle::SE_LineEditContents, &option, field);
        // The text line is centred in that rectangle and clipped to it.
        EXPECT_GE(text.height(), field->fontMetrics().height()) << Where(field);
    }
}

TEST(QuestionBox, QtsOwnTextsSpeakJapanese) {
    QTranslator* translator = qttext::InstallJapaneseTranslation(*QCoreApplication::instance());
    ASSERT_NE(translator, nullptr) << "Qt's Japanese translation is installed";
    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    const auto* lookIn = dialog.findChild<QLabel*>("lookInLabel");
    ASSERT_NE(lookIn, nullptr);
    EXPECT_NE(lookIn->text(), "Look in:");
    EXPECT_FALSE(lookIn->text().contains("Look")) << lookIn->text().toStdString();
    QCoreApplication::removeTranslator(translator);
    delete translator;

    ModalDriver driver;
    QStringList captions;
    driver.On<QMessageBox>([&captions](QMessageBox& box) {
        for (QAbstractButton* button : box.buttons()) {
            captions << button->text();
        }
        box.button(QMessageBox::No)->click();
    });
    EXPECT_EQ(qttext::AskQuestion(nullptr, Q("確認"), Q("追加しますか")), qttext::Answer::No);
    captions.sort();
    QStringList expected = {Q("はい"), Q("いいえ"), Q("キャンセル")};
    expected.sort();
    EXPECT_EQ(captions, expected);
}

// Every field the user can type into is watched, the first (日付) and the
// last among them.
TEST_F(WindowTest, EveryEditableFieldReportsLostCharacters) {
    TForm1& f = Start();
    for (int number = 1; number <= field::Last; ++number) {
        QLineEdit* edit = f.EditField(number);
        if (edit == nullptr || edit->isReadOnly()) {
            continue;
        }
        f.SetStatus("");
        edit->setFocus();
        edit->insert(Q("鷗"));
        EXPECT_TRUE(StatusLine(f).contains(Q("「鷗」"))) << "field " << number;
        edit->undo();
    }
}
