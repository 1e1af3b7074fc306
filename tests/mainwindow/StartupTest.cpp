// The window as start-up leaves it, the settings file, and the window's
// side of the master file.
#include "MainWindowFixture.h"

#include "AboutBox.h"
#include "Cp932.h"
#include "DialogFilters.h"
#include "MasterFile.h"
#include "MemoryWindow.h"
#include "NoteFiles.h"
#include "QtText.h"
#include "ScreenFont.h"
#include "ToolIcons.h"
#include "ToolPictures.h"
#include "WindowTexts.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGroupBox>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QToolButton>
#include <algorithm>
#include <cstdlib>
#include <thread>
#include <vector>

using qttext::Q;

namespace {

QStringList Captions(const QMenu* menu) {
    QStringList result;
    for (const QAction* a : menu->actions()) {
        result << (a->isSeparator() ? QString("-") : a->text());
    }
    return result;
}

} // namespace

TEST_F(WindowTest, StartupFillsFieldsGridAndSelector) {
    TForm1& f = Start();
    EXPECT_EQ(f.windowTitle(), Q("ノートリオ mini"));
    EXPECT_EQ(f.Field(1), wintext::TodayText());
    EXPECT_EQ(f.Edit10->text(), "0");
    EXPECT_EQ(f.Edit11->text(), "5");
    EXPECT_EQ(f.Edit12->text(), "0");
    EXPECT_EQ(f.Edit13->text(), "0");
    EXPECT_EQ(f.Edit14->text(), "0");
    EXPECT_EQ(f.Edit15->text(), Q("表の位置表示"));
    EXPECT_EQ(f.Edit16->text(), "");
    EXPECT_EQ(f.Edit17->text(), "");
    EXPECT_EQ(f.Edit18->text(), Q("様"));
    EXPECT_EQ(f.Edit2->toolTip(), Q("お客様の名前"));
    EXPECT_EQ(f.Edit17->toolTip(), Q("表のカーソル位置のデータ"));
    EXPECT_EQ(f.SpeedButton3->toolTip(), Q("すべて印刷A4"));
    EXPECT_EQ(f.Button9->toolTip(), Q("納品書(控)納品書請求書を印刷します"));
    EXPECT_EQ(f.Label17->text(), Q("セル値"));
    EXPECT_EQ(f.Label16->text(), "No");

    ASSERT_EQ(f.ColCount(), 8);
    ASSERT_EQ(f.RowCount(), 21);
    const char* titles[] = {"", "名称", "仕様", "数量", "単位", "単価", "税抜き金額", "摘要"};
    for (int c = 0; c < 8; ++c) {
        EXPECT_EQ(f.Cell(c, 0), S(titles[c])) << c;
    }
    for (int r = 1; r < 21; ++r) {
        EXPECT_EQ(f.Cell(0, r), std::to_string(r));
        for (int c = 1; c < 8; ++c) {
            EXPECT_EQ(f.Cell(c, r), "");
        }
    }
    EXPECT_EQ(f.StringGrid1->ColWidth(0), 64);
    EXPECT_EQ(f.StringGrid1->ColWidth(6), 93);
    EXPECT_EQ(f.StringGrid1->Selection(), (TGridRect{0, 0, 0, 0}));

    ASSERT_EQ(f.ComboBox1->count(), 2);
    EXPECT_EQ(f.ComboBox1->itemText(0), Q("税抜き金額"));
    EXPECT_EQ(f.ComboBox1->itemText(1), Q("税込み金額"));
    EXPECT_EQ(f.ComboBox1->currentText(), Q("税抜き金額"));
    EXPECT_EQ(f.TaxMode(), 0);
    EXPECT_EQ(f.Edited, 0);
    EXPECT_EQ(f.EditCol, 0);
    EXPECT_EQ(f.EditRow, 0);
    EXPECT_TRUE(f.CurrentFile.empty());
}

