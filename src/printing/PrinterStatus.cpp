#include "PrinterStatus.h"

#include "Cp932.h"
#include "PrintTexts.h"

namespace printing {

std::string PrintFace() {
    return S("ＭＳ ゴシック");
}

PrintFont CreatePrintFont(const PrinterSurface& device, const std::string& face, int points,
                          int escapement) {
    PrintFont font;
    font.face = face;
    font.height = -MulDiv(points, device.VerticalDpi(), 72);
    font.weight = 400;
    font.underline = false;
    font.escapement = escapement;
    return font;
}

} // namespace printing

using namespace printing;

namespace {

int ByteWidth(const std::string& text, int averageWidth) {
    return static_cast<int>(text.size()) * averageWidth;
}

std::string FormatValue(const std::string& line, std::string_view kind) {
    return kind == "yen" ? YenAmount(line) : line;
}

void DrawIfAny(PrinterSurface& device, int x, int y, const std::string& line) {
    if (!line.empty()) {
        device.DrawText(x, y, line);
    }
}

} // namespace

void PRINTERSTATUS::SetupPage(const PrinterSurface& device) {
    horizontalResolution = device.HorizontalDpi();
    physicalPageWidth = device.PhysicalPageWidth();
    const long double perMm = kMmFactor * horizontalResolution;
    unitsPerMm = static_cast<double>(perMm);
    leftLimit = static_cast<int>(leftMargin * perMm);
    rightLimit = static_cast<int>(physicalPageWidth - rightMargin * perMm);
    topLimit = static_cast<int>(topMargin * perMm);
    cursor = topLimit;
}

int PRINTERSTATUS::MmToDevice(int mm) const {
    return static_cast<int>(static_cast<long double>(mm) * unitsPerMm);
}

int PRINTERSTATUS::FromReferenceUnits(int unitsAt600) const {
    int units = MulDiv(unitsAt600, static_cast<int>(horizontalResolution), kReferenceDpi);
    return units < 1 ? 1 : units;
}

void PRINTERSTATUS::AdvanceCursor(const PrinterSurface& device, int points) {
    cursor += MulDiv(points, device.VerticalDpi(), 72);
}

int PRINTERSTATUS::SelectTextFont(PrinterSurface& device, int points, int xMm) {
    if (points == 0) {
        points = 9;
    }
    device.SelectFont(CreatePrintFont(device, PrintFace(), points, 0));
    return leftLimit + MmToDevice(xMm);
}

void PRINTERSTATUS::PrintText(PrinterSurface& device, const std::string& text, int points, int xMm,
                              int advance) {
    PrintUnderlinedText(device, text, points, xMm, advance, 0);
}

void PRINTERSTATUS::PrintUnderlinedText(PrinterSurface& device, const std::string& text, int points,
                                        int xMm, int advance, int underline) {
    const std::string line = FirstLineOf(text);
    const int x = SelectTextFont(device, points, xMm);
    DrawIfAny(device, x, cursor, line);
    const TextMetrics metrics = device.Metrics();
    if (underline == 1) {
        DrawUnderline(device, x, x + ByteWidth(line, metrics.averageWidth),
                      cursor + metrics.height);
    }
    if (advance == 1) {
        cursor += metrics.height;
    }
}

void PRINTERSTATUS::PrintPositioned(PrinterSurface& device, const std::string& line, int points,
                                    int xMm, int yMm, int advance, bool endAtX) {
    const int y = MmToDevice(yMm);
    int x = SelectTextFont(device, points, xMm);
    const TextMetrics metrics = device.Metrics();
    if (endAtX) {
        x -= (static_cast<int>(line.size()) + 1) * metrics.averageWidth;
    }
    DrawIfAny(device, x, y, line);
    cursor = advance == 1 ? y + metrics.height : y;
}

void PRINTERSTATUS::PrintTextAt(PrinterSurface& device, const std::string& text, int points,
                                int xMm, int yMm, int advance) {
    PrintPositioned(device, FirstLineOf(text), points, xMm, yMm, advance, false);
}

void PRINTERSTATUS::PrintValueAt(PrinterSurface& device, const std::string& text, int points,
                                 int xMm, int yMm, int advance, std::string_view kind) {
    PrintPositioned(device, FormatValue(FirstLineOf(text), kind), points, xMm, yMm, advance, false);
}

void PRINTERSTATUS::PrintValueRightAt(PrinterSurface& device, const std::string& text, int points,
                                      int xMm, int yMm, int advance, std::string_view kind) {
    PrintPositioned(device, FormatValue(FirstLineOf(text), kind), points, xMm, yMm, advance, true);
}

void PRINTERSTATUS::DrawUnderline(PrinterSurface& device, int x1, int x2, int y) {
    DrawHorizontalRule(device, x1, x2, y, FromReferenceUnits(6));
}

void PRINTERSTATUS::DrawHorizontalRule(PrinterSurface& device, int x1, int x2, int y, int width) {
    device.SelectPen(width);
    device.DrawLine(x1, y, x2, y);
}

void PRINTERSTATUS::DrawVerticalRule(PrinterSurface& device, int y1, int y2, int x, int width) {
    device.SelectPen(width);
    device.DrawLine(x, y1, x, y2);
}
