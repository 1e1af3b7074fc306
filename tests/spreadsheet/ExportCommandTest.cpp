#include "MainWindowFixture.h"

#include "BiffTestUtil.h"
#include "Cp932.h"
#include "DialogFilters.h"
#include "GridExport.h"
#include "QtText.h"

#include <QAbstractButton>
#include <QAction>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>

using qttext::Q;

namespace {

// What the save dialog showed when it came up.
struct DialogSeen {
    int filter = 0;
    QString folder;
    bool confirmsOverwrite = false;
};

class ExportCommand : public MainWindowTest {
protected:
    void TearDown() override {
        EXPECT_EQ(modals_.Unexpected(), 0); // no window the test did not expect
        MainWindowTest::TearDown();
    }
    // Answers the save dialog with `path` and records how it was prepared.
    void ChooseFile(const QString& path) {
        modals_.Then([this, path](QWidget* w) {
            auto* dialog = qobject_cast<QFileDialog*>(w);
            ASSERT_NE(dialog, nullptr);
            dialogSeen_ = {dialogfilters::FilterIndex(dialog), dialog->directory().absolutePath(),
                           !dialog->testOption(QFileDialog::DontConfirmOverwrite)};
            // The name typed into the dialog's file name field.
            auto* nameField = dialog->findChild<QLineEdit*>("fileNameEdit");
            ASSERT_NE(nameField, nullptr);
            nameField->setText(path);
            static_cast<QDialog*>(dialog)->accept(); // the file dialog checks the name
        });
    }
    // Answers the next message box with the button whose text is `button`.
    void AnswerBox(const QString& button) {
        modals_.Then([this, button](QWidget* w) {
            auto* box = qobject_cast<QMessageBox*>(w);
            ASSERT_NE(box, nullptr);
            boxes_.push_back({box->windowTitle(), box->text(), box->icon()});
            for (QAbstractButton* b : box->buttons()) {
                if (b->text() == button) {
                    b->click();
                    return;
                }
            }
            box->reject();
            ADD_FAILURE() << "no button " << button.toStdString();
        });
    }
    struct BoxSeen {
        QString title;
        QString text;
        QMessageBox::Icon icon;
    };
    ModalHandlers modals_;
    DialogSeen dialogSeen_;
    std::vector<BoxSeen> boxes_;
};

} // namespace

TEST_F(ExportCommand, ConfirmedExportWritesTheGridAndTakesTheName) {
    const QString path = WorkPath("grid.xls");
    Form().SetCell(1, 1, S("りんご"));
    Form().SetCell(3, 1, "2");
    Form().SetStatus("before");
    ChooseFile(path);
    AnswerBox(Q("はい"));
    Form().Writeout1->trigger();

    ASSERT_EQ(modals_.Handled(), 2);
    EXPECT_EQ(dialogSeen_.filter, 4);
    EXPECT_TRUE(dialogSeen_.confirmsOverwrite);
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(boxes_[0].icon, QMessageBox::Question);
    EXPECT_EQ(boxes_[0].text, qttext::FromCp932(spreadsheet::ExportQuestion()));

    const std::string written = bifftest::ReadFile(QFile::encodeName(path).toStdString());
    const auto records = bifftest::Records(written);
    ASSERT_GE(records.size(), 3u);
    ASSERT_EQ(records[2].number, 0x0000u); // DIMENSIONS after BOF and CODEPAGE
    EXPECT_EQ(bifftest::U16(records[2].data, 2), 30u);
    EXPECT_EQ(bifftest::U16(records[2].data, 6), 11u);
    EXPECT_NE(written.find(S("りんご")), std::string::npos);

    const std::string native = QFile::encodeName(path).toStdString();
    EXPECT_EQ(Form().CurrentFile, native);
    EXPECT_EQ(Form().SaveTarget, native);
    EXPECT_EQ(Form().SaveDialog1->defaultSuffix(), "xls");
    EXPECT_EQ(Form().Status(), commands::ExportedStatus(path.toStdString()));
    EXPECT_TRUE(Form().Notes.HasUnsavedChanges()) << "an export does not save the note";
    EXPECT_EQ(Form().Cell(1, 1), S("りんご"));

    // The next export starts in the folder of the file just named.
    ChooseFile(WorkPath("again.xls"));
    AnswerBox(Q("いいえ"));
    Form().Writeout1->trigger();
    EXPECT_EQ(dialogSeen_.folder, QFileInfo(path).absolutePath());
}

TEST_F(ExportCommand, DeclinedExportWritesNothing) {
    for (const QString& answer : {Q("いいえ"), Q("キャンセル")}) {
        const QString path = WorkPath("declined.xls");
        ChooseFile(path);
        AnswerBox(answer);
        Form().Writeout1->trigger();
        EXPECT_FALSE(QFile::exists(path));
        EXPECT_EQ(Form().CurrentFile, QFile::encodeName(path).toStdString());
    }
}

TEST_F(ExportCommand, OtherExtensionsAreNotExportedAndNothingIsAsked) {
    const QString path = WorkPath("grid.xlsx");
    ChooseFile(path);
    Form().Writeout1->trigger();
    EXPECT_EQ(modals_.Handled(), 1);
    EXPECT_FALSE(QFile::exists(path));
}

TEST_F(ExportCommand, UncreatableFileShowsTheErrorAndChangesNothingElse) {
    QFile blocker(WorkPath("plain-file"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const QString path = WorkPath("plain-file/out.xls");
    Form().SetStatus("before");
    ChooseFile(path);
    AnswerBox(Q("はい"));
    AnswerBox("OK");
    Form().Writeout1->trigger();

    ASSERT_EQ(boxes_.size(), 2u);
    EXPECT_EQ(boxes_[1].icon, QMessageBox::Critical);
    EXPECT_EQ(boxes_[1].text, Q("ファイル ") + path + Q(" を作成できません"));
    EXPECT_EQ(Form().Status(), "before");
    EXPECT_FALSE(QFile::exists(path));
}