TEST_F(WindowTest, ControlsSitAtTheirClientPositions) {
    TForm1& f = Start();
    EXPECT_EQ(f.Edit2->geometry(), QRect(16, 64, 129, 20));
    EXPECT_EQ(f.Edit18->geometry(), QRect(152, 64, 41, 20));
    EXPECT_EQ(f.Edit1->geometry(), QRect(368, 48, 121, 20));
    EXPECT_EQ(f.Edit4->geometry(), QRect(592, 72, 193, 20));
    EXPECT_EQ(f.Edit17->geometry(), QRect(184, 160, 113, 20));
    EXPECT_EQ(f.ComboBox1->geometry(), QRect(373, 160, 97, 20));
    EXPECT_EQ(f.StringGrid1->geometry(), QRect(6, 183, 535, 321));
    EXPECT_EQ(f.Panel1->geometry(), QRect(0, 0, 201, 41));
    EXPECT_EQ(f.SpeedButton3->size(), QSize(41, 41));
    EXPECT_EQ(f.Button1->size(), QSize(75, 25));
    EXPECT_EQ(f.centralWidget()->size(), QSize(792, 560));

    // Wider and taller: the issuer fields widen, the grid grows in height
    // and the totals follow it down.
    f.resize(f.width() + 100, f.height() + 60);
    QApplication::processEvents();
    EXPECT_EQ(f.Edit4->width(), 293);
    EXPECT_EQ(f.Edit9->width(), 221);
    EXPECT_EQ(f.Edit2->width(), 129);
    EXPECT_EQ(f.StringGrid1->height(), 381);
    EXPECT_EQ(f.Edit13->y(), 572);
}

TEST_F(WindowTest, TabOrderFollowsTheNoteFromCustomerToSelector) {
    TForm1& f = Start();
    const QList<QWidget*> expected = {
        f.Edit2,   f.Edit18,  f.Edit1,   f.Edit16,  f.Edit3,       f.Edit4,   f.Edit5,    f.Edit6,
        f.Edit7,   f.Edit8,   f.Edit9,   f.Edit19,  f.StringGrid1, f.Button4, f.Button5,  f.Button6,
        f.Button7, f.Button8, f.Button9, f.Button1, f.Button2,     f.Button3, f.ComboBox1};
    for (int i = 0; i + 1 < expected.size(); ++i) {
        QWidget* next = expected[i]->nextInFocusChain();
        while (next && next->focusPolicy() == Qt::NoFocus) {
            next = next->nextInFocusChain();
        }
        // The selector's own line edit follows the selector.
        EXPECT_EQ(next, expected[i + 1]) << i;
    }
    for (QLineEdit* computed :
         {f.Edit10, f.Edit11, f.Edit12, f.Edit13, f.Edit14, f.Edit15, f.Edit17, f.Edit20}) {
        EXPECT_FALSE(computed->focusPolicy() & Qt::TabFocus);
    }
}

TEST_F(WindowTest, MenusCarryTheirCaptions) {
    TForm1& f = Start();
    QStringList top;
    for (const QAction* a : f.MainMenu1->actions()) {
        top << a->text();
    }
    EXPECT_EQ(top, (QStringList{Q("ファイル"), Q("編集"), Q("設定"), Q("印刷"), Q("ヘルプ")}));
    EXPECT_EQ(f.Newdata->text(), Q("新規"));
    EXPECT_EQ(f.Writeout1->text(), Q("エクセルファイル"));
    EXPECT_EQ(f.NouhinhprnA4->text(), Q("納品書控印刷"));
    EXPECT_EQ(f.HelpABoutMenu->text(), Q("バージョン情報"));
    EXPECT_EQ(Captions(f.PopupMenu5),
              (QStringList{Q("セル切り取り"), Q("セルコピー"), Q("コピー"), Q("貼り付け")}));
}

