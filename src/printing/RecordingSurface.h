// A printer surface that records every call, for tests. On its own it draws
// nothing, and its fonts behave like a fixed-pitch face without internal
// leading: the line height is the character height and the average width half
// of it, rounded (or the width the font asks for). Set to forward, it passes
// every call on to another surface and reports that one's resolutions, page
// width and metrics, so it records what a real device was asked to draw.
#pragma once

#include "PrinterSurface.h"

#include <string>
#include <vector>

class RecordingSurface : public PrinterSurface {
public:
    enum class Op { StartDocument, StartPage, EndPage, EndDocument, SelectFont, Text, Pen, Line };

    struct Call {
        Op op = Op::Text;
        int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
        std::string text; // drawn text, or the document title
        PrintFont font;   // font selected when the call was made
        int penWidth = 0; // pen selected when the call was made
    };

    explicit RecordingSurface(int dpiX = 600, int dpiY = 600, int pageWidth = -1);

    // Every later call also goes to `target` (nullptr: to none).
    void ForwardTo(PrinterSurface* target) { target_ = target; }

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

    const std::vector<Call>& Calls() const { return calls_; }
    // Forgets the calls and the selected font and pen, as a new surface.
    void Clear();

    // The calls of one kind, in order.
    std::vector<Call> Of(Op op) const;
    // The first text call drawing exactly `text`; throws when there is none.
    const Call& TextCall(const std::string& text) const;
    bool HasText(const std::string& text) const;

    // The metrics this surface reports for a font of that height.
    static TextMetrics MetricsFor(const PrintFont& font);

private:
    int dpiX_;
    int dpiY_;
    int pageWidth_;
    PrintFont font_;
    int pen_ = 1;
    std::vector<Call> calls_;
    PrinterSurface* target_ = nullptr;
};
