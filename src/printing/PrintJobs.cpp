#include "PrintJobs.h"

#include "Issuing.h"
#include "NoteLayout.h"
#include "QPainterSurface.h"
#include "RecordingSurface.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTemporaryFile>

namespace printing {

void UsePrintableArea(QPrinter& printer) {
    const QPageLayout layout = printer.pageLayout();
    printer.setPageMargins(layout.minimumMargins(), layout.units());
}

void PrepareNotePrinter(QPrinter& printer) {
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setPageSize(QPageSize(QPageSize::A4));
    UsePrintableArea(printer);
}

bool PaintNotes(QPrinter& printer, const NoteWindow& window, int kind, PRINTERSTATUS& status,
                PRINTERGRID& grid, RecordingSurface* recorder) {
    UsePrintableArea(printer);
    QPainterSurface surface(printer);
    if (recorder != nullptr) {
        recorder->ForwardTo(&surface);
        PrintNoteJob(*recorder, status, grid, window, kind);
        recorder->ForwardTo(nullptr);
    } else {
        PrintNoteJob(surface, status, grid, window, kind);
    }
    return surface.Succeeded();
}

std::unique_ptr<QPrintPreviewDialog> CreatePrintPreview(QWidget* owner, QPrinter& printer,
                                                        const NoteWindow& window, int kind,
                                                        PRINTERSTATUS& status, PRINTERGRID& grid,
                                                        RecordingSurface* recorder) {
    status.documentTitle = JobTitle();
    printer.setDocName(QString::fromStdString(status.documentTitle));
    auto preview = std::make_unique<QPrintPreviewDialog>(&printer, owner);
    QObject::connect(preview.get(), &QPrintPreviewDialog::paintRequested, preview.get(),
                     [&window, kind, &status, &grid, recorder](QPrinter* target) {
                         PaintNotes(*target, window, kind, status, grid, recorder);
                     });
    return preview;
}

void ShowPrintPreview(QWidget* owner, const NoteWindow& window, int kind) {
    if (PagesOfKind(kind).empty()) {
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    PrepareNotePrinter(printer);
    PRINTERSTATUS status;
    PRINTERGRID grid;
    const auto preview = CreatePrintPreview(owner, printer, window, kind, status, grid);
    preview->setWindowTitle(QString::fromUtf8("印刷プレビュー"));
    preview->exec();
}

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
    PrepareNotePrinter(printer);
    if (!ShowPrintDialog(owner, status, printer)) {
        return 0;
    }
    PaintNotes(printer, window, kind, status, grid);
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
        PrepareNotePrinter(printer);
        PRINTERSTATUS status;
        PRINTERGRID grid;
        ok = PaintNotes(printer, window, kind, status, grid);
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

std::string IssuePdf(const NoteWindow& window, int kind, const std::string& folder,
                     std::string& error) {
    constexpr int kIssueDpi = 600;
    return issuing::IssueNote(
        window, kind, folder,
        [&window, kind](const std::string& path, std::string& writeError) {
            return PrintNotesToPdf(window, kind, kIssueDpi, path, writeError);
        },
        error);
}

} // namespace printing