TEST_F(WindowTest, FileDialogsKeepTheirFiltersInOrder) {
    TForm1& f = Start();
    const QStringList save = f.SaveDialog1->nameFilters();
    ASSERT_EQ(save.size(), 7);
    EXPECT_TRUE(save[0].startsWith(Q("データファイル(*.srt) ")));
    EXPECT_TRUE(save[3].startsWith(Q("Excelデータファイル(*.xls) ")));
    EXPECT_TRUE(save[4].startsWith(Q("Ver0.4データファイル(*.srt) ")));
    EXPECT_EQ(f.SaveDialog1->defaultSuffix(), "srt");
    EXPECT_EQ(f.OpenDialog1->nameFilters().size(), 4);
    EXPECT_EQ(f.OpenDialog1->defaultSuffix(), "srt");
    dialogfilters::SetFilterIndex(f.SaveDialog1, 5);
    EXPECT_EQ(dialogfilters::FilterIndex(f.SaveDialog1), 5);
    dialogfilters::SetFilterIndex(f.SaveDialog1, 2);
    EXPECT_EQ(dialogfilters::FilterIndex(f.SaveDialog1), 2);
}

TEST_F(WindowTest, WithoutSettingsFileTheWindowOpensAt30And30InTheProgramFolder) {
    TForm1& f = Start();
    EXPECT_EQ(f.pos(), QPoint(30, 30));
    EXPECT_EQ(QDir(f.OpenDialog1->directory()).absolutePath(),
              QDir(QCoreApplication::applicationDirPath()).absolutePath());
}

TEST_F(WindowTest, SettingsGivePositionAndFolderAndBadNumbersGive30) {
    {
        QSettings ini(SettingsFile(), QSettings::IniFormat);
        ini.setValue("FILE/FFolder", WorkDir());
        ini.setValue("POS/Top", "abc");
        ini.setValue("POS/Left", "120");
    }
    TForm1& f = Start();
    EXPECT_EQ(f.pos(), QPoint(120, 30));
    EXPECT_EQ(QDir(f.OpenDialog1->directory()).absolutePath(), QDir(WorkDir()).absolutePath());
}

TEST_F(WindowTest, ClosingWritesFolderOfTheOpenNoteAndThePosition) {
    TForm1& f = Start();
    QDir(WorkDir()).mkdir("notes");
    f.CurrentFile = (WorkDir() + "/notes/a.srt").toStdString();
    f.move(140, 90);
    CloseWindow();
    QSettings ini(SettingsFile(), QSettings::IniFormat);
    EXPECT_EQ(ini.value("FILE/FFolder").toString(), WorkDir() + "/notes/");
    EXPECT_EQ(ini.value("POS/Top").toString(), "90");
    EXPECT_EQ(ini.value("POS/Left").toString(), "140");
}

TEST_F(WindowTest, ClosingWithoutNoteFileWritesTheWorkingFolder) {
    Start();
    CloseWindow();
    QSettings ini(SettingsFile(), QSettings::IniFormat);
    EXPECT_EQ(ini.value("FILE/FFolder").toString(), QDir::currentPath());
    // The master files are written in the working folder.
    EXPECT_TRUE(QFile::exists(WorkDir() + "/master.xml"));
    EXPECT_TRUE(QFile::exists(WorkDir() + "/master.dat"));
}

TEST_F(WindowTest, UnwritableSettingsFileIsReportedAndTheRegistersAreStillSaved) {
    // A settings file in a folder that is gone cannot be written.
    const QString unwritable = WorkDir() + "/gone/Slipr.ini";
    TForm1::SetSettingsPath(unwritable);
    Start();
    ModalAnswerer answerer;
    CloseWindow();
    ASSERT_EQ(answerer.Seen().size(), 1u);
    EXPECT_EQ(answerer.Seen()[0].text,
              QDir::toNativeSeparators(unwritable) + Q(" に書き込めません"));
    EXPECT_TRUE(QFile::exists(WorkDir() + "/master.xml"));
    EXPECT_TRUE(QFile::exists(WorkDir() + "/master.dat"));
    EXPECT_FALSE(Form().isVisible());
}

