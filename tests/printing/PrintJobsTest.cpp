#include "PrintJobs.h"
#include "Cp932.h"
#include "Issuing.h"
#include "MemoryWindow.h"
#include "NoteLayout.h"
#include "QtApp.h"
#include "RecordingSurface.h"
#include "Unit6.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPageLayout>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <sys/stat.h>

namespace {

MemoryWindow SampleWindow() {
    MemoryWindow w;
    w.ApplyStartupTexts(S("2007年7月5日"));
    w.SetField(field::CustomerName, S("山田商店"));
    w.SetField(field::Number, "0001");
    w.SetField(field::IssuerZip, "100-0001");
    w.SetField(field::IssuerAddress, S("東京都千代田区丸の内1-1"));
    w.SetField(field::IssuerName, S("鈴木工務店"));
    w.SetField(field::IssuerTele, "03-1234-5678");
    w.SetField(field::TaxInclusiveTotal, "1234567");
    w.SetField(field::Tax, "58789");
    w.SetField(field::QuantityTotal, "12");
    w.SetField(field::AmountTotal, "1175778");
    w.SetCell(col::Name, 1, S("ボルト"));
    w.SetCell(col::Quantity, 1, "12");
    w.SetCell(col::Amount, 1, "1175778");
    return w;
}

std::string RunCommand(const std::string& command) {
    std::string out;
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    if (!pipe) {
        return out;
    }
    char buffer[4096];
    size_t n = 0;
    while ((n = fread(buffer, 1, sizeof buffer, pipe.get())) > 0) {
        out.append(buffer, n);
    }
    return out;
}

std::string PdfText(const std::string& pdf) {
    return RunCommand("pdftotext -layout '" + pdf + "' -");
}

struct Word {
    std::string text;
    double x = 0; // points from the sheet's left edge
    double y = 0; // points from the sheet's top edge
};

// Every word of the PDF's first page with its top-left corner.
std::vector<Word> PdfWords(const std::string& pdf) {
    const QString html = QString::fromStdString(RunCommand("pdftotext -bbox -l 1 '" + pdf + "' -"));
    static const QRegularExpression word(
        R"re(<word xMin="([0-9.]+)" yMin="([0-9.]+)"[^>]*>([^<]*)</word>)re");
    std::vector<Word> words;
    for (auto it = word.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        words.push_back(
            {m.captured(3).toStdString(), m.captured(1).toDouble(), m.captured(2).toDouble()});
    }
    return words;
}

constexpr double kPointsPerMm = 72.0 / 25.4;

// A PDF-mode printer with what a print queue reports: Qt's page margins on
// top of a printable area that starts 5 mm in from every edge.
void SetUpLikeAQueue(QPrinter& printer, QPageSize::PageSizeId paper) {
    printer.setPageLayout(QPageLayout(QPageSize(paper), QPageLayout::Portrait,
                                      QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter,
                                      QMarginsF(5, 5, 5, 5)));
}

bool SameCalls(const std::vector<RecordingSurface::Call>& a,
               const std::vector<RecordingSurface::Call>& b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        const auto& p = a[i];
        const auto& q = b[i];
        if (p.op != q.op || p.x1 != q.x1 || p.y1 != q.y1 || p.x2 != q.x2 || p.y2 != q.y2 ||
            p.text != q.text || !(p.font == q.font) || p.penWidth != q.penWidth) {
            return false;
        }
    }
    return true;
}

} // namespace

