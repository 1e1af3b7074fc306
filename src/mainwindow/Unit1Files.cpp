// File commands of the main window: new note, open, save, save as, exit,
// the tax-mode selector and the question asked when the window closes.
#include "Unit1.h"

#include "Cp932.h"
#include "QtText.h"
#include "WindowTexts.h"

#include <QAction>
#include <QComboBox>
#include <QPushButton>
#include <QToolButton>

void TForm1::BindFileCommands() {
    for (QAction* item : {Newdata, N10, N11, N23}) {
        item->setEnabled(false);
    }
    for (QWidget* control : std::initializer_list<QWidget*>{
             Button1, Button2, SpeedButton1, SpeedButton2, SpeedButton4, SpeedButton5}) {
        control->setEnabled(false);
    }
}

void TForm1::NewdataClick() {}
void TForm1::SpeedButton4Click() {
    NewdataClick();
}
void TForm1::N10Click() {}
void TForm1::Button2Click() {
    N10Click();
}
void TForm1::SpeedButton1Click() {
    N10Click();
}
void TForm1::N11Click() {}
void TForm1::SpeedButton2Click() {
    N11Click();
}
void TForm1::Button1Click() {}
void TForm1::SpeedButton5Click() {
    Button1Click();
}
void TForm1::N23Click() {}

bool TForm1::FormCloseQuery() {
    return true;
}

// The first command-line argument names a note to open at start-up.
void TForm1::OpenCommandLineNote(const std::vector<std::string>& arguments) {
    if (arguments.empty()) {
        return;
    }
    CurrentFile = arguments.front();
    // TODO: notefiles::OpenNote(CurrentFile, Data, *this) once
    // src/persistence/NoteFiles.h exists.
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
