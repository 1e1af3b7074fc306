// The main window's register commands: each opens its dialog modally on
// `parent`, waits until the user closes it in any way, and takes the result
// back into the main window's containers and fields.
#pragma once

#include "Basedata.h"
#include "NoteWindow.h"

class QWidget;

namespace registers {

// Issuer register ("Owner"): a grid with at least one named column replaces
// the register; the chosen issuer is shown in Edit3 to Edit9.
void RunIssuerRegister(QWidget* parent, NoteContainers& note, NoteWindow& window);

// Customer register ("Customer"): a grid with at least one named row
// replaces the register; the chosen customer's name is shown in Edit2.
void RunCustomerRegister(QWidget* parent, NoteContainers& note, NoteWindow& window);

// Product register ("Goods"): the three word lists are replaced whole, empty
// ones included. The caller rebuilds the word menus afterwards.
void RunProductRegister(QWidget* parent, NoteContainers& note);

} // namespace registers
