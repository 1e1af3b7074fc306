// The customer register's grid without a window: one row per customer, one
// column per field, and the step that takes the edited grid back.
#pragma once

#include "Basedata.h"
#include "NoteWindow.h"
#include "RegisterGrid.h"
#include "TextGrid.h"

namespace registers {

constexpr int CustomerGridCols = 8;
constexpr int CustomerGridRowsAsCreated = 5;

// The field titles of columns 1 to 7 into row 0.
void WriteCustomerTitles(TextGrid& grid);

// Row r (from 1) gets entry r - 1: its number in column 0, the fields in
// columns 1 to 7. Rows beyond the entries are not touched.
void FillCustomerGrid(TextGrid& grid, const customerlist& entries);

// Every data row with a name, in row order; a customerno_ that is not an
// integer reads 0. Fields are read by column position.
customerlist ReadCustomerGrid(const TextGrid& grid);

// Adds an empty row when the last row has a name. Returns the status text:
// "add itiretu" or "no name".
std::string AddCustomerRow(TextGrid& grid);

// The customer name the main window shows.
std::string CurrentCustomerName(const NoteWindow& window);

// A customer of that name with placeholders where the window holds nothing:
// "XX", "XXX-XXXX", "XX", "XX", "XX@XX", number 0.
customer CustomerCandidate(const std::string& name);

// Appends the candidate for `name` when the register is not empty, `name`
// is not empty, no entry has that name and `ask` answers Yes.
bool OfferCurrentCustomer(customerlist& entries, const std::string& name, const AskAddition& ask);

// The closing step, as for issuers, showing the chosen customer's name.
void TakeCustomerRegister(NoteContainers& note, NoteWindow& window, customerlist entries,
                          std::int32_t selected);

} // namespace registers
