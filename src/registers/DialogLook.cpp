#include "DialogLook.h"

#include "ScreenFont.h"

#include <cmath>

namespace registers {

QFont DialogFont() {
    return qttext::ScreenFont(12);
}

int PointSizeOf(const QFont& font) {
    if (font.pointSize() > 0) {
        return font.pointSize();
    }
    // A height in pixels at 96 dots per inch, as the widths were laid out.
    return static_cast<int>(std::lround(font.pixelSize() * 72.0 / 96.0));
}

void Place(QWidget* widget, int left, int top, int width, int height) {
    const QSize hint = widget->sizeHint();
    widget->setGeometry(left, top, width > 0 ? width : hint.width(),
                        height > 0 ? height : hint.height());
}

void PlaceWindow(QWidget* window, int left, int top, int outerWidth, int outerHeight) {
    constexpr int frameWidth = 8;
    constexpr int frameHeight = 27;
    window->move(left, top);
    window->resize(outerWidth - frameWidth, outerHeight - frameHeight);
}

} // namespace registers
