// The print commands on the Qt side: the print dialog, printing a note's
// pages through it, and printing them into a PDF file without a dialog.
#pragma once

#include "NoteWindow.h"
#include "PrinterGrid.h"
#include "PrinterStatus.h"

#include <memory>
#include <string>

class QPrintDialog;
class QPrintPreviewDialog;
class QPrinter;
class QWidget;
class RecordingSurface;

namespace printing {

// Every note is A4: sets the paper (portrait) and the margins at the
// device's minimum. Called on each new printer before its dialog, which may
// still change the paper.
void PrepareNotePrinter(QPrinter& printer);

// Margins at the minimum the device has for its paper, so that the page's
// origin is the top-left corner of the printable area (the sheet's corner in
// a PDF file, which has no unprintable border).
void UsePrintableArea(QPrinter& printer);

// The one print routine of the print, preview and PDF commands: the pages of
// the kind in one job on the printer, origin at its printable area. With a
// recorder, every call to the surface is recorded there as well. False when
// the job could not be started or the printer reported an error. A printer
// that writes a PDF file writes it as given; PrintJob writes it safely.
bool PaintNotes(QPrinter& printer, const NoteWindow& window, int kind, PRINTERSTATUS& status,
                PRINTERGRID& grid, RecordingSurface* recorder = nullptr);

// A job of the print and preview commands: PaintNotes, except that a printer
// set to write a PDF file (the dialog's print to file, a PDF printer) writes
// it through the safe replace: the old file stays whole until the new one is
// complete, and a replaced file keeps its mode. False with `error` (UTF-8)
// when the file could not be written or the printer reported an error.
bool PrintJob(QPrinter& printer, const NoteWindow& window, int kind, PRINTERSTATUS& status,
              PRINTERGRID& grid, std::string& error, RecordingSurface* recorder = nullptr);

// The print preview of the kind on `printer` (prepared as for printing);
// zoom, page navigation and printing come from Qt's preview dialog, whose
// pages are painted by PaintNotes and printed by PrintJob.
std::unique_ptr<QPrintPreviewDialog> CreatePrintPreview(QWidget* owner, QPrinter& printer,
                                                        const NoteWindow& window, int kind,
                                                        PRINTERSTATUS& status, PRINTERGRID& grid,
                                                        RecordingSurface* recorder = nullptr);

// The 印刷プレビュー command: the preview of the kind, shown modally, on the
// default printer.
void ShowPrintPreview(QWidget* owner, const NoteWindow& window, int kind);

// Prepares the printer and the dialog for one print job: the default
// printer, one copy, one page, no selection or page range choice; printing
// into a PDF file stays available. The dialog offers A4 in the printer's
// page settings, and the printer gets A4 back after the dialog unless the
// user confirmed a paper there (Qt's dialog otherwise puts the queue's
// default paper on the printer).
void ConfigurePrintDialog(QPrintDialog& dialog, QPrinter& printer);

// Sets the job title and shows the print dialog; true when the user
// confirmed.
bool ShowPrintDialog(QWidget* owner, PRINTERSTATUS& status, QPrinter& printer);

// The print command: the dialog, then the pages of the kind in one job on
// the chosen printer. A cancelled dialog prints nothing; a PDF file that
// could not be written is reported in a message box. Always returns 0.
int PrintNotes(QWidget* owner, const NoteWindow& window, int kind, PRINTERSTATUS& status,
               PRINTERGRID& grid);
// The same with engine objects of its own.
int PrintNotes(QWidget* owner, const NoteWindow& window, int kind);

// Prints the pages of the kind on the print queue named `queue` (the
// default queue when empty) without a dialog, A4, one copy. False with
// `error` (UTF-8) when there is no such queue or the job failed.
bool PrintNotesOnQueue(const NoteWindow& window, int kind, const std::string& queue,
                       std::string& error);

// Prints the pages of the kind into one PDF file on a device of `dpi` dots
// per inch, A4, the origin at the sheet's corner, through the safe replace.
// On failure returns false and sets `error` (UTF-8).
bool PrintNotesToPdf(const NoteWindow& window, int kind, int dpi, const std::string& path,
                     std::string& error);

// Issues the window's note as a PDF of the kind (0 納品書(控), 1 納品書,
// 2 請求書) under its rule-based name in `folder` and appends its line to the
// folder's index. Returns the path written, or empty with `error` (UTF-8).
std::string IssuePdf(const NoteWindow& window, int kind, const std::string& folder,
                     std::string& error);

} // namespace printing
