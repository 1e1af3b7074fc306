// The state of the page being printed and the text and rule operations on
// it: positions in millimetres from the page margins, fonts in points, a line
// cursor for flowing text. One instance serves every page of every job;
// SetupPage recomputes everything from the device.
#pragma once

#include "PrinterSurface.h"

#include <string>
#include <string_view>

namespace printing {

// The face of every printed text (code page 932).
std::string PrintFace();

// Millimetres to inches with 25.4 first held in single precision.
constexpr long double kMmFactor = 0.039370079331436748L;

// Rule widths and table row heights are given for a 600-dpi device.
constexpr int kReferenceDpi = 600;

// A font of `face` whose character height is `points` on the device.
PrintFont CreatePrintFont(const PrinterSurface& device, const std::string& face, int points,
                          int escapement);

} // namespace printing

class PRINTERSTATUS {
public:
    int physicalPageWidth = 0; // device units
    double leftMargin = 0.0;   // millimetres, set before SetupPage
    double rightMargin = 0.0;
    double topMargin = 0.0;
    int leftLimit = 0;  // x of millimetre position 0
    int rightLimit = 0; // page width minus the right margin
    int topLimit = 0;   // first cursor position
    double horizontalResolution = 0.0;
    int cursor = 0; // y of the next flowing text line
    double unitsPerMm = 0.0;
    std::string documentTitle;

    void SetupPage(const PrinterSurface& device);
    int MmToDevice(int mm) const;
    // A length given in units of a 600-dpi device, on this device; never
    // less than one unit.
    int FromReferenceUnits(int unitsAt600) const;

    void AdvanceCursor(const PrinterSurface& device, int points);
    // Selects a font of `points` (0 means 9); returns the device x of `xMm`.
    int SelectTextFont(PrinterSurface& device, int points, int xMm);

    // Flowing text at the cursor; advance == 1 moves the cursor down a line.
    void PrintText(PrinterSurface& device, const std::string& text, int points, int xMm,
                   int advance);
    void PrintUnderlinedText(PrinterSurface& device, const std::string& text, int points, int xMm,
                             int advance, int underline);

    // Text at a position measured from the top of the printable area; the
    // cursor moves there (and a line down when advance == 1).
    void PrintTextAt(PrinterSurface& device, const std::string& text, int points, int xMm, int yMm,
                     int advance);
    // As PrintTextAt; the kind "yen" prints the text as an amount.
    void PrintValueAt(PrinterSurface& device, const std::string& text, int points, int xMm, int yMm,
                      int advance, std::string_view kind);
    // As PrintValueAt, ending one average character before xMm.
    void PrintValueRightAt(PrinterSurface& device, const std::string& text, int points, int xMm,
                           int yMm, int advance, std::string_view kind);

    // Rules in device units.
    void DrawUnderline(PrinterSurface& device, int x1, int x2, int y);
    void DrawHorizontalRule(PrinterSurface& device, int x1, int x2, int y, int width);
    void DrawVerticalRule(PrinterSurface& device, int y1, int y2, int x, int width);

private:
    void PrintPositioned(PrinterSurface& device, const std::string& line, int points, int xMm,
                         int yMm, int advance, bool endAtX);
};