TEST(PrintJobs, AllThreeKindsMakeOnePdfOfThreePagesInOrder) {
    TestApp();
    QTemporaryDir dir;
    const std::string pdf = dir.filePath("note.pdf").toStdString();
    MemoryWindow w = SampleWindow();
    std::string error;
    ASSERT_TRUE(printing::PrintNotesToPdf(w, printing::kAllThree, 600, pdf, error)) << error;

    const std::string info = RunCommand("pdfinfo '" + pdf + "'");
    EXPECT_NE(info.find("Pages:           3"), std::string::npos) << info;
    EXPECT_NE(info.find("Title:           Slipr program"), std::string::npos) << info;
    EXPECT_NE(info.find("595 x 842 pts (A4)"), std::string::npos) << info;

    const std::string text = PdfText(pdf);
    const size_t copy = text.find("納品書(控)");
    const size_t note = text.find("納品書", copy + 1);
    const size_t invoice = text.find("請求書");
    ASSERT_NE(copy, std::string::npos) << text;
    ASSERT_NE(note, std::string::npos);
    ASSERT_NE(invoice, std::string::npos);
    EXPECT_LT(copy, note);
    EXPECT_LT(note, invoice);
    // Pages are separated by form feeds; the invoice is on the third page.
    const size_t secondPage = text.find('\f');
    const size_t thirdPage = text.find('\f', secondPage + 1);
    EXPECT_LT(copy, secondPage);
    EXPECT_GT(note, secondPage);
    EXPECT_LT(note, thirdPage);
    EXPECT_GT(invoice, thirdPage);

    for (const char* expected : {"山田商店様",
                                 "2007年7月5日",
                                 "0001",
                                 "東京都千代田区丸の内1-1",
                                 "鈴木工務店",
                                 "03-1234-5678",
                                 "下記のとおり納品いたしました",
                                 "下記のとおりご請求申し上げます",
                                 "税込み金額",
                                 "税率",
                                 "消費税",
                                 "5%",
                                 "¥1,234,567",
                                 "¥58,789",
                                 "名称",
                                 "仕様",
                                 "数量",
                                 "単位",
                                 "単価",
                                 "税抜き金額",
                                 "摘要",
                                 "ボルト",
                                 "1,175,778",
                                 "合計",
                                 "¥1,175,778"}) {
        EXPECT_NE(text.find(expected), std::string::npos) << expected;
    }
    // No backslash: the yen byte prints as the yen sign.
    EXPECT_EQ(text.find('\\'), std::string::npos);
}

TEST(PrintJobs, SingleKindsAndResolutions) {
    TestApp();
    QTemporaryDir dir;
    MemoryWindow w = SampleWindow();
    std::string error;
    for (int dpi : {300, 1200}) {
        const std::string pdf = dir.filePath(QString("invoice%1.pdf").arg(dpi)).toStdString();
        ASSERT_TRUE(printing::PrintNotesToPdf(w, printing::kInvoice, dpi, pdf, error)) << error;
        EXPECT_NE(RunCommand("pdfinfo '" + pdf + "'").find("Pages:           1"),
                  std::string::npos);
        const std::string text = PdfText(pdf);
        EXPECT_NE(text.find("請求書"), std::string::npos);
        EXPECT_EQ(text.find("納品書"), std::string::npos);
    }
}

