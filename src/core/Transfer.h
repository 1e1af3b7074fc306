// Moving a note between the window's texts and the note records.
#pragma once

#include "Basedata.h"
#include "NoteWindow.h"

namespace transfer {

// Window -> records, run before every save in this order. The header
// carries the rate field's integer in zeiritu, marked by childcount 2.
void WindowToHeader(NoteWindow& window, basedatalist& basedata1);
void WindowToHeader04(NoteWindow& window, basedatav2list_t& basedatav2list);
void WindowToIssuer(const NoteWindow& window, ownerlist& owner1);
void WindowToCustomer(const NoteWindow& window, customerlist& customer1);
void GridToLines(const NoteWindow& window, hinmokumap& hinmokulist);

// Records -> window, run after a note was read. A header whose childcount
// is 2 also sets the rate field from zeiritu; the issuer's registration
// number comes from the register (by issuer, else by name; else empty).
void LinesToGrid(NoteWindow& window, const hinmokumap& lines);
void RecordsToWindow(NoteWindow& window, const NoteContainers& note);

// Empties every data cell (columns 1 to the last, rows 1 to the last).
void ClearGridData(NoteWindow& window);

// A text as it moves between the window and a record: up to its first NUL.
std::string UpToNul(const std::string& text);

} // namespace transfer
