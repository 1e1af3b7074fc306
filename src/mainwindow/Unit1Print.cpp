// Print commands of the main window: delivery note, invoice, retained copy,
// all three, their previews, the custom print window, and issuing the note
// as a PDF. Each prints the window's texts as they stand; nothing is saved
// or recalculated.
#include "Unit1.h"

#include "AppSettings.h"
#include "IssueDialog.h"
#include "NoteLayout.h"
#include "PrintJobs.h"
#include "QtText.h"
#include "Unit6.h"

#include <QAction>
#include <QMenu>

void TForm1::NouhinprnA4Click() {
    printing::PrintNotes(this, *this, printing::kDeliveryNote);
}
void TForm1::Button7Click() {
    NouhinprnA4Click();
}
void TForm1::SeikyuprnA4Click() {
    printing::PrintNotes(this, *this, printing::kInvoice);
}
void TForm1::Button8Click() {
    SeikyuprnA4Click();
}
void TForm1::NouhinhprnA4Click() {
    printing::PrintNotes(this, *this, printing::kCopy);
}
void TForm1::AllprnA4Click() {
    printing::PrintNotes(this, *this, printing::kAllThree);
}
void TForm1::Button9Click() {
    AllprnA4Click();
}
void TForm1::SpeedButton3Click() {
    AllprnA4Click();
}
void TForm1::CustomprnClick() {
    printing::ShowCustomPrint(this);
}

void TForm1::PreviewClick(QAction* item) {
    printing::ShowPrintPreview(this, *this, item->data().toInt());
}

void TForm1::IssuePdfClick() {
    IssueDialog dialog(this, appsettings::ReadIssueFolder(SettingsPath()));
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    appsettings::WriteIssueFolder(SettingsPath(), dialog.Folder());
    std::string error;
    const std::string path =
        printing::IssuePdf(*this, dialog.Kind(), dialog.Folder().toStdString(), error);
    if (path.empty()) {
        ShowMessage(S("注意"), cp932::FromUtf8(error));
        return;
    }
    SetStatus(qttext::PathAsCp932(path) + S("を発行しました"));
}
