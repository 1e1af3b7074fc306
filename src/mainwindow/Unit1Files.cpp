// File commands of the main window: the dialogs the note commands ask
// through, and the menu items, buttons and selector wired to them.
#include "Unit1.h"

#include "DialogFilters.h"
#include "FileKinds.h"
#include "NoteCommands.h"
#include "QtText.h"
#include "QuestionBox.h"
#include "WindowRules.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

using qttext::FromCp932;
using qttext::Q;

namespace {

std::string NativePath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

QString FolderOf(const std::string& path) {
    return QFileInfo(QFile::decodeName(QByteArray::fromStdString(path))).absolutePath();
}

// The note commands' questions in the program's question box.
commands::Answer AskYesNoCancel(QWidget* parent, const QString& text) {
    switch (qttext::AskQuestion(parent, Q("確認"), text)) {
    case qttext::Answer::Yes:
        return commands::Answer::Yes;
    case qttext::Answer::No:
        return commands::Answer::No;
    default:
        return commands::Answer::Cancel;
    }
}

// The save dialog back to the note's own kind after save as.
void ResetSaveDialog(QFileDialog* dialog) {
    dialogfilters::SelectSaveKind(dialog, filekinds::kFirstSavePosition);
}

// The window's file dialogs and question boxes.
class WindowNoteDialogs : public commands::NoteDialogs {
public:
    explicit WindowNoteDialogs(TForm1& form) : form_(form) {}

    std::optional<std::string> ChooseNoteToOpen() override {
        QFileDialog* dialog = form_.OpenDialog1;
        if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty()) {
            return std::nullopt;
        }
        return NativePath(dialog->selectedFiles().front());
    }

    // The folder of the open note (or the open dialog's), an empty name,
    // overwriting asks first, resizable; the kind stays as the previous use
    // left it, and the dialog returns to the first kind afterwards.
    std::optional<commands::SaveChoice> ChooseSaveName() override {
        QFileDialog* dialog = form_.SaveDialog1;
        dialog->setDirectory(form_.CurrentFile.empty() ? form_.OpenFolder()
                                                       : FolderOf(form_.CurrentFile));
        dialog->setOptions(dialog->options() &
                           (QFileDialog::DontUseNativeDialog | QFileDialog::HideNameFilterDetails));
        dialog->setSizeGripEnabled(true);
        dialogfilters::ClearFileName(dialog);
        if (dialog->exec() != QDialog::Accepted) {
            ResetSaveDialog(dialog);
            return std::nullopt;
        }
        commands::SaveChoice choice{NativePath(dialog->selectedFiles().value(0)),
                                    dialogfilters::FilterIndex(dialog)};
        ResetSaveDialog(dialog);
        return choice;
    }

    commands::Answer Ask(const std::string& text) override {
        return AskYesNoCancel(&form_, FromCp932(text));
    }

    void ShowError(const std::string& text) override {
        QMessageBox::critical(&form_, Q("ノートリオ"), FromCp932(text));
    }

private:
    TForm1& form_;
};

} // namespace

std::unique_ptr<commands::NoteDialogs> TForm1::MakeNoteDialogs(TForm1& form) {
    return std::make_unique<WindowNoteDialogs>(form);
}

void TForm1::NewdataClick() {
    Notes.NewNote();
}
void TForm1::SpeedButton4Click() {
    NewdataClick();
}

// 開く: the tax mode is shown whether or not a note was read.
void TForm1::N10Click() {
    Notes.Open();
    ShowTaxMode();
}
void TForm1::Button2Click() {
    N10Click();
}
void TForm1::SpeedButton1Click() {
    N10Click();
}

// 上書き保存.
void TForm1::N11Click() {
    if (Notes.Save() == commands::WriteResult::Written) {
        ReportLostCharacters();
    }
}
void TForm1::SpeedButton2Click() {
    N11Click();
}

// 保存 (save as).
void TForm1::Button1Click() {
    if (Notes.SaveAs()) {
        ReportLostCharacters();
    }
}
void TForm1::SpeedButton5Click() {
    Button1Click();
}

// 終了: the close check once, then the window closes without asking again.
void TForm1::N23Click() {
    if (!FormCloseQuery()) {
        return;
    }
    closing_ = true;
    FormClose();
    close();
}

bool TForm1::FormCloseQuery() {
    return Notes.MayClose();
}

// The first command-line argument names a note to open at start-up.
void TForm1::OpenCommandLineNote(const std::vector<std::string>& arguments) {
    if (!arguments.empty()) {
        Notes.OpenNamed(arguments.front());
    }
}

void TForm1::ComboBox1Change() {
    std::vector<std::string> items;
    for (int i = 0; i < ComboBox1->count(); ++i) {
        items.push_back(qttext::ToCp932(ComboBox1->itemText(i)));
    }
    TaxMode_ = commands::MatchTaxMode(items, qttext::ToCp932(ComboBox1->currentText()), TaxMode_);
    ShowAmountTitle();
}