TEST(PrintJobs, FailuresAreReportedAndLeaveTheTargetAlone) {
    TestApp();
    QTemporaryDir dir;
    MemoryWindow w = SampleWindow();
    std::string error;
    EXPECT_FALSE(printing::PrintNotesToPdf(w, 7, 600, dir.filePath("k.pdf").toStdString(), error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(QFile::exists(dir.filePath("k.pdf")));
    error.clear();
    EXPECT_FALSE(printing::PrintNotesToPdf(w, 1, 0, dir.filePath("d.pdf").toStdString(), error));
    EXPECT_FALSE(error.empty());
    error.clear();
    EXPECT_FALSE(printing::PrintNotesToPdf(w, 1, 600, "/nonexistent-folder/x.pdf", error));
    EXPECT_FALSE(error.empty());

    // A good file is replaced only by a complete one; no partial file remains.
    const QString target = dir.filePath("keep.pdf");
    ASSERT_TRUE(printing::PrintNotesToPdf(w, 1, 600, target.toStdString(), error)) << error;
    ASSERT_TRUE(printing::PrintNotesToPdf(w, 2, 600, target.toStdString(), error)) << error;
    EXPECT_NE(PdfText(target.toStdString()).find("請求書"), std::string::npos);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

TEST(PrintJobs, AQueueWithLetterPaperPrintsOnA4) {
    TestApp();
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    SetUpLikeAQueue(printer, QPageSize::Letter);
    printer.setPageOrientation(QPageLayout::Landscape);
    printing::PrepareNotePrinter(printer);
    const QPageLayout layout = printer.pageLayout();
    EXPECT_EQ(layout.pageSize().id(), QPageSize::A4);
    EXPECT_EQ(layout.orientation(), QPageLayout::Portrait);
    EXPECT_EQ(layout.margins(), layout.minimumMargins());
}

TEST(PrintJobs, ThePageStartsAtTheQueuesPrintableCorner) {
    TestApp();
    QTemporaryDir dir;
    MemoryWindow w = SampleWindow();
    std::string error;
    const std::string sheet = dir.filePath("sheet.pdf").toStdString();
    ASSERT_TRUE(printing::PrintNotesToPdf(w, printing::kDeliveryNote, 600, sheet, error)) << error;

    const std::string queued = dir.filePath("queued.pdf").toStdString();
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(queued));
        printer.setResolution(600);
        SetUpLikeAQueue(printer, QPageSize::A4);
        PRINTERSTATUS status;
        PRINTERGRID grid;
        ASSERT_TRUE(printing::PaintNotes(printer, w, printing::kDeliveryNote, status, grid));
        EXPECT_EQ(printer.pageLayout().margins(), QMarginsF(5, 5, 5, 5));
    }
    EXPECT_NE(RunCommand("pdfinfo '" + queued + "'").find("595 x 842 pts (A4)"), std::string::npos);

    // Every text lands 5 mm right of and below where it stands on the sheet
    // of the PDF file: the origin is the corner of the printable area, at
    // the printer's dot (Qt places the page's origin on a whole dot).
    const double dot = 72.0 / 600;
    const std::vector<Word> onSheet = PdfWords(sheet);
    const std::vector<Word> onQueue = PdfWords(queued);
    ASSERT_GT(onSheet.size(), 20u);
    ASSERT_EQ(onSheet.size(), onQueue.size());
    for (size_t i = 0; i < onSheet.size(); ++i) {
        EXPECT_EQ(onQueue[i].text, onSheet[i].text);
        EXPECT_NEAR(onQueue[i].x - onSheet[i].x, 5 * kPointsPerMm, dot + 0.02) << onSheet[i].text;
        EXPECT_NEAR(onQueue[i].y - onSheet[i].y, 5 * kPointsPerMm, dot + 0.02) << onSheet[i].text;
    }
}

// Only where a print system is running: every queue it offers takes A4 and
// the margins of its printable area.
TEST(PrintJobs, InstalledQueuesTakeA4AndTheirPrintableArea) {
    TestApp();
    const QStringList queues = QPrinterInfo::availablePrinterNames();
    if (queues.isEmpty()) {
        GTEST_SKIP() << "no print queue here (no cupsd)";
    }
    for (const QString& name : queues) {
        const QPrinterInfo info = QPrinterInfo::printerInfo(name);
        QPrinter printer(info, QPrinter::HighResolution);
        printing::PrepareNotePrinter(printer);
        const QPageLayout layout = printer.pageLayout();
        if (info.supportedPageSizes().contains(QPageSize(QPageSize::A4))) {
            EXPECT_EQ(layout.pageSize().id(), QPageSize::A4) << name.toStdString();
        }
        EXPECT_EQ(layout.margins(), layout.minimumMargins()) << name.toStdString();
    }
}

TEST(PrintPreview, ShowsThePagesThePrinterGets) {
    TestApp();
    QTemporaryDir dir;
    MemoryWindow w = SampleWindow();
    for (const int kind : {printing::kCopy, printing::kInvoice, printing::kAllThree}) {
        RecordingSurface printed;
        {
            QPrinter printer(QPrinter::HighResolution);
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(dir.filePath("printed.pdf"));
            printing::PrepareNotePrinter(printer);
            PRINTERSTATUS status;
            PRINTERGRID grid;
            ASSERT_TRUE(printing::PaintNotes(printer, w, kind, status, grid, &printed));
        }
        RecordingSurface previewed;
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printing::PrepareNotePrinter(printer);
        PRINTERSTATUS status;
        PRINTERGRID grid;
        const auto preview =
            printing::CreatePrintPreview(nullptr, printer, w, kind, status, grid, &previewed);
        auto* pages = preview->findChild<QPrintPreviewWidget*>();
        ASSERT_NE(pages, nullptr);
        pages->updatePreview();
        EXPECT_EQ(pages->pageCount(), kind == printing::kAllThree ? 3 : 1);
        EXPECT_EQ(printed.Of(RecordingSurface::Op::StartPage).size(),
                  static_cast<size_t>(pages->pageCount()));
        EXPECT_GT(previewed.Of(RecordingSurface::Op::Text).size(), 25u);
        EXPECT_TRUE(SameCalls(previewed.Calls(), printed.Calls())) << "kind " << kind;
        EXPECT_EQ(status.documentTitle, "Slipr program");
    }
}

TEST(PrintJobs, PrintDialogOffersOneCopyAndNoSelection) {
    TestApp();
    QPrinter printer(QPrinter::HighResolution);
    printer.setCopyCount(4);
    QPrintDialog dialog(&printer);
    printing::ConfigurePrintDialog(dialog, printer);
    EXPECT_EQ(printer.copyCount(), 1);
    EXPECT_FALSE(dialog.testOption(QAbstractPrintDialog::PrintSelection));
    EXPECT_FALSE(dialog.testOption(QAbstractPrintDialog::PrintPageRange));
    EXPECT_TRUE(dialog.testOption(QAbstractPrintDialog::PrintToFile));
    EXPECT_EQ(dialog.minPage(), 1);
    EXPECT_EQ(dialog.maxPage(), 1);
}

TEST(PrintJobs, CancelledDialogPrintsNothing) {
    TestApp();
    QWidget owner;
    MemoryWindow w = SampleWindow();
    const MemoryWindow before = w;
    bool sawDialog = false;
    QTimer::singleShot(200, [&] {
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (auto* dialog = qobject_cast<QPrintDialog*>(top)) {
                sawDialog = true;
                dialog->reject();
            }
        }
    });
    PRINTERSTATUS status;
    PRINTERGRID grid;
    EXPECT_EQ(printing::PrintNotes(&owner, w, printing::kAllThree, status, grid), 0);
    EXPECT_TRUE(sawDialog);
    EXPECT_EQ(status.documentTitle, "Slipr program");
    EXPECT_TRUE(grid.rowBoundaries.empty()); // no page was composed
    for (int n = 1; n <= field::Count; ++n) {
        EXPECT_EQ(w.Field(n), before.Field(n));
    }
}

