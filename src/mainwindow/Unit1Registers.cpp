// The register commands: issuer, customer and product register dialogs.
// Each opens its dialog modally and takes the result back when it closes;
// nothing is written to disk here (the master file is written at close).
#include "Unit1.h"

#include "RegisterCommands.h"

void TForm1::OwnerconfigClick() {
    registers::RunIssuerRegister(this, Data, *this);
}
void TForm1::Button4Click() {
    OwnerconfigClick();
}
void TForm1::CustomerlistClick() {
    registers::RunCustomerRegister(this, Data, *this);
}
void TForm1::Button5Click() {
    CustomerlistClick();
}
void TForm1::ProductListClick() {
    registers::RunProductRegister(this, Data);
    RebuildWordMenus();
}
void TForm1::Button6Click() {
    ProductListClick();
}
