// The A4 page of a note as a delivery note, its retained copy or an invoice,
// composed from the window's fields and line grid, and the print job of one
// print command.
#pragma once

#include "NoteWindow.h"
#include "PrinterGrid.h"
#include "PrinterStatus.h"
#include "PrinterSurface.h"

#include <string>
#include <vector>

namespace printing {

// Print kinds: which pages one command prints.
enum NoteKind { kCopy = 0, kDeliveryNote = 1, kInvoice = 2, kAllThree = 3 };

// The name of every print job.
std::string JobTitle();

// Title and opening phrase of each page of the kind, in print order; empty
// for a kind outside 0 to 3.
std::vector<std::vector<std::string>> PagesOfKind(int kind);

// Draws one page; texts[0] is the title, texts[1] the opening phrase.
void PrintNotePage(PrinterSurface& device, PRINTERSTATUS& status, PRINTERGRID& grid,
                   const NoteWindow& window, const std::vector<std::string>& texts);

// One job on the device with the pages of the kind: document, pages, end.
// Prints nothing for an unknown kind.
void PrintNoteJob(PrinterSurface& device, PRINTERSTATUS& status, PRINTERGRID& grid,
                  const NoteWindow& window, int kind);

} // namespace printing
