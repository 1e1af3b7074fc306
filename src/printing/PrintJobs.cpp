#include "PrintJobs.h"

#include "Issuing.h"
#include "NoteLayout.h"
#include "QPainterSurface.h"
#include "RecordingSurface.h"

#include "SaveFile.h"

#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QFile>
#include <QMessageBox>
#include <QPageLayout>
#include <QPageSize>
#include <QPaintEngine>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>

#include <algorithm>

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

namespace {

// A PDF that Qt finished: its last bytes hold the end-of-file marker. A
// write that failed half way (a full disk) leaves it out.
bool IsCompletePdf(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() < 8) {
        return false;
    }
    constexpr qint64 kTail = 1024;
    file.seek(std::max<qint64>(0, file.size() - kTail));
    return file.read(kTail).contains("%%EOF");
}

bool WritesFile(const QPrinter& printer) {
    return printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty();
}

// True while Qt's preview draws its pages: the printer's engine is then the
// preview's recorder, not the one of the printer or the PDF file.
// A printer that writes a PDF file of the note's paper at `dpi`.
void SetUpPdfPrinter(QPrinter& printer, const std::string& path, int dpi) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(path));
    printer.setResolution(dpi);
    PrepareNotePrinter(printer);
}

bool IsPreviewRendering(QPrinter& printer) {
    const QPaintEngine* engine = printer.paintEngine();
    return engine != nullptr && engine->type() == QPaintEngine::Picture;
}

} // namespace

bool PrintJob(QPrinter& printer, const NoteWindow& window, int kind, PRINTERSTATUS& status,
              PRINTERGRID& grid, std::string& error, RecordingSurface* recorder) {
    if (!WritesFile(printer)) {
        if (!PaintNotes(printer, window, kind, status, grid, recorder)) {
            error = "cannot print on " + printer.printerName().toStdString();
            return false;
        }
        return true;
    }
    const QString target = printer.outputFileName();
    safefile::SaveFile file(target.toStdString());
    if (!file.Open()) {
        error = file.ErrorString();
        return false;
    }
    const QString partial = QString::fromStdString(file.TemporaryPath());
    printer.setOutputFileName(partial);
    const bool painted = PaintNotes(printer, window, kind, status, grid, recorder);
    printer.setOutputFileName(target);
    if (!painted || !IsCompletePdf(partial)) {
        error = "cannot write " + target.toStdString();
        return false;
    }
    if (!file.Commit()) {
        error = file.ErrorString();
        return false;
    }
    return true;
}

namespace {

void ReportFailedJob(QWidget* owner, const std::string& error) {
    QMessageBox::warning(owner, QString::fromUtf8("注意"),
                         QString::fromUtf8("印刷できませんでした: ") +
                             QString::fromStdString(error));
}

} // namespace

