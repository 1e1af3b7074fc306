// The register commands: issuer, customer and product register dialogs.
#include "Unit1.h"

#include <QAction>
#include <QPushButton>

void TForm1::BindRegisterCommands() {
    for (QAction* item : {Ownerconfig, Customerlist, ProductList}) {
        item->setEnabled(false);
    }
    for (QWidget* control : std::initializer_list<QWidget*>{Button4, Button5, Button6}) {
        control->setEnabled(false);
    }
}

void TForm1::OwnerconfigClick() {}
void TForm1::Button4Click() {
    OwnerconfigClick();
}
void TForm1::CustomerlistClick() {}
void TForm1::Button5Click() {
    CustomerlistClick();
}
void TForm1::ProductListClick() {}
void TForm1::Button6Click() {
    ProductListClick();
}
