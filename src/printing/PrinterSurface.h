// The printer as the print engine sees it: a page addressed in device units
// (one unit is one printer dot, origin at the top-left corner of the
// printable area, y downwards) with fonts, text metrics, text, pens and
// straight lines. Texts are code page 932 bytes. The QPainter implementation
// prints on paper or into a PDF file; the recording one keeps every call for
// tests.
#pragma once

#include <string>

// A font as the engine asks for it. A negative height is a character height
// in device units (the em of the face); a positive one a cell height.
struct PrintFont {
    std::string face;
    int height = 0;
    int weight = 400;
    bool underline = false;
    int escapement = 0; // tenths of a degree, counter-clockwise
    int width = 0;      // average character width; 0 for the face's own

    bool operator==(const PrintFont&) const = default;
};

// Metrics of the selected font in device units.
struct TextMetrics {
    int height = 0;       // ascent + descent, internal leading included
    int averageWidth = 0; // one single-byte character; a double-byte one is two
};

class PrinterSurface {
public:
    virtual ~PrinterSurface() = default;

    virtual int HorizontalDpi() const = 0;
    virtual int VerticalDpi() const = 0;
    virtual int PhysicalPageWidth() const = 0;

    // One print job of pages. Pages are drawn between StartPage and EndPage.
    virtual void StartDocument(const std::string& title) = 0;
    virtual void StartPage() = 0;
    virtual void EndPage() = 0;
    virtual void EndDocument() = 0;

    // Creates the font and makes it the one texts are drawn and measured with.
    virtual void SelectFont(const PrintFont& font) = 0;
    virtual TextMetrics Metrics() const = 0;
    // Draws the text with its top-left corner at (x, y). Each character
    // stands in a cell of its byte length times the average width.
    virtual void DrawText(int x, int y, const std::string& cp932) = 0;

    // A solid black pen of the given width in device units for the lines.
    virtual void SelectPen(int width) = 0;
    virtual void DrawLine(int x1, int y1, int x2, int y2) = 0;
};
