// The printer surface on a QPrinter (a real printer or a PDF file), drawn
// with QPainter. Device units are the printer's dots; the origin is the
// top-left corner of the printable area (of the sheet when the printer is
// set to full page). "ＭＳ ゴシック" falls back to IPAGothic when the
// system has no such face.
#pragma once

#include "PrinterSurface.h"

#include <QFont>
#include <QPainter>

class QPrinter;

class QPainterSurface : public PrinterSurface {
public:
    explicit QPainterSurface(QPrinter& printer);
    ~QPainterSurface() override;

    int HorizontalDpi() const override;
    int VerticalDpi() const override;
    int PhysicalPageWidth() const override;

    void StartDocument(const std::string& title) override;
    void StartPage() override;
    void EndPage() override;
    void EndDocument() override;

    void SelectFont(const PrintFont& font) override;
    TextMetrics Metrics() const override;
    void DrawText(int x, int y, const std::string& cp932) override;

    void SelectPen(int width) override;
    void DrawLine(int x1, int y1, int x2, int y2) override;

    // False when the document could not be started (for instance an output
    // file that cannot be written) or the printer reported an error.
    bool Succeeded() const { return started_ && !failed_; }

    // The Qt font a PrintFont becomes (substitutes installed).
    static QFont ToQFont(const PrintFont& font);
    // Maps the Japanese face names of the system to the installed IPA faces
    // where the system has none of its own. Safe to call more than once.
    static void InstallFontSubstitutes();

private:
    void DrawCharacter(qreal cellX, qreal baseline, qreal cellWidth, const QString& glyph);

    QPrinter& printer_;
    QPainter painter_;
    QFont font_;
    int escapement_ = 0;
    int fontWidth_ = 0;
    int pages_ = 0;
    bool started_ = false;
    bool failed_ = false;
};
