// The print commands on the Qt side: the print dialog, printing a note's
// pages through it, and printing them into a PDF file without a dialog.
#pragma once

#include "NoteWindow.h"
#include "PrinterGrid.h"
#include "PrinterStatus.h"

#include <string>

class QPrintDialog;
class QPrinter;
class QWidget;

namespace printing {

// Prepares the printer and the dialog for one print job: the default
// printer, one copy, one page, no selection or page range choice; printing
// into a PDF file stays available.
void ConfigurePrintDialog(QPrintDialog& dialog, QPrinter& printer);

// Sets the job title and shows the print dialog; true when the user
// confirmed.
bool ShowPrintDialog(QWidget* owner, PRINTERSTATUS& status, QPrinter& printer);

// The print command: the dialog, then the pages of the kind in one job on
// the chosen printer. A cancelled dialog prints nothing. Always returns 0.
int PrintNotes(QWidget* owner, const NoteWindow& window, int kind, PRINTERSTATUS& status,
               PRINTERGRID& grid);
// The same with engine objects of its own.
int PrintNotes(QWidget* owner, const NoteWindow& window, int kind);

// Prints the pages of the kind into one PDF file on a device of `dpi` dots
// per inch, A4, the origin at the sheet's corner. The file is written beside
// the target and renamed over it when complete. On failure returns false and
// sets `error` (UTF-8).
bool PrintNotesToPdf(const NoteWindow& window, int kind, int dpi, const std::string& path,
                     std::string& error);

} // namespace printing