TEST(CustomPrint, PlaceholderWindow) {
    TestApp();
    QWidget owner;
    QString caption;
    QString label;
    bool modal = false;
    QTimer::singleShot(100, [&] {
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (auto* form = dynamic_cast<TForm6*>(top); form && form->isVisible()) {
                caption = form->windowTitle();
                label = form->Label1->text();
                modal = form->isModal();
                form->close();
            }
        }
    });
    printing::ShowCustomPrint(&owner);
    EXPECT_EQ(caption, QStringLiteral("Custom Print"));
    EXPECT_EQ(label, QString::fromUtf8("追加予定です"));
    EXPECT_TRUE(modal);
    // Destroyed after it closed.
    for (QWidget* top : QApplication::topLevelWidgets()) {
        EXPECT_EQ(dynamic_cast<TForm6*>(top), nullptr);
    }
}

namespace {

unsigned ModeOf(const QString& path) {
    struct stat info {};
    ::stat(path.toLocal8Bit().constData(), &info);
    return info.st_mode & 07777;
}

// Sets the umask for one scope.
class Umask {
public:
    explicit Umask(mode_t mask) : previous_(::umask(mask)) {}
    ~Umask() { ::umask(previous_); }

private:
    mode_t previous_;
};

// Runs `step` on the application's modal window (polled) while `command`
// runs; returns whether one was seen.
bool OnModal(const std::function<void()>& command, const std::function<void(QWidget*)>& step) {
    bool seen = false;
    QTimer poll;
    poll.setInterval(20);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (QWidget* modal = QApplication::activeModalWidget(); modal != nullptr && !seen) {
            seen = true;
            step(modal);
        }
    });
    poll.start();
    command();
    poll.stop();
    return seen;
}

} // namespace

