// Print commands of the main window: delivery note, invoice, retained copy,
// all three, and the custom print window. Each shows the print dialog and
// prints the window's texts as they stand; nothing is saved or recalculated.
#include "Unit1.h"

#include "NoteLayout.h"
#include "PrintJobs.h"
#include "Unit6.h"

#include <QAction>
#include <QPushButton>
#include <QToolButton>

void TForm1::BindPrintCommands() {
    for (QAction* item : {NouhinprnA4, SeikyuprnA4, NouhinhprnA4, AllprnA4, Customprn}) {
        item->setEnabled(true);
    }
    for (QWidget* control :
         std::initializer_list<QWidget*>{Button7, Button8, Button9, SpeedButton3}) {
        control->setEnabled(true);
    }
}

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
