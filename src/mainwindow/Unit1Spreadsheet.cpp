// The grid's export to a spreadsheet file (ファイル > 書きだし > エクセルファイル).
#include "Unit1.h"

#include "DialogFilters.h"
#include "FileKinds.h"
#include "GridExport.h"
#include "NoteCommands.h"
#include "QtText.h"
#include "QuestionBox.h"

#include <QAction>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

using qttext::FromCp932;
using qttext::Q;

namespace {

// The export question in the program's question box.
spreadsheet::Answer AskExportQuestion(QWidget* parent, const std::string& message) {
    switch (qttext::AskQuestion(parent, Q("確認"), FromCp932(message))) {
    case qttext::Answer::Yes:
        return spreadsheet::Answer::Yes;
    case qttext::Answer::No:
        return spreadsheet::Answer::No;
    default:
        return spreadsheet::Answer::Cancel;
    }
}

// The save dialog prepared for an export: initial folder, options, filter.
void PrepareSaveDialog(TForm1& form, int filterIndex) {
    QFileDialog* dialog = form.SaveDialog1;
    if (!form.CurrentFile.empty()) {
        dialog->setDirectory(
            QFileInfo(QFile::decodeName(QByteArray::fromStdString(form.CurrentFile)))
                .absolutePath());
    } else {
        dialog->setDirectory(form.OpenFolder());
    }
    // Overwriting asks first (no DontConfirmOverwrite) and the dialog is
    // resizable; only the options that choose the dialog's look are kept.
    dialog->setOptions(dialog->options() &
                       (QFileDialog::DontUseNativeDialog | QFileDialog::HideNameFilterDetails));
    dialog->setSizeGripEnabled(true);
    dialogfilters::SelectSaveKind(dialog, filterIndex);
}

// The save dialog, then the export of the grid to the chosen file.
void ExportCommand(TForm1& form, int filterIndex) {
    PrepareSaveDialog(form, filterIndex);
    if (form.SaveDialog1->exec() != QDialog::Accepted) {
        return;
    }
    const QString chosen = form.SaveDialog1->selectedFiles().value(0);
    const std::string path = QFile::encodeName(chosen).toStdString();
    if (!path.empty()) {
        form.CurrentFile = path;
        form.SaveTarget = path;
    }
    try {
        if (spreadsheet::ExportGridToXls(path, form, [&form](const std::string& message) {
                return AskExportQuestion(&form, message);
            })) {
            form.SetStatus(commands::ExportedStatus(path));
        }
    } catch (const std::exception& e) {
        QMessageBox::critical(&form, Q("ノートリオ"), FromCp932(e.what()));
    }
}

} // namespace

void TForm1::Writeout1Click() {
    ExportCommand(*this, filekinds::SavePositionOf(filekinds::Writer::Spreadsheet));
}