TEST(PrintJobs, PdfFilesFollowTheUmaskAndAReplacedOneKeepsItsMode) {
    TestApp();
    const Umask mask(022);
    QTemporaryDir dir;
    MemoryWindow w = SampleWindow();
    std::string error;
    const QString pdf = dir.filePath("note.pdf");
    ASSERT_TRUE(printing::PrintNotesToPdf(w, printing::kCopy, 300, pdf.toStdString(), error));
    EXPECT_EQ(ModeOf(pdf), 0644u);
    ::chmod(pdf.toLocal8Bit().constData(), 0640);
    ASSERT_TRUE(printing::PrintNotesToPdf(w, printing::kInvoice, 300, pdf.toStdString(), error));
    EXPECT_EQ(ModeOf(pdf), 0640u);
    EXPECT_NE(PdfText(pdf.toStdString()).find("請求書"), std::string::npos);

    // The print dialog's print to file: a PDF printer with a file name.
    const QString chosen = dir.filePath("chosen.pdf");
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(chosen);
    PRINTERSTATUS status;
    PRINTERGRID grid;
    ASSERT_TRUE(printing::PrintJob(printer, w, printing::kAllThree, status, grid, error)) << error;
    EXPECT_EQ(printer.outputFileName(), chosen);
    EXPECT_EQ(ModeOf(chosen), 0644u);
    EXPECT_NE(RunCommand("pdfinfo '" + chosen.toStdString() + "'").find("Pages:           3"),
              std::string::npos);

    // Issued files and their index.
    const std::string issued =
        printing::IssuePdf(w, printing::kInvoice, dir.path().toStdString(), error);
    ASSERT_FALSE(issued.empty()) << error;
    EXPECT_EQ(ModeOf(QString::fromStdString(issued)), 0644u);
    EXPECT_EQ(ModeOf(dir.filePath(QString::fromStdString(issuing::IndexFileName()))), 0644u);
    EXPECT_NE(PdfText(issued).find("請求書"), std::string::npos);
    // Nothing else: no temporary file left beside them.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 4);

    // A file that cannot be written is reported and the old one stays.
    ::chmod(chosen.toLocal8Bit().constData(), 0444);
    EXPECT_FALSE(printing::PrintJob(printer, w, printing::kCopy, status, grid, error));
    EXPECT_FALSE(error.empty());
    EXPECT_NE(RunCommand("pdfinfo '" + chosen.toStdString() + "'").find("Pages:           3"),
              std::string::npos);
}

