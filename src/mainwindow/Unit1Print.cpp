// Print commands of the main window: delivery note, invoice, retained copy,
// all three, and the custom print window.
#include "Unit1.h"

#include <QAction>
#include <QPushButton>
#include <QToolButton>

void TForm1::BindPrintCommands() {
    for (QAction* item : {NouhinprnA4, SeikyuprnA4, NouhinhprnA4, AllprnA4, Customprn}) {
        item->setEnabled(false);
    }
    for (QWidget* control :
         std::initializer_list<QWidget*>{Button7, Button8, Button9, SpeedButton3}) {
        control->setEnabled(false);
    }
}

void TForm1::NouhinprnA4Click() {}
void TForm1::Button7Click() {
    NouhinprnA4Click();
}
void TForm1::SeikyuprnA4Click() {}
void TForm1::Button8Click() {
    SeikyuprnA4Click();
}
void TForm1::NouhinhprnA4Click() {}
void TForm1::AllprnA4Click() {}
void TForm1::Button9Click() {
    AllprnA4Click();
}
void TForm1::SpeedButton3Click() {
    AllprnA4Click();
}
void TForm1::CustomprnClick() {}
