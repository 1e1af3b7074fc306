#include "WindowPlacement.h"

#include <algorithm>

namespace placement {

namespace {

bool TitleStripOn(const QRect& screen, const QPoint& topLeft, int width) {
    if (topLeft.y() < screen.top() || topLeft.y() + kTitleStrip - 1 > screen.bottom()) {
        return false;
    }
    const int left = std::max(topLeft.x(), screen.left());
    const int right = std::min(topLeft.x() + width - 1, screen.right());
    return right - left + 1 >= std::min(kGrabWidth, width);
}

int Clamp(int value, int low, int high) {
    return std::max(low, std::min(value, std::max(low, high)));
}

} // namespace

QPoint KeepTitleBarOnScreen(const QPoint& wanted, const QSize& frameSize,
                            const QList<QRect>& screens) {
    const int width = std::max(frameSize.width(), 1);
    for (const QRect& screen : screens) {
        if (TitleStripOn(screen, wanted, width)) {
            return wanted;
        }
    }
    if (screens.isEmpty()) {
        return wanted;
    }
    const QRect& home = screens.front();
    return QPoint(Clamp(wanted.x(), home.left(), home.right() + 1 - width),
                  Clamp(wanted.y(), home.top(), home.bottom() + 1 - frameSize.height()));
}

} // namespace placement