TEST(PrintJobs, ThePrintDialogGivesA4BackUnlessAPaperWasConfirmed) {
    TestApp();
    // Qt's dialog puts the queue's default paper on the printer; a PDF
    // printer on Letter stands for that here.
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageSize(QPageSize(QPageSize::Letter));
    PRINTERSTATUS status;
    bool accepted = false;
    EXPECT_TRUE(OnModal([&] { accepted = printing::ShowPrintDialog(nullptr, status, printer); },
                        [](QWidget* dialog) { static_cast<QDialog*>(dialog)->accept(); }));
    ASSERT_TRUE(accepted);
    EXPECT_EQ(printer.pageLayout().pageSize().id(), QPageSize::A4);
    EXPECT_EQ(printer.pageLayout().margins(), printer.pageLayout().minimumMargins());

    // The page settings offer A4; a paper the user confirms there stays.
    printer.setPageSize(QPageSize(QPageSize::Letter));
    QPageSize offered;
    const bool shown =
        OnModal([&] { accepted = printing::ShowPrintDialog(nullptr, status, printer); },
                [&](QWidget* dialog) {
                    auto* properties =
                        dialog->findChild<QPushButton*>(QStringLiteral("properties"));
                    ASSERT_NE(properties, nullptr);
                    QTimer::singleShot(100, [&offered, dialog] {
                        for (auto* sizes :
                             dialog->findChildren<QComboBox*>(QStringLiteral("pageSizeCombo"))) {
                            if (!sizes->isVisible()) {
                                continue;
                            }
                            offered = sizes->currentData().value<QPageSize>();
                            for (int i = 0; i < sizes->count(); ++i) {
                                if (sizes->itemData(i).value<QPageSize>().id() == QPageSize::A5) {
                                    sizes->setCurrentIndex(i);
                                }
                            }
                            static_cast<QDialog*>(sizes->window())->accept();
                        }
                    });
                    properties->click();
                    static_cast<QDialog*>(dialog)->accept();
                });
    EXPECT_TRUE(shown);
    ASSERT_TRUE(accepted);
    EXPECT_EQ(offered.id(), QPageSize::A4);
    EXPECT_EQ(printer.pageLayout().pageSize().id(), QPageSize::A5);
}

// Only where a print system has a queue whose default paper is not A4: the
// dialog accepted as it opens prints on A4 there.
TEST(PrintJobs, AQueueWithAnotherDefaultPaperPrintsOnA4ThroughTheDialog) {
    TestApp();
    QString queue;
    for (const QPrinterInfo& info : QPrinterInfo::availablePrinters()) {
        if (info.defaultPageSize().id() != QPageSize::A4 &&
            info.supportedPageSizes().contains(QPageSize(QPageSize::A4))) {
            queue = info.printerName();
        }
    }
    if (queue.isEmpty()) {
        GTEST_SKIP() << "no print queue with another default paper here";
    }
    QPrinter printer(QPrinterInfo::printerInfo(queue), QPrinter::HighResolution);
    printing::PrepareNotePrinter(printer);
    PRINTERSTATUS status;
    bool accepted = false;
    EXPECT_TRUE(OnModal([&] { accepted = printing::ShowPrintDialog(nullptr, status, printer); },
                        [](QWidget* dialog) { static_cast<QDialog*>(dialog)->accept(); }));
    ASSERT_TRUE(accepted);
    EXPECT_EQ(printer.printerName(), queue);
    EXPECT_EQ(printer.pageLayout().pageSize().id(), QPageSize::A4) << queue.toStdString();
}

TEST(PrintPreview, PrintsFromThePreviewThroughTheSafeReplace) {
    TestApp();
    const Umask mask(022);
    QTemporaryDir dir;
    MemoryWindow w = SampleWindow();
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printing::PrepareNotePrinter(printer);
    PRINTERSTATUS status;
    PRINTERGRID grid;
    RecordingSurface recorded;
    const auto preview = printing::CreatePrintPreview(nullptr, printer, w, printing::kAllThree,
                                                      status, grid, &recorded);
    auto* pages = preview->findChild<QPrintPreviewWidget*>();
    ASSERT_NE(pages, nullptr);
    pages->updatePreview();
    const std::vector<RecordingSurface::Call> previewed = recorded.Calls();
    recorded.Clear();

    // The preview's print button with print to file chosen.
    const QString file = dir.filePath("from-preview.pdf");
    printer.setOutputFileName(file);
    pages->print();
    EXPECT_TRUE(SameCalls(recorded.Calls(), previewed));
    EXPECT_EQ(ModeOf(file), 0644u);
    EXPECT_NE(RunCommand("pdfinfo '" + file.toStdString() + "'").find("Pages:           3"),
              std::string::npos);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}
