// File commands of the main window: new note, open, save, save as, exit,
// the tax-mode selector and the question asked when the window closes.
#include "Unit1.h"

#include "Cp932.h"
#include "DialogFilters.h"
#include "FileKinds.h"
#include "GridExport.h"
#include "NoteFiles.h"
#include "QtText.h"
#include "Transfer.h"
#include "WindowTexts.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QToolButton>

using qttext::FromCp932;
using qttext::Q;

namespace {

std::string NativePath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

QString FolderOf(const std::string& path) {
    return QFileInfo(QFile::decodeName(QByteArray::fromStdString(path))).absolutePath();
}

// A question box with はい, いいえ and キャンセル; closing the box counts as
// キャンセル.
QMessageBox::StandardButton AskYesNoCancel(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Question, Q("確認"), text,
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, parent);
    box.button(QMessageBox::Yes)->setText(Q("はい"));
    box.button(QMessageBox::No)->setText(Q("いいえ"));
    box.button(QMessageBox::Cancel)->setText(Q("キャンセル"));
    box.setEscapeButton(QMessageBox::Cancel);
    const int answer = box.exec();
    return answer == QMessageBox::Yes || answer == QMessageBox::No
               ? static_cast<QMessageBox::StandardButton>(answer)
               : QMessageBox::Cancel;
}

spreadsheet::Answer AskExport(QWidget* parent, const std::string& cp932Message) {
    switch (AskYesNoCancel(parent, FromCp932(cp932Message))) {
    case QMessageBox::Yes:
        return spreadsheet::Answer::Yes;
    case QMessageBox::No:
        return spreadsheet::Answer::No;
    default:
        return spreadsheet::Answer::Cancel;
    }
}

// The open dialog: a chosen file empties the grid's data cells and becomes
// the current file; cancelling only says "Nofile".
bool ChooseNoteToOpen(TForm1& form) {
    if (form.OpenDialog1->exec() != QDialog::Accepted ||
        form.OpenDialog1->selectedFiles().isEmpty()) {
        form.SetStatus("Nofile");
        return false;
    }
    transfer::ClearGridData(form);
    form.CurrentFile = NativePath(form.OpenDialog1->selectedFiles().front());
    form.SetStatus(notefiles::OpeningStatus(form.CurrentFile));
    return true;
}

// The save dialog prepared for save as: the folder of the open note (or
// the open dialog's), an empty name, overwriting asks first, resizable.
// The default extension and filter stay as the previous use left them.
void PrepareSaveDialog(TForm1& form) {
    QFileDialog* dialog = form.SaveDialog1;
    dialog->setDirectory(form.CurrentFile.empty() ? form.OpenDialog1->directory().absolutePath()
                                                  : FolderOf(form.CurrentFile));
    dialog->setOptions(dialog->options() &
                       (QFileDialog::DontUseNativeDialog | QFileDialog::HideNameFilterDetails));
    dialog->setSizeGripEnabled(true);
    dialog->selectFile(QString());
}

void ResetSaveDialog(QFileDialog* dialog) {
    dialogfilters::SelectSaveKind(dialog, filekinds::kFirstSavePosition);
}

// Save as: the dialog, then the spreadsheet export for an ".xls" name the
// user confirms, otherwise the note in the layout of the chosen filter.
// True when a file was written.
bool SaveNoteAs(TForm1& form) {
    PrepareSaveDialog(form);
    QFileDialog* dialog = form.SaveDialog1;
    if (dialog->exec() != QDialog::Accepted) {
        ResetSaveDialog(dialog);
        return false;
    }
    const filekinds::FileKind* kind = filekinds::SaveKindAt(dialogfilters::FilterIndex(dialog));
    const notefiles::Layout layout = kind != nullptr ? kind->layout : notefiles::Layout::Current;
    const std::string chosen = NativePath(dialog->selectedFiles().value(0));
    ResetSaveDialog(dialog);
    if (!chosen.empty()) {
        form.SaveTarget = chosen;
        form.CurrentFile = chosen;
    }
    try {
        if (spreadsheet::ExportGridToXls(
                form.SaveTarget, form,
                [&form](const std::string& message) { return AskExport(&form, message); })) {
            form.SetStatus(notefiles::SavedStatus(form.SaveTarget));
            return true;
        }
    } catch (const std::exception& e) {
        QMessageBox::critical(&form, Q("ノートリオ"), FromCp932(e.what()));
        return false;
    }
    return notefiles::SaveNoteAsTarget(form.SaveTarget, layout, form.Data, form) ==
           notefiles::WriteResult::Written;
}

