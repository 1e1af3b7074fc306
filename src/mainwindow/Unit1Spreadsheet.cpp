// The grid's export to a spreadsheet file (ファイル > 書きだし > エクセルファイル).
#include "Unit1.h"

#include <QAction>

void TForm1::BindSpreadsheetCommands() {
    Writeout1->setEnabled(false);
}

void TForm1::Writeout1Click() {}
