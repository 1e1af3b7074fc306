#include "QPainterSurface.h"
#include "Cp932.h"
#include "PrinterStatus.h"
#include "QtApp.h"
#include "QtText.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QImage>
#include <QPrinter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// A printer writing into a PDF file at 600 dpi, full sheet.
struct PdfPrinter {
    PdfPrinter() : app(TestApp()), printer(QPrinter::HighResolution) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath("probe.pdf"));
        printer.setResolution(600);
        printer.setPageSize(QPageSize(QPageSize::A4));
        printer.setFullPage(true);
    }
    QApplication& app;
    QTemporaryDir dir;
    QPrinter printer;
};

// Columns of the image in which any pixel is dark.
std::vector<bool> InkedColumns(const QImage& image) {
    std::vector<bool> inked(static_cast<size_t>(image.width()), false);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qGray(image.pixel(x, y)) < 128) {
                inked[static_cast<size_t>(x)] = true;
            }
        }
    }
    return inked;
}

} // namespace

TEST(QPainterSurface, TheGothicFaceIsFixedPitchInByteWidths) {
    PdfPrinter p;
    QPainterSurface surface(p.printer);
    EXPECT_EQ(surface.HorizontalDpi(), 600);
    EXPECT_EQ(surface.VerticalDpi(), 600);
    EXPECT_NEAR(surface.PhysicalPageWidth(), 4960, 3);

    for (int points : {7, 9, 11, 14, 18}) {
        const PrintFont font = printing::CreatePrintFont(surface, printing::PrintFace(), points, 0);
        surface.SelectFont(font);
        const QFont q = QPainterSurface::ToQFont(font);
        // The face actually used is the IPA gothic, not a Latin fallback.
        EXPECT_EQ(QFontInfo(q).family(), QStringLiteral("IPAGothic")) << points;
        QFontMetricsF m(q, &p.printer);
        const qreal half = m.horizontalAdvance(QLatin1Char('A'));
        EXPECT_DOUBLE_EQ(m.horizontalAdvance(qttext::Q("あ")), 2 * half) << points;
        EXPECT_DOUBLE_EQ(m.horizontalAdvance(qttext::Q("漢")), 2 * half) << points;
        EXPECT_DOUBLE_EQ(m.horizontalAdvance(QLatin1Char('0')), half) << points;
        EXPECT_DOUBLE_EQ(m.horizontalAdvance(qttext::Q("ｶ")), half) << points;
        EXPECT_DOUBLE_EQ(half * 2, -font.height) << points;

        const TextMetrics metrics = surface.Metrics();
        EXPECT_EQ(metrics.averageWidth, qRound(half)) << points;
        EXPECT_GE(metrics.height, -font.height) << points;
        EXPECT_LE(metrics.height, -font.height * 12 / 10) << points;

        // A font asked for narrower characters reports that width.
        PrintFont narrow = font;
        narrow.width = metrics.averageWidth / 2;
        surface.SelectFont(narrow);
        EXPECT_EQ(surface.Metrics().averageWidth, metrics.averageWidth / 2) << points;
        EXPECT_EQ(surface.Metrics().height, metrics.height) << points;
    }
}

TEST(QPainterSurface, YenSignTakesOneCellAndTextFollowsByteWidths) {
    // At 600 dpi one cell of 14 points is 59 dots.
    PdfPrinter p;
    QPainterSurface surface(p.printer);
    const PrintFont font = printing::CreatePrintFont(surface, printing::PrintFace(), 14, 0);
    surface.SelectFont(font);
    const int a = surface.Metrics().averageWidth;
    ASSERT_EQ(a, 59);

    // Draw "\12" through the surface into a PDF, render it back and find the
    // ink: the yen sign must stay inside its one cell.
    surface.StartDocument("probe");
    surface.StartPage();
    surface.SelectFont(font);
    const int x0 = 100;
    surface.DrawText(x0, 100, "\\12");
    surface.DrawText(x0, 400, S("あ") + "1");
    surface.EndPage();
    surface.EndDocument();
    ASSERT_TRUE(surface.Succeeded());

    // Render the PDF with poppler at 600 dpi and inspect the first line.
    const QString png = p.dir.filePath("probe");
    const QString command = QStringLiteral("pdftoppm -r 600 -png -singlefile -x 0 -y 0 -W 800 "
                                           "-H 600 '%1' '%2'")
                                .arg(p.dir.filePath("probe.pdf"), png);
    ASSERT_EQ(std::system(command.toLocal8Bit().constData()), 0);
    QImage rendered(png + ".png");
    ASSERT_FALSE(rendered.isNull());

    const QImage firstLine = rendered.copy(0, 100, 800, 120);
    const std::vector<bool> ink = InkedColumns(firstLine);
    auto inkIn = [&](int from, int to) {
        for (int x = from; x < to; ++x) {
            if (ink[static_cast<size_t>(x)]) {
                return true;
            }
        }
        return false;
    };
    EXPECT_TRUE(inkIn(x0 + 5, x0 + a - 5));             // the yen sign
    EXPECT_FALSE(inkIn(x0 + a - 2, x0 + a + 4));        // gap before "1"
    EXPECT_TRUE(inkIn(x0 + a + 5, x0 + 2 * a - 5));     // "1"
    EXPECT_TRUE(inkIn(x0 + 2 * a + 5, x0 + 3 * a - 5)); // "2"
    EXPECT_FALSE(inkIn(x0 + 3 * a + 2, 800));
    EXPECT_FALSE(inkIn(0, x0 - 2));

    // A double-byte character fills two cells; the next text starts after them.
    const std::vector<bool> second = InkedColumns(rendered.copy(0, 400, 800, 120));
    auto secondInk = [&](int from, int to) {
        for (int x = from; x < to; ++x) {
            if (second[static_cast<size_t>(x)]) {
                return true;
            }
        }
        return false;
    };
    EXPECT_TRUE(secondInk(x0 + 5, x0 + 2 * a - 5));
    EXPECT_TRUE(secondInk(x0 + 2 * a + 5, x0 + 3 * a - 5));
    EXPECT_FALSE(secondInk(x0 + 3 * a + 2, 800));
}

TEST(QPainterSurface, UnwritableOutputIsAFailure) {
    TestApp();
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QStringLiteral("/nonexistent-folder/x.pdf"));
    QPainterSurface surface(printer);
    surface.StartDocument("x");
    surface.StartPage();
    surface.DrawText(0, 0, "x");
    surface.EndPage();
    surface.EndDocument();
    EXPECT_FALSE(surface.Succeeded());
}
