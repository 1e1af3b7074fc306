// Where the main window goes at start-up: the point the settings file keeps
// is the frame's top-left corner, and the window must come up with its title
// bar on a screen, whatever screens the machine has today.
#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>

namespace placement {

// The height of the frame's strip the user grabs to move the window.
constexpr int kTitleStrip = 24;
// How much of that strip must be on a screen, horizontally, to be grabbed.
constexpr int kGrabWidth = 64;

// The frame's top-left corner for a window of `frameSize` wanted at `wanted`.
// `screens` are the available areas of the screens (without panels). When the
// title strip at `wanted` is on some screen the point is kept; otherwise the
// window is moved onto the first screen (the primary one), as little as it
// can. Without screens the point is kept.
QPoint KeepTitleBarOnScreen(const QPoint& wanted, const QSize& frameSize,
                            const QList<QRect>& screens);

} // namespace placement