bool SaveNoteOverwrite(TForm1& form) {
    return notefiles::SaveNoteOverwrite(form.CurrentFile, form.SaveTarget, form.Data, form) ==
           notefiles::WriteResult::Written;
}

// Whether the close check asks: a text field with the focus asks when the
// user changed it since the program last set it; any other control (the
// grid, a button, the selector) asks when a grid cell was edited.
bool HasUnsavedEdits(const TForm1& form) {
    const QWidget* focus = form.focusWidget();
    const auto* field = qobject_cast<const QLineEdit*>(focus);
    const bool inSelector = focus && form.ComboBox1->isAncestorOf(focus);
    if (field && !inSelector) {
        return field->isModified();
    }
    return form.Edited == 1;
}

} // namespace

void TForm1::BindFileCommands() {
    for (QAction* item : {Newdata, N10, N11, SaveAs1, N23}) {
        item->setEnabled(true);
    }
    for (QWidget* control : std::initializer_list<QWidget*>{
             Button1, Button2, SpeedButton1, SpeedButton2, SpeedButton4, SpeedButton5}) {
        control->setEnabled(true);
    }
    // 名前をつけて保存 does what 保存 does.
    connect(SaveAs1, &QAction::triggered, this, &TForm1::Button1Click);
    ResetSaveDialog(SaveDialog1);
}

// 新規: the grid's data cells are emptied; fields, file and tax mode stay.
void TForm1::NewdataClick() {
    transfer::ClearGridData(*this);
    SetStatus(S("表は新規です"));
}
void TForm1::SpeedButton4Click() {
    NewdataClick();
}

// 開く: the open dialog, the note read into the window, then the tax mode
// shown whether or not a note was read.
void TForm1::N10Click() {
    if (ChooseNoteToOpen(*this)) {
        notefiles::OpenNote(CurrentFile, Data, *this);
    }
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
    SaveNoteOverwrite(*this);
}
void TForm1::SpeedButton2Click() {
    N11Click();
}

// 保存 (save as).
void TForm1::Button1Click() {
    SaveNoteAs(*this);
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

// The close check. Yes saves over the open file (save as when there is
// none), No saves under a new name, Cancel saves nothing. When a save the
// user asked for did not happen (it failed, or its dialog was cancelled),
// the window stays open so that nothing typed is lost.
bool TForm1::FormCloseQuery() {
    if (!HasUnsavedEdits(*this)) {
        return true;
    }
    const QMessageBox::StandardButton answer = AskYesNoCancel(
        this,
        Q("データが編集されてます\n上書き保存しますか名前を付けて保存はいいえを押してください"));
    switch (answer) {
    case QMessageBox::Yes:
        return CurrentFile.empty() ? SaveNoteAs(*this) : SaveNoteOverwrite(*this);
    case QMessageBox::No:
        return SaveNoteAs(*this);
    default:
        return true;
    }
}

// The first command-line argument names a note to open at start-up.
void TForm1::OpenCommandLineNote(const std::vector<std::string>& arguments) {
    if (arguments.empty()) {
        return;
    }
    CurrentFile = arguments.front();
    notefiles::OpenNote(CurrentFile, Data, *this);
}

// The tax mode is the first item that contains the selector's text, byte by
// byte in code page 932 (an empty text is in every item, so it selects 0).
// A text that no item contains keeps the mode as it was: amounts and the
// saved header only know 0 and 1.
void TForm1::ComboBox1Change() {
    const std::string text = qttext::ToCp932(ComboBox1->currentText());
    for (int i = 0; i < ComboBox1->count(); ++i) {
        if (qttext::ToCp932(ComboBox1->itemText(i)).find(text) != std::string::npos) {
            TaxMode_ = i;
            break;
        }
    }
    ShowAmountTitle();
}
