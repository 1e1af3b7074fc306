// The issuer register's grid without a window: one column per issuer, one
// row per field, and the step that takes the edited grid back into the
// main window's register.
#pragma once

#include "Basedata.h"
#include "NoteWindow.h"
#include "RegisterGrid.h"
#include "TextGrid.h"

namespace registers {

constexpr int IssuerGridRows = 12;
// The row of the registration number (登録番号), under 所有者管理番号.
constexpr int RegistrationRow = 11;

// The field titles of rows 1 to 11 into column 0.
void WriteIssuerTitles(TextGrid& grid);

// Column c (from 1) gets entry c - 1: its number in row 0, the fields in
// rows 1 to 10 and numbers[c - 1] (or nothing) in row 11. Columns beyond
// the entries are not touched.
void FillIssuerGrid(TextGrid& grid, const ownerlist& entries, const wordlist& numbers = {});

// Every data column with a name, in column order; an ownerno that is not an
// integer reads 0.
ownerlist ReadIssuerGrid(const TextGrid& grid);
// The registration numbers of those columns, as typed.
wordlist ReadIssuerNumbers(const TextGrid& grid);

// Adds an empty column as wide as the last one when the last column has a
// name. Returns the status text: "add itiretu" or "no name".
std::string AddIssuerColumn(TextGrid& grid);

// The issuer the main window's fields show.
owner CurrentIssuerFromWindow(const NoteWindow& window);

// Appends `current` to `entries` when the register is not empty, holds no
// entry of that name and `ask` answers Yes. True when it was appended.
bool OfferCurrentIssuer(ownerlist& entries, const owner& current, const AskAddition& ask);

// The closing step: an empty list changes nothing; otherwise the register
// becomes `entries` with their registration `numbers`, the chosen position
// `selected` when it lies inside, else 0, and the chosen issuer is shown
// in the window. A number that is not "T" and 13 digits is kept as typed,
// with a warning in the status line.
void TakeIssuerRegister(NoteContainers& note, NoteWindow& window, ownerlist entries,
                        wordlist numbers, std::int32_t selected);

} // namespace registers
