#include "RegisterCommands.h"

#include "CustomerRegister.h"
#include "IssuerRegister.h"
#include "Unit2.h"
#include "Unit3.h"
#include "Unit4.h"

namespace registers {

void RunIssuerRegister(QWidget* parent, NoteContainers& note, NoteWindow& window) {
    TForm2 dialog(note, window, parent);
    dialog.setWindowTitle("Owner");
    dialog.exec();
    TakeIssuerRegister(note, window, dialog.ReadIssuerGrid(), dialog.ReadIssuerNumbers(),
                       dialog.SelectedIndex);
}

void RunCustomerRegister(QWidget* parent, NoteContainers& note, NoteWindow& window) {
    TForm3 dialog(note, window, parent);
    dialog.setWindowTitle("Customer");
    dialog.exec();
    TakeCustomerRegister(note, window, dialog.ReadCustomerGrid(), dialog.SelectedIndex);
}

void RunProductRegister(QWidget* parent, NoteContainers& note) {
    TForm4 dialog(note, parent);
    dialog.setWindowTitle("Goods");
    dialog.exec();
    note.menuitem1 = dialog.ReadWordList(1);
    note.menuitem2 = dialog.ReadWordList(2);
    note.menuitem3 = dialog.ReadWordList(3);
}

} // namespace registers