// The window's fonts name the face that draws them ("ＭＳ Ｐゴシック" where it
// is installed, else the IPA face that takes its place), so that Qt looks
// for no fallbacks; a face that is not installed is kept as named.
TEST_F(WindowTest, FontsNameTheInstalledFace) {
    TForm1& f = Start();
    const QString drawn = QFontInfo(f.font()).family();
    EXPECT_TRUE(drawn == Q("ＭＳ Ｐゴシック") || drawn == "IPAPGothic") << drawn.toStdString();
    EXPECT_EQ(f.font().family(), drawn);
    EXPECT_EQ(f.font().pixelSize(), 12);
    EXPECT_EQ(f.StringGrid1->font().family(), drawn);
    EXPECT_EQ(f.StringGrid1->font().pixelSize(), 13);

    EXPECT_EQ(qttext::InstalledFace("No Such Face", {"Also Missing", "IPAPGothic"}), "IPAPGothic");
    EXPECT_EQ(qttext::InstalledFace("IPAGothic", {"IPAPGothic"}), "IPAGothic");
    EXPECT_EQ(qttext::InstalledFace("No Such Face", {"Also Missing"}), "No Such Face");
}

// The window starts while the fonts are listed on a second thread: fonts
// asked for meanwhile wait for the list and name the same face.
TEST(ScreenFont, FontsAskedForWhileTheDatabaseIsReadNameTheInstalledFace) {
    const QString expected = qttext::InstalledFace(Q("ＭＳ Ｐゴシック"), {"IPAPGothic"});
    std::vector<std::jthread> readers;
    for (int i = 0; i < 4; ++i) {
        readers.push_back(qttext::ReadFontDatabaseAside());
    }
    for (int i = 0; i < 20; ++i) {
        EXPECT_EQ(qttext::ScreenFont(12 + i % 2).family(), expected);
        EXPECT_TRUE(QFontDatabase::families().contains(expected));
    }
    readers.clear(); // joined
    EXPECT_EQ(qttext::InstalledFace(Q("ＭＳ Ｐゴシック"), {"IPAPGothic"}), expected);
}

// The window shows the picture of the desktop entry, the installed PNG
// files pixel for pixel, at the sizes task bars use.
TEST_F(WindowTest, WindowIconIsTheInstalledPicture) {
    TForm1& f = Start();
    const QIcon icon = f.windowIcon();
    const QList<int> sizes{16, 24, 32, 48, 64};
    ASSERT_EQ(icon.availableSizes().size(), sizes.size());
    for (const int size : sizes) {
        ASSERT_TRUE(icon.availableSizes().contains(QSize(size, size))) << size;
        const QImage installed =
            QImage(QString(NOTORIO_SOURCE_DIR) + QString("/data/icons/notorio-%1.png").arg(size))
                .convertToFormat(QImage::Format_ARGB32_Premultiplied);
        const QImage shown =
            icon.pixmap(size).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
        ASSERT_EQ(shown.size(), QSize(size, size));
        EXPECT_EQ(shown, installed) << size;
    }
}

// The tool-bar buttons show the pictures the program draws, built into it
// when it was built: the same pixels, each on its button.
TEST_F(WindowTest, ToolButtonsShowTheDrawnPictures) {
    TForm1& f = Start();
    const struct {
        QToolButton* button;
        QImage drawn;
    } buttons[] = {{f.SpeedButton4, toolpictures::NewNote()},
                   {f.SpeedButton1, toolpictures::OpenNote()},
                   {f.SpeedButton2, toolpictures::SaveNote()},
                   {f.SpeedButton5, toolpictures::SaveAs()},
                   {f.SpeedButton3, toolpictures::PrintAll()}};
    for (const auto& [button, drawn] : buttons) {
        // Drawn at the size the button shows, so never scaled.
        ASSERT_EQ(drawn.size(), button->iconSize());
        const QImage shown = button->icon()
                                 .pixmap(button->iconSize())
                                 .toImage()
                                 .convertToFormat(QImage::Format_ARGB32_Premultiplied);
        EXPECT_EQ(shown, drawn) << button->toolTip().toStdString();
    }
}

