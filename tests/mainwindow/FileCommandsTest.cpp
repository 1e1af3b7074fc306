// The note's life in the window: new note, open, save, save as, exit and
// the close question, driven through the real menus, buttons and dialogs.
#include "GridTestSupport.h"
#include "MainWindowFixture.h"

#include "Cp932.h"
#include "DialogFilters.h"
#include "QtText.h"
#include "Transfer.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

#include <fstream>
#include <iterator>

using qttext::Q;

namespace {

std::string Data(const std::string& relative) {
    return std::string(NOTORIO_TEST_DATA) + "/" + relative;
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

bool Exists(const std::string& path) {
    return QFile::exists(QString::fromStdString(path));
}

// Answers the file dialog when it is shown: selects `filterIndex` (when
// given) and the file `path`, and accepts; an empty path cancels.
class FileDialogAnswerer {
public:
    FileDialogAnswerer(QFileDialog* dialog, QString path, int filterIndex = 0,
                       std::function<void(QFileDialog*)> before = {})
        : dialog_(dialog), path_(std::move(path)), filterIndex_(filterIndex),
          before_(std::move(before)) {
        timer_.setInterval(20);
        QObject::connect(&timer_, &QTimer::timeout, [this] { Poll(); });
        timer_.start();
    }
    int Shown() const { return shown_; }

private:
    void Poll() {
        if (QApplication::activeModalWidget() != dialog_) {
            return;
        }
        ++shown_;
        // A dialog that will not take the answer must not hang the test.
        if (path_.isEmpty() || shown_ > 10) {
            dialog_->reject();
            return;
        }
        if (filterIndex_ > 0) {
            dialogfilters::SetFilterIndex(dialog_, filterIndex_);
        }
        if (before_) {
            before_(dialog_);
        }
        // As a user would: the full path typed into the name field, then
        // Enter.
        auto* name = dialog_->findChild<QLineEdit*>("fileNameEdit");
        if (!name) {
            dialog_->reject();
            return;
        }
        name->setText(path_);
        QTest::keyClick(name, Qt::Key_Return);
    }
    QFileDialog* dialog_;
    QString path_;
    int filterIndex_;
    std::function<void(QFileDialog*)> before_;
    int shown_ = 0;
    QTimer timer_;
};

class FileCommandsTest : public WindowTest {
protected:
    std::string Work(const std::string& name) const {
        return (WorkDir() + "/" + QString::fromStdString(name)).toStdString();
    }
    // A copy of a fixture note in the working folder.
    std::string CopyNote(const std::string& fixture, const std::string& name) {
        WriteBytes(Work(name), ReadBytes(Data(fixture)));
        return Work(name);
    }
};

QString Status(TForm1& f) {
    return qttext::FromCp932(f.Status());
}

} // namespace

TEST_F(FileCommandsTest, NewNoteEmptiesOnlyTheGrid) {
    const std::string path = CopyNote("notes/worked-example.srt", "note.srt");
    TForm1& f = Start({path});
    ASSERT_EQ(f.Cell(1, 1), S("品目1"));
    f.Newdata->trigger();
    EXPECT_EQ(Status(f), Q("表は新規です"));
    for (int c = 1; c < f.ColCount(); ++c) {
        EXPECT_EQ(f.Cell(c, 1), "") << c;
    }
    EXPECT_EQ(f.Cell(0, 1), "1");
    EXPECT_EQ(f.Cell(1, 0), S("名称"));
    EXPECT_EQ(f.Field(1), S("2007年7月5日"));
    EXPECT_EQ(f.Field(2), "B");
    EXPECT_EQ(f.CurrentFile, path);

    // 上書き保存 then writes the line-less note over the opened file.
    QTest::mouseClick(f.SpeedButton2, Qt::LeftButton);
    EXPECT_EQ(f.Status(), cp932::FromUtf8(path) + S("で上書き保存"));
    const std::string saved = ReadBytes(path);
    EXPECT_EQ(saved.find(S("品目1")), std::string::npos);
    EXPECT_NE(saved.find(S("2007年7月5日")), std::string::npos);
}

TEST_F(FileCommandsTest, OpenThroughTheDialogShowsNoteAndTaxMode) {
    std::string xml = ReadBytes(Data("notes/worked-example.xml"));
    xml.replace(xml.find("<zeiflag>0"), 10, "<zeiflag>1");
    WriteBytes(Work("inclusive.xml"), xml);
    TForm1& f = Start();
    f.SetCell(1, 5, "typed");
    FileDialogAnswerer answer(f.OpenDialog1, QString::fromStdString(Work("inclusive.xml")));
    QTest::mouseClick(f.Button2, Qt::LeftButton);
    EXPECT_EQ(answer.Shown(), 1);
    EXPECT_EQ(f.CurrentFile, Work("inclusive.xml"));
    EXPECT_EQ(Status(f), QString::fromStdString(Work("inclusive.xml")) + Q("を開いてます"));
    EXPECT_EQ(f.Cell(1, 1), S("品目1"));
    EXPECT_EQ(f.Cell(1, 5), "");
    EXPECT_EQ(f.TaxMode(), 1);
    EXPECT_EQ(f.ComboBox1->currentText(), Q("税込み金額"));
    EXPECT_EQ(f.Cell(6, 0), S("税込み金額"));
    EXPECT_EQ(f.Field(14), "2100");
}

TEST_F(FileCommandsTest, CancelledOpenChangesNothingButTheStatus) {
    TForm1& f = Start();
    f.SetCell(1, 5, "typed");
    FileDialogAnswerer answer(f.OpenDialog1, QString());
    f.N10->trigger();
    EXPECT_EQ(answer.Shown(), 1);
    EXPECT_EQ(f.Status(), "Nofile");
    EXPECT_EQ(f.Cell(1, 5), "typed");
    EXPECT_EQ(f.CurrentFile, "");
}

TEST_F(FileCommandsTest, UnreadableNoteGivesBothMessagesAndAnEmptyGrid) {
    WriteBytes(Work("broken.srt"), "22 serialization::archive 3 0 0 99");
    TForm1& f = Start();
    f.SetCell(1, 5, "typed");
    f.SetField(2, S("顧客"));
    ModalAnswerer boxes;
    FileDialogAnswerer answer(f.OpenDialog1, QString::fromStdString(Work("broken.srt")));
    QTest::mouseClick(f.SpeedButton1, Qt::LeftButton);
    ASSERT_EQ(boxes.Seen().size(), 2u);
    EXPECT_EQ(boxes.Seen()[0].title, Q("注意"));
    EXPECT_EQ(boxes.Seen()[0].text, Q("読み込めない形式です1"));
    EXPECT_EQ(boxes.Seen()[1].text, Q("読み込めない形式です4"));
    EXPECT_EQ(f.Cell(1, 5), "");
    EXPECT_EQ(f.Field(2), S("顧客"));
    EXPECT_EQ(f.CurrentFile, Work("broken.srt"));
}

TEST_F(FileCommandsTest, OverwriteSaveWithoutAFileWritesNothing) {
    TForm1& f = Start();
    f.N11->trigger();
    EXPECT_EQ(Status(f), Q("ファイル名が不正です"));
    EXPECT_TRUE(QDir(WorkDir()).entryList({"*.srt", "*.xml", "*.txt"}, QDir::Files).isEmpty());
}

TEST_F(FileCommandsTest, FailedSaveSaysSoAndKeepsTheStatus) {
    TForm1& f = Start();
    f.CurrentFile = Work("no-such-folder/note.srt");
    f.SetStatus("before");
    ModalAnswerer boxes;
    f.N11->trigger();
    ASSERT_EQ(boxes.Seen().size(), 1u);
    EXPECT_EQ(boxes.Seen()[0].title, Q("注意"));
    EXPECT_EQ(boxes.Seen()[0].text, Q("保存に失敗しました2"));
    EXPECT_EQ(f.Status(), "before");
}

TEST_F(FileCommandsTest, SaveAsOldLayoutThenReopen) {
    TForm1& f = Start();
    f.SetField(2, S("顧客"));
    f.SetCell(1, 1, S("品目"));
    f.SetCell(3, 1, "3");
    f.SetCell(5, 1, "333");
    f.SetTaxMode(1);
    FileDialogAnswerer answer(f.SaveDialog1, QString::fromStdString(Work("a")), 5);
    QTest::mouseClick(f.Button1, Qt::LeftButton);
    EXPECT_EQ(answer.Shown(), 1);
    // The default extension gives a.srt; filter 5 writes the 0.4 header.
    const std::string path = Work("a.srt");
    ASSERT_TRUE(Exists(path));
    EXPECT_NE(ReadBytes(path).find(" 0 2 "), std::string::npos);
    EXPECT_EQ(ReadBytes(path).find(" 0 3 "), std::string::npos);
    EXPECT_EQ(f.CurrentFile, path);
    EXPECT_EQ(f.SaveTarget, path);
    EXPECT_EQ(f.Status(), cp932::FromUtf8(path) + S("で保存"));
    // The dialog is back to ".srt" and the first filter.
    EXPECT_EQ(f.SaveDialog1->defaultSuffix(), "srt");
    EXPECT_EQ(dialogfilters::FilterIndex(f.SaveDialog1), 1);

    transfer::ClearGridData(f);
    f.SetTaxMode(0);
    FileDialogAnswerer reopen(f.OpenDialog1, QString::fromStdString(path));
    f.N10->trigger();
    EXPECT_EQ(f.Cell(1, 1), S("品目"));
    EXPECT_EQ(f.Field(2), S("顧客"));
    EXPECT_EQ(f.Field(16), "0001");
    EXPECT_EQ(f.TaxMode(), 1);
}

TEST_F(FileCommandsTest, SaveAsWithXmlFilterUnderSrtNameWritesText) {
    TForm1& f = Start();
    FileDialogAnswerer answer(f.SaveDialog1, QString::fromStdString(Work("b.srt")), 2);
    f.SaveAs1->trigger();
    ASSERT_TRUE(Exists(Work("b.srt")));
    EXPECT_EQ(ReadBytes(Work("b.srt")).rfind("22 serialization::archive 3", 0), 0u);
}

TEST_F(FileCommandsTest, CancelledSaveAsResetsTheDialogOnly) {
    TForm1& f = Start();
    dialogfilters::SetFilterIndex(f.SaveDialog1, 2);
    f.SaveDialog1->setDefaultSuffix("xml");
    f.SetStatus("before");
    FileDialogAnswerer answer(f.SaveDialog1, QString());
    QTest::mouseClick(f.SpeedButton5, Qt::LeftButton);
    EXPECT_EQ(answer.Shown(), 1);
    EXPECT_EQ(f.Status(), "before");
    EXPECT_EQ(f.SaveDialog1->defaultSuffix(), "srt");
    EXPECT_EQ(dialogfilters::FilterIndex(f.SaveDialog1), 1);
    EXPECT_EQ(f.CurrentFile, "");
}

TEST_F(FileCommandsTest, SaveAsSpreadsheetExportsTheGrid) {
    TForm1& f = Start();
    f.SetCell(1, 1, S("品目"));
    ModalAnswerer boxes(Q("はい"));
    FileDialogAnswerer answer(f.SaveDialog1, QString::fromStdString(Work("grid.xls")), 4);
    QTest::mouseClick(f.Button1, Qt::LeftButton);
    ASSERT_EQ(boxes.Seen().size(), 1u);
    ASSERT_TRUE(Exists(Work("grid.xls")));
    EXPECT_EQ(f.Status(), cp932::FromUtf8(Work("grid.xls")) + S("で保存"));
    // An overwrite save to that name writes no note there.
    const std::string exported = ReadBytes(Work("grid.xls"));
    f.N11->trigger();
    EXPECT_EQ(ReadBytes(Work("grid.xls")), exported);
    EXPECT_EQ(Status(f), Q("ファイル名が不正です"));
}

TEST_F(FileCommandsTest, CloseAsksAfterTypingInAField) {
    TForm1& f = Start();
    f.Edit2->setFocus();
    QTest::keyClicks(f.Edit2, "abc");
    ModalAnswerer boxes(Q("キャンセル"));
    CloseWindow();
    ASSERT_EQ(boxes.Seen().size(), 1u);
    EXPECT_EQ(
        boxes.Seen()[0].text,
        Q("データが編集されてます\n上書き保存しますか名前を付けて保存はいいえを押してください"));
    // Cancel closes without saving.
    EXPECT_FALSE(f.isVisible());
    EXPECT_TRUE(QDir(WorkDir()).entryList({"*.srt", "*.xml.*"}, QDir::Files).isEmpty());
}

TEST_F(FileCommandsTest, CloseDoesNotAskWhenNothingChanged) {
    TForm1& f = Start();
    // Clicking a cell fills the cell fields and recalculates: no change.
    ClickCell(f.StringGrid1, 2, 3);
    f.Edit2->setFocus();
    ModalAnswerer boxes;
    CloseWindow();
    EXPECT_TRUE(boxes.Seen().empty());
    EXPECT_FALSE(f.isVisible());
}

TEST_F(FileCommandsTest, CloseYesOverwritesTheOpenNote) {
    const std::string path = CopyNote("notes/worked-example.srt", "note.srt");
    TForm1& f = Start({path});
    f.StringGrid1->setFocus();
    f.SetCell(1, 2, S("追加"));
    ModalAnswerer boxes(Q("はい"));
    CloseWindow();
    ASSERT_EQ(boxes.Seen().size(), 1u);
    EXPECT_FALSE(f.isVisible());
    EXPECT_NE(ReadBytes(path).find(S("追加")), std::string::npos);
}

TEST_F(FileCommandsTest, CloseYesWithoutAFileSavesAsAndStaysOpenWhenCancelled) {
    TForm1& f = Start();
    f.SetCell(1, 2, S("追加"));
    f.StringGrid1->setFocus();
    {
        ModalAnswerer boxes(Q("はい"));
        FileDialogAnswerer cancel(f.SaveDialog1, QString());
        CloseWindow();
        EXPECT_EQ(cancel.Shown(), 1);
    }
    // Nothing was saved, so the window stays open.
    EXPECT_TRUE(f.isVisible());

    ModalAnswerer boxes(Q("はい"));
    FileDialogAnswerer save(f.SaveDialog1, QString::fromStdString(Work("closing.xml")));
    CloseWindow();
    EXPECT_TRUE(Exists(Work("closing.xml")));
    EXPECT_FALSE(f.isVisible());
}

TEST_F(FileCommandsTest, CloseNoSavesUnderANewName) {
    TForm1& f = Start();
    f.SetCell(1, 2, S("追加"));
    f.StringGrid1->setFocus();
    ModalAnswerer boxes(Q("いいえ"));
    FileDialogAnswerer save(f.SaveDialog1, QString::fromStdString(Work("new.srt")));
    CloseWindow();
    EXPECT_TRUE(Exists(Work("new.srt")));
    EXPECT_FALSE(f.isVisible());
}

TEST_F(FileCommandsTest, FailedSaveOnCloseKeepsTheWindowOpen) {
    TForm1& f = Start();
    f.CurrentFile = Work("no-such-folder/note.srt");
    f.SetCell(1, 2, S("追加"));
    f.StringGrid1->setFocus();
    ModalAnswerer boxes(Q("はい"));
    CloseWindow();
    ASSERT_EQ(boxes.Seen().size(), 2u);
    EXPECT_EQ(boxes.Seen()[1].text, Q("保存に失敗しました2"));
    EXPECT_TRUE(f.isVisible());
}

TEST_F(FileCommandsTest, ExitAsksOnceAndCloses) {
    TForm1& f = Start();
    f.SetCell(1, 2, S("追加"));
    f.StringGrid1->setFocus();
    ModalAnswerer boxes(Q("キャンセル"));
    f.N23->trigger();
    QApplication::processEvents();
    EXPECT_EQ(boxes.Seen().size(), 1u);
    EXPECT_FALSE(f.isVisible());
    // The close sequence ran: the master files are written.
    EXPECT_TRUE(QFile::exists(WorkDir() + "/master.xml"));
}

TEST_F(FileCommandsTest, CommandsAreEnabled) {
    TForm1& f = Start();
    for (QAction* a : {f.Newdata, f.N10, f.N11, f.SaveAs1, f.N23}) {
        EXPECT_TRUE(a->isEnabled()) << a->text().toStdString();
    }
    for (QWidget* w :
         std::initializer_list<QWidget*>{f.Button1, f.Button2, f.SpeedButton1, f.SpeedButton2,
                                         f.SpeedButton4, f.SpeedButton5}) {
        EXPECT_TRUE(w->isEnabled());
    }
}

// Save as with "XMLデータファイル(*.xml)" chosen and the name typed without an
// extension writes note2.xml; the name field is empty at every save as,
// also after an export.
TEST_F(FileCommandsTest, SaveAsTakesTheExtensionOfTheChosenKind) {
    TForm1& f = Start();
    f.SetCell(1, 1, S("品目"));
    {
        ModalAnswerer boxes(Q("はい"));
        FileDialogAnswerer answer(f.SaveDialog1, QString::fromStdString(Work("grid.xls")), 4);
        f.Writeout1->trigger();
        ASSERT_TRUE(Exists(Work("grid.xls")));
        EXPECT_EQ(f.Status(), cp932::FromUtf8(Work("grid.xls")) + S("で書きだし"));
    }
    QString nameShown = "unseen";
    // The kind is chosen in the dialog's own list, as a user does.
    FileDialogAnswerer answer(f.SaveDialog1, "note2", 0, [&](QFileDialog* dialog) {
        nameShown = dialog->findChild<QLineEdit*>("fileNameEdit")->text();
        auto* kinds = dialog->findChild<QComboBox*>("fileTypeCombo");
        ASSERT_NE(kinds, nullptr);
        kinds->setCurrentIndex(1);
        emit kinds->activated(1);
        emit kinds->textActivated(kinds->itemText(1));
    });
    f.SaveAs1->trigger();
    EXPECT_EQ(nameShown, "");
    EXPECT_EQ(f.CurrentFile, Work("note2.xml"));
    ASSERT_TRUE(Exists(Work("note2.xml")));
    EXPECT_EQ(ReadBytes(Work("note2.xml")).rfind("<?xml", 0), 0u);
    EXPECT_FALSE(Exists(Work("note2.srt")));
}

// Lines typed into the grid are not lost when the focus is in a field the
// user did not touch: the close question is asked.
TEST_F(FileCommandsTest, CloseAsksAfterGridTypingWithTheFocusInAnUntouchedField) {
    TForm1& f = Start();
    for (int row = 1; row <= 20; ++row) {
        ClickCell(f.StringGrid1, 1, row);
        QTest::keyClick(f.StringGrid1, Qt::Key_A);
        QLineEdit* editor = f.StringGrid1->CellEditor();
        ASSERT_NE(editor, nullptr) << row;
        QTest::keyClicks(editor, "bc");
        QTest::keyClick(editor, Qt::Key_Return);
        QApplication::processEvents();
    }
    ASSERT_EQ(f.Cell(1, 20), "abc");
    QTest::mouseClick(f.Edit16, Qt::LeftButton);
    ASSERT_EQ(QApplication::focusWidget(), f.Edit16);
    ModalAnswerer boxes(Q("いいえ"));
    FileDialogAnswerer save(f.SaveDialog1, QString::fromStdString(Work("typed")));
    CloseWindow();
    ASSERT_EQ(boxes.Seen().size(), 1u);
    EXPECT_EQ(
        boxes.Seen()[0].text,
        Q("データが編集されてます\n上書き保存しますか名前を付けて保存はいいえを押してください"));
    EXPECT_FALSE(f.isVisible());
    EXPECT_NE(ReadBytes(Work("typed.srt")).find("abc"), std::string::npos);
}
