#include "QPainterSurface.h"

#include "Cp932.h"
#include "QtText.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPen>
#include <QPrinter>

QPainterSurface::QPainterSurface(QPrinter& printer) : printer_(printer) {
    InstallFontSubstitutes();
}

QPainterSurface::~QPainterSurface() {
    if (painter_.isActive()) {
        painter_.end();
    }
}

void QPainterSurface::InstallFontSubstitutes() {
    const QString gothic = qttext::Q("ＭＳ ゴシック");
    const QString proportional = qttext::Q("ＭＳ Ｐゴシック");
    if (!QFontDatabase::hasFamily(gothic) && QFont::substitute(gothic) == gothic) {
        QFont::insertSubstitution(gothic, QStringLiteral("IPAGothic"));
    }
    if (!QFontDatabase::hasFamily(proportional) &&
        QFont::substitute(proportional) == proportional) {
        QFont::insertSubstitution(proportional, QStringLiteral("IPAPGothic"));
    }
}

QFont QPainterSurface::ToQFont(const PrintFont& font) {
    InstallFontSubstitutes();
    QFont q(qttext::FromCp932(font.face));
    q.setPixelSize(font.height == 0 ? 1 : (font.height < 0 ? -font.height : font.height));
    q.setWeight(static_cast<QFont::Weight>(font.weight <= 0 ? 400 : font.weight));
    q.setUnderline(font.underline);
    q.setItalic(false);
    q.setStrikeOut(false);
    q.setFixedPitch(true);
    q.setStyleHint(QFont::TypeWriter);
    // Outline metrics at the device's size: a half-width character is exactly
    // half the character height in the fixed-pitch face.
    q.setHintingPreference(QFont::PreferNoHinting);
    return q;
}

int QPainterSurface::HorizontalDpi() const {
    return printer_.logicalDpiX();
}

int QPainterSurface::VerticalDpi() const {
    return printer_.logicalDpiY();
}

int QPainterSurface::PhysicalPageWidth() const {
    return qRound(printer_.paperRect(QPrinter::DevicePixel).width());
}

void QPainterSurface::StartDocument(const std::string& title) {
    printer_.setDocName(qttext::FromCp932(title));
    started_ = painter_.begin(&printer_);
    failed_ = !started_;
    pages_ = 0;
}

void QPainterSurface::StartPage() {
    if (!painter_.isActive()) {
        return;
    }
    if (pages_ > 0 && !printer_.newPage()) {
        failed_ = true;
    }
    ++pages_;
}

void QPainterSurface::EndPage() {}

void QPainterSurface::EndDocument() {
    if (painter_.isActive() && !painter_.end()) {
        failed_ = true;
    }
    if (printer_.printerState() == QPrinter::Error) {
        failed_ = true;
    }
}

void QPainterSurface::SelectFont(const PrintFont& font) {
    font_ = ToQFont(font);
    escapement_ = font.escapement;
    fontWidth_ = font.width;
    if (painter_.isActive()) {
        painter_.setFont(font_);
    }
}

TextMetrics QPainterSurface::Metrics() const {
    QFontMetricsF metrics(font_, &printer_);
    TextMetrics m;
    m.height = qRound(metrics.ascent() + metrics.descent());
    m.averageWidth =
        fontWidth_ > 0 ? fontWidth_ : qRound(metrics.horizontalAdvance(QLatin1Char('0')));
    return m;
}

void QPainterSurface::DrawCharacter(qreal cellX, qreal baseline, qreal cellWidth,
                                    const QString& glyph) {
    const qreal natural = QFontMetricsF(font_, &printer_).horizontalAdvance(glyph);
    if (natural > cellWidth + 0.01) {
        // A glyph wider than its cell is narrowed to the cell: the face's yen
        // sign is full width while its byte is one cell, and a font of a
        // narrower average width condenses every glyph.
        painter_.save();
        painter_.translate(cellX, baseline);
        painter_.scale(cellWidth / natural, 1.0);
        painter_.drawText(QPointF(0, 0), glyph);
        painter_.restore();
        return;
    }
    painter_.drawText(QPointF(cellX + (cellWidth - natural) / 2, baseline), glyph);
}

void QPainterSurface::DrawText(int x, int y, const std::string& cp932) {
    if (!painter_.isActive()) {
        return;
    }
    const TextMetrics metrics = Metrics();
    const qreal ascent = QFontMetricsF(font_, &printer_).ascent();
    painter_.save();
    painter_.setPen(QPen(Qt::black));
    painter_.translate(x, y);
    if (escapement_ != 0) {
        // Escapement is counter-clockwise in tenths of a degree; Qt rotates
        // clockwise in degrees.
        painter_.rotate(-escapement_ / 10.0);
    }
    size_t i = 0;
    qreal cellX = 0;
    while (i < cp932.size()) {
        const unsigned char lead = static_cast<unsigned char>(cp932[i]);
        const size_t bytes = (cp932::IsLeadByte(lead) && i + 1 < cp932.size()) ? 2 : 1;
        const qreal cellWidth = static_cast<qreal>(bytes) * metrics.averageWidth;
        if (lead >= 0x20 && lead != 0x7F) {
            // Byte 0x5C is the yen sign of code page 932.
            const QString glyph = (bytes == 1 && lead == 0x5C)
                                      ? QString(QChar(0x00A5))
                                      : qttext::FromCp932(cp932.substr(i, bytes));
            DrawCharacter(cellX, ascent, cellWidth, glyph);
        }
        cellX += cellWidth;
        i += bytes;
    }
    painter_.restore();
}

void QPainterSurface::SelectPen(int width) {
    if (painter_.isActive()) {
        painter_.setPen(QPen(Qt::black, width, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    }
}

void QPainterSurface::DrawLine(int x1, int y1, int x2, int y2) {
    // Like the platform's line drawing, a line of no length draws nothing.
    if (!painter_.isActive() || (x1 == x2 && y1 == y2)) {
        return;
    }
    painter_.drawLine(QPointF(x1, y1), QPointF(x2, y2));
}