TEST_F(WindowTest, AboutBoxShowsProgramVersionAndAddress) {
    TForm1& f = Start();
    TAboutBox* box = f.AboutBox;
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->windowTitle(), Q("バージョン情報"));
    EXPECT_EQ(box->size(), QSize(298, 213));
    EXPECT_EQ(box->ProductName->text(), Q("ノートリオ"));
    EXPECT_EQ(box->Version->text(), "0.50");
    EXPECT_EQ(box->Label1->text(), Q("納品書を作るソフトです\nエクセルを操作するように使えます"));
    EXPECT_TRUE(box->Label2->text().startsWith("https://"));
    EXPECT_TRUE(box->OKButton->isDefault());
    // Shown modally from the menu; Enter closes it with OK.
    QTimer::singleShot(50, [box] {
        ASSERT_EQ(QApplication::activeModalWidget(), box);
        QTest::keyClick(box, Qt::Key_Return);
    });
    f.HelpABoutMenu->trigger();
    EXPECT_EQ(box->result(), QDialog::Accepted);
    EXPECT_FALSE(box->isVisible());
}

namespace {

// A note in tax mode 1 with one line, written by the program itself.
std::string WriteTaxInclusiveNote(const QString& folder) {
    MemoryWindow window;
    window.ApplyStartupTexts(S("2024年4月1日"));
    window.SetField(2, S("見本商店"));
    window.SetCell(1, 1, S("ねじ"));
    window.SetCell(3, 1, "3");
    window.SetCell(5, 1, "333");
    window.SetTaxMode(1);
    NoteContainers note;
    const std::string path = (folder + "/inclusive.srt").toStdString();
    EXPECT_EQ(notefiles::WriteNoteFile(path, note, window), notefiles::WriteResult::Written);
    return path;
}

} // namespace

TEST_F(WindowTest, NoteNamedOnCommandLineIsShownWithItsTaxMode) {
    const std::string path = WriteTaxInclusiveNote(WorkDir());
    TForm1& f = Start({path});
    EXPECT_EQ(f.CurrentFile, path);
    EXPECT_EQ(f.Field(2), S("見本商店"));
    EXPECT_EQ(f.Field(1), S("2024年4月1日"));
    EXPECT_EQ(f.Cell(1, 1), S("ねじ"));
    EXPECT_EQ(f.TaxMode(), 1);
    EXPECT_EQ(f.ComboBox1->currentText(), Q("税込み金額"));
    EXPECT_EQ(f.Cell(6, 0), S("税込み金額"));
    // Opened and recalculated in tax mode 1: 999 plus 49 tax.
    EXPECT_EQ(f.Cell(6, 1), "1048");
    EXPECT_EQ(f.Edited, 0);
}

TEST_F(WindowTest, UnreadableNoteOnCommandLineKeepsStartupContents) {
    const std::string path = (WorkDir() + "/missing.srt").toStdString();
    ModalAnswerer answerer;
    TForm1& f = Start({path});
    ASSERT_GE(answerer.Seen().size(), 1u);
    EXPECT_EQ(answerer.Seen().back().text, Q("読み込めない形式です4"));
    EXPECT_EQ(f.CurrentFile, path);
    EXPECT_EQ(f.Cell(1, 1), "");
    EXPECT_EQ(f.Field(1), wintext::TodayText());
    EXPECT_EQ(f.ComboBox1->currentText(), Q("税抜き金額"));
}

