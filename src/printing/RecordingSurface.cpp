#include "RecordingSurface.h"

#include <cstdlib>
#include <stdexcept>

namespace {

// A4 is 210 mm wide.
int A4Width(int dpi) {
    return static_cast<int>(210.0 * dpi / 25.4);
}

RecordingSurface::Call MakeCall(RecordingSurface::Op op, int x1 = 0, int y1 = 0, int x2 = 0,
                                int y2 = 0) {
    RecordingSurface::Call c;
    c.op = op;
    c.x1 = x1;
    c.y1 = y1;
    c.x2 = x2;
    c.y2 = y2;
    return c;
}

} // namespace

RecordingSurface::RecordingSurface(int dpiX, int dpiY, int pageWidth)
    : dpiX_(dpiX), dpiY_(dpiY), pageWidth_(pageWidth < 0 ? A4Width(dpiX) : pageWidth) {}

int RecordingSurface::HorizontalDpi() const {
    return target_ ? target_->HorizontalDpi() : dpiX_;
}

int RecordingSurface::VerticalDpi() const {
    return target_ ? target_->VerticalDpi() : dpiY_;
}

int RecordingSurface::PhysicalPageWidth() const {
    return target_ ? target_->PhysicalPageWidth() : pageWidth_;
}

void RecordingSurface::StartDocument(const std::string& title) {
    if (target_) {
        target_->StartDocument(title);
    }
    Call c = MakeCall(Op::StartDocument);
    c.text = title;
    calls_.push_back(c);
}

void RecordingSurface::StartPage() {
    if (target_) {
        target_->StartPage();
    }
    calls_.push_back(MakeCall(Op::StartPage));
}

void RecordingSurface::EndPage() {
    if (target_) {
        target_->EndPage();
    }
    calls_.push_back(MakeCall(Op::EndPage));
}

void RecordingSurface::EndDocument() {
    if (target_) {
        target_->EndDocument();
    }
    calls_.push_back(MakeCall(Op::EndDocument));
}

void RecordingSurface::SelectFont(const PrintFont& font) {
    if (target_) {
        target_->SelectFont(font);
    }
    font_ = font;
    Call c = MakeCall(Op::SelectFont);
    c.font = font;
    calls_.push_back(c);
}

TextMetrics RecordingSurface::MetricsFor(const PrintFont& font) {
    int em = std::abs(font.height);
    return TextMetrics{em, font.width > 0 ? font.width : (em + 1) / 2};
}

TextMetrics RecordingSurface::Metrics() const {
    return target_ ? target_->Metrics() : MetricsFor(font_);
}

void RecordingSurface::DrawText(int x, int y, const std::string& cp932) {
    if (target_) {
        target_->DrawText(x, y, cp932);
    }
    Call c = MakeCall(Op::Text, x, y);
    c.text = cp932;
    c.font = font_;
    c.penWidth = pen_;
    calls_.push_back(c);
}

void RecordingSurface::SelectPen(int width) {
    if (target_) {
        target_->SelectPen(width);
    }
    pen_ = width;
    Call c = MakeCall(Op::Pen);
    c.penWidth = width;
    calls_.push_back(c);
}

void RecordingSurface::DrawLine(int x1, int y1, int x2, int y2) {
    if (target_) {
        target_->DrawLine(x1, y1, x2, y2);
    }
    Call c = MakeCall(Op::Line, x1, y1, x2, y2);
    c.font = font_;
    c.penWidth = pen_;
    calls_.push_back(c);
}

void RecordingSurface::Clear() {
    calls_.clear();
    font_ = PrintFont{};
    pen_ = 1;
}

std::vector<RecordingSurface::Call> RecordingSurface::Of(Op op) const {
    std::vector<Call> out;
    for (const Call& c : calls_) {
        if (c.op == op) {
            out.push_back(c);
        }
    }
    return out;
}

const RecordingSurface::Call& RecordingSurface::TextCall(const std::string& text) const {
    for (const Call& c : calls_) {
        if (c.op == Op::Text && c.text == text) {
            return c;
        }
    }
    throw std::out_of_range("no text call drawing \"" + text + "\"");
}

bool RecordingSurface::HasText(const std::string& text) const {
    for (const Call& c : calls_) {
        if (c.op == Op::Text && c.text == text) {
            return true;
        }
    }
    return false;
}
