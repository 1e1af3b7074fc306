#include "PrintJobs.h"

#include "NoteLayout.h"
#include "QPainterSurface.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrinter>
#include <QTemporaryFile>

namespace printing {

void ConfigurePrintDialog(QPrintDialog& dialog, QPrinter& printer) {
    printer.setCopyCount(1);
    printer.setFromTo(0, 0);
    printer.setPrintRange(QPrinter::AllPages);
    dialog.setMinMax(1, 1);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    dialog.setOption(QAbstractPrintDialog::PrintCollateCopies, true);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    dialog.setOption(QAbstractPrintDialog::PrintShowPageSize, true);
}

bool ShowPrintDialog(QWidget* owner, PRINTERSTATUS& status, QPrinter& printer) {
    status.documentTitle = JobTitle();
    printer.setDocName(QString::fromStdString(status.documentTitle));
    QPrintDialog dialog(&printer, owner);
    ConfigurePrintDialog(dialog, printer);
    return dialog.exec() == QDialog::Accepted;
}

int PrintNotes(QWidget* owner, const NoteWindow& window, int kind, PRINTERSTATUS& status,
               PRINTERGRID& grid) {
    if (PagesOfKind(kind).empty()) {
        return 0;
    }
    // A new printer each job: the dialog opens on the default printer.
    QPrinter printer(QPrinter::HighResolution);
    if (!ShowPrintDialog(owner, status, printer)) {
        return 0;
    }
    if (printer.outputFormat() == QPrinter::PdfFormat) {
        // A PDF file has no unprintable border.
        printer.setFullPage(true);
    }
    QPainterSurface surface(printer);
    PrintNoteJob(surface, status, grid, window, kind);
    return 0;
}

int PrintNotes(QWidget* owner, const NoteWindow& window, int kind) {
    PRINTERSTATUS status;
    PRINTERGRID grid;
    return PrintNotes(owner, window, kind, status, grid);
}

namespace {

// A name for the file being written, beside the target.
QString PartialFileName(const QString& target, std::string& error) {
    QTemporaryFile partial(QFileInfo(target).absoluteDir().filePath(
        QStringLiteral(".%1.XXXXXX").arg(QFileInfo(target).fileName())));
    partial.setAutoRemove(false);
    if (!partial.open()) {
        error = "cannot write in the folder of " + target.toStdString() + ": " +
                partial.errorString().toStdString();
        return QString();
    }
    return partial.fileName();
}

} // namespace

bool PrintNotesToPdf(const NoteWindow& window, int kind, int dpi, const std::string& path,
                     std::string& error) {
    if (PagesOfKind(kind).empty()) {
        error = "unknown print kind " + std::to_string(kind);
        return false;
    }
    if (dpi <= 0) {
        error = "resolution must be positive";
        return false;
    }
    const QString target = QString::fromStdString(path);
    const QString partial = PartialFileName(target, error);
    if (partial.isEmpty()) {
        return false;
    }
    bool ok = false;
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(partial);
        printer.setResolution(dpi);
        printer.setPageSize(QPageSize(QPageSize::A4));
        printer.setPageOrientation(QPageLayout::Portrait);
        printer.setFullPage(true);
        QPainterSurface surface(printer);
        PRINTERSTATUS status;
        PRINTERGRID grid;
        PrintNoteJob(surface, status, grid, window, kind);
        ok = surface.Succeeded();
    }
    if (!ok) {
        QFile::remove(partial);
        error = "cannot print into " + path;
        return false;
    }
    QFile::remove(target);
    if (!QFile::rename(partial, target)) {
        QFile::remove(partial);
        error = "cannot write " + path;
        return false;
    }
    return true;
}

} // namespace printing