TEST_F(WindowTest, TaxModeSelectorTakesTheFirstItemContainingTheText) {
    TForm1& f = Start();
    f.SetCell(3, 1, "3");
    f.SetCell(5, 1, "333");
    // Replaces the selector's text in one user edit, as an input method
    // commits a word; an empty text by deleting the selection.
    auto type = [&](const QString& text) {
        f.ComboBox1->lineEdit()->selectAll();
        if (text.isEmpty()) {
            QTest::keyClick(f.ComboBox1->lineEdit(), Qt::Key_Delete);
            return;
        }
        QKeyEvent key(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, text);
        QApplication::sendEvent(f.ComboBox1->lineEdit(), &key);
        ASSERT_EQ(f.ComboBox1->currentText(), text);
    };
    type(Q("込"));
    EXPECT_EQ(f.TaxMode(), 1);
    EXPECT_EQ(f.Cell(6, 0), S("税込み金額"));
    // Nothing is recomputed until the next recalculation.
    EXPECT_EQ(f.Cell(6, 1), "");
    f.Button3->click();
    EXPECT_EQ(f.Cell(6, 1), "1048");
    type(Q("金額"));
    EXPECT_EQ(f.TaxMode(), 0);
    EXPECT_EQ(f.Cell(6, 0), S("税抜き金額"));
    type(Q("込"));
    ASSERT_EQ(f.TaxMode(), 1);
    // A text in neither item keeps the mode it had.
    type(Q("xyz"));
    EXPECT_EQ(f.TaxMode(), 1);
    EXPECT_EQ(f.Cell(6, 0), S("税込み金額"));
    // An empty text is in every item: the first.
    type(QString());
    EXPECT_EQ(f.TaxMode(), 0);
    // Picking an item from the list.
    f.ComboBox1->setCurrentIndex(1);
    emit f.ComboBox1->activated(1);
    EXPECT_EQ(f.TaxMode(), 1);
}

TEST_F(WindowTest, RatesStartAsTheLastCloseLeftThem) {
    TForm1& first = Start();
    EXPECT_EQ(first.Edit11->text(), "5");
    EXPECT_EQ(first.Edit20->text(), "8");
    first.Edit11->setText("10");
    first.Edit20->setText("abc"); // not an integer: the default is kept
    {
        // The rate is part of the note: closing asks; キャンセル saves nothing.
        ModalAnswerer closing(Q("キャンセル"));
        CloseWindow();
        EXPECT_EQ(closing.Seen().size(), 1u);
    }
    {
        QSettings ini(SettingsFile(), QSettings::IniFormat);
        EXPECT_EQ(ini.value("TAX/Rate").toString(), "10");
        EXPECT_EQ(ini.value("TAX/ReducedRate").toString(), "8");
        ini.setValue("TAX/ReducedRate", "10");
    }
    TForm1& second = Start();
    EXPECT_EQ(second.Edit11->text(), "10");
    EXPECT_EQ(second.Edit20->text(), "10");
    form_.reset();
    {
        QSettings ini(SettingsFile(), QSettings::IniFormat);
        ini.setValue("TAX/Rate", "8.5");
    }
    EXPECT_EQ(Start().Edit11->text(), "5");
}

TEST_F(WindowTest, RegistrationNumberAndBreakdownAreShown) {
    {
        NoteContainers master;
        master.owner_ma_lo = {owner("A", "", "", "", "", "", 1, "", "", ""),
                              owner("B", "", "", "", "", "", 2, "", "", "")};
        master.int_owner_no = 1;
        master.customer_ma_lo = {customer("C", "", "", "", "", "", 1)};
        master.owner_touroku = {"T1000000000001", "T2000000000002"};
        QDir::setCurrent(WorkDir());
        MemoryWindow scratch;
        masterfile::SaveMasterFiles(master, scratch);
    }
    TForm1& f = Start();
    EXPECT_EQ(f.Edit19->text(), "T2000000000002");
    EXPECT_EQ(f.Label18->text(), Q("登録番号"));
    EXPECT_EQ(f.Label19->text(), Q("軽減税率"));
    EXPECT_TRUE(f.Memo1->isReadOnly());
    EXPECT_EQ(f.Memo1->toPlainText(), "");

    f.Edit11->setText("10");
    f.SetCell(col::Name, 1, S("※お茶"));
    f.SetCell(col::Quantity, 1, "2");
    f.SetCell(col::UnitPrice, 1, "1080");
    f.SetCell(col::Quantity, 2, "3");
    f.SetCell(col::UnitPrice, 2, "333");
    f.Button3->click();
    EXPECT_EQ(f.Memo1->toPlainText(), Q("10%対象 999円\n消費税 99円\n8%対象 2160円\n消費税 172円"));
    EXPECT_EQ(f.Edit12->text(), "271");
    f.SetCell(col::Name, 1, S("お茶"));
    f.Button3->click();
    EXPECT_EQ(f.Memo1->toPlainText(), "");
    EXPECT_EQ(f.Edit12->text(), "315");
}