std::unique_ptr<QPrintPreviewDialog> CreatePrintPreview(QWidget* owner, QPrinter& printer,
                                                        const NoteWindow& window, int kind,
                                                        PRINTERSTATUS& status, PRINTERGRID& grid,
                                                        RecordingSurface* recorder) {
    status.documentTitle = JobTitle();
    printer.setDocName(QString::fromStdString(status.documentTitle));
    auto preview = std::make_unique<QPrintPreviewDialog>(&printer, owner);
    // The paper the preview showed last; Qt's print dialog of the preview
    // would otherwise put the queue's default paper on the printer.
    auto shown = std::make_shared<QPageLayout>(printer.pageLayout());
    QPrintPreviewDialog* dialog = preview.get();
    QObject::connect(dialog, &QPrintPreviewDialog::paintRequested, dialog,
                     [dialog, &window, kind, &status, &grid, recorder, shown](QPrinter* target) {
                         if (IsPreviewRendering(*target)) {
                             *shown = target->pageLayout();
                             PaintNotes(*target, window, kind, status, grid, recorder);
                             return;
                         }
                         target->setPageLayout(*shown);
                         std::string error;
                         if (!PrintJob(*target, window, kind, status, grid, error, recorder)) {
                             ReportFailedJob(dialog, error);
                         }
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

namespace {

// Keeps A4 through Qt's print dialog. The dialog's page settings (its
// Properties dialog, made when first needed) start on the queue's default
// paper, and the dialog puts that paper on the printer when the user
// confirms. The keeper selects A4 there when they are shown and notes
// whether the user confirmed them; when not, the printer gets A4 back once
// the dialog is accepted.
class PaperKeeper : public QObject {
public:
    PaperKeeper(QPrintDialog& dialog, QPrinter& printer) : QObject(&dialog), dialog_(dialog) {
        qApp->installEventFilter(this);
        if (auto* printers = dialog.findChild<QComboBox*>(QStringLiteral("printers"))) {
            // Another printer: its page settings are made anew.
            connect(printers, &QComboBox::currentIndexChanged, this,
                    [this] { paperConfirmed_ = false; });
        }
        connect(&dialog, &QDialog::accepted, this, [this, &printer] {
            if (!paperConfirmed_) {
                PrepareNotePrinter(printer);
            }
        });
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show) {
            auto* settings = qobject_cast<QDialog*>(watched);
            if (settings != nullptr && settings != &dialog_ && IsInside(settings) &&
                !settings->property(kOffered).toBool()) {
                OfferA4(*settings);
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    static constexpr const char* kOffered = "notorioA4Offered";

    bool IsInside(const QObject* object) const {
        for (const QObject* o = object; o != nullptr; o = o->parent()) {
            if (o == &dialog_) {
                return true;
            }
        }
        return false;
    }

    void OfferA4(QDialog& settings) {
        auto* sizes = settings.findChild<QComboBox*>(QStringLiteral("pageSizeCombo"));
        if (sizes == nullptr) {
            return;
        }
        settings.setProperty(kOffered, true);
        for (int i = 0; i < sizes->count(); ++i) {
            if (sizes->itemData(i).value<QPageSize>().id() == QPageSize::A4) {
                sizes->setCurrentIndex(i);
                break;
            }
        }
        connect(&settings, &QDialog::accepted, this, [this] { paperConfirmed_ = true; });
    }

    QPrintDialog& dialog_;
    bool paperConfirmed_ = false;
};

} // namespace

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
    new PaperKeeper(dialog, printer);
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
    std::string error;
    if (!PrintJob(printer, window, kind, status, grid, error) && WritesFile(printer)) {
        ReportFailedJob(owner, error);
    }
    return 0;
}

int PrintNotes(QWidget* owner, const NoteWindow& window, int kind) {
    PRINTERSTATUS status;
    PRINTERGRID grid;
    return PrintNotes(owner, window, kind, status, grid);
}

bool PrintNotesOnQueue(const NoteWindow& window, int kind, const std::string& queue,
                       std::string& error) {
    if (PagesOfKind(kind).empty()) {
        error = "unknown print kind " + std::to_string(kind);
        return false;
    }
    const QPrinterInfo info = queue.empty()
                                  ? QPrinterInfo::defaultPrinter()
                                  : QPrinterInfo::printerInfo(QString::fromStdString(queue));
    if (info.isNull()) {
        error = queue.empty() ? "no default print queue" : "no print queue named " + queue;
        return false;
    }
    QPrinter printer(info, QPrinter::HighResolution);
    PrepareNotePrinter(printer);
    printer.setCopyCount(1);
    PRINTERSTATUS status;
    PRINTERGRID grid;
    return PrintJob(printer, window, kind, status, grid, error);
}

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
    QPrinter printer(QPrinter::HighResolution);
    SetUpPdfPrinter(printer, path, dpi);
    PRINTERSTATUS status;
    PRINTERGRID grid;
    return PrintJob(printer, window, kind, status, grid, error);
}

std::string IssuePdf(const NoteWindow& window, int kind, const std::string& folder,
                     std::string& error) {
    constexpr int kIssueDpi = 600;
    return issuing::IssueNote(
        window, kind, folder,
        [&window, kind](const std::string& partial, std::string& writeError) {
            // Written as it stands: the issuing puts the file in place.
            QPrinter printer(QPrinter::HighResolution);
            SetUpPdfPrinter(printer, partial, kIssueDpi);
            PRINTERSTATUS status;
            PRINTERGRID grid;
            if (!PaintNotes(printer, window, kind, status, grid) ||
                !IsCompletePdf(QString::fromStdString(partial))) {
                writeError = "PDFを書き込めません";
                return false;
            }
            return true;
        },
        error);
}

} // namespace printing
