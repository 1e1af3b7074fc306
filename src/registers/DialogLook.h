// The look the register dialogs share: the proportional Japanese face at 12
// pixels, and placing controls at their client pixel positions.
#pragma once

#include <QFont>
#include <QWidget>

namespace registers {

// "ＭＳ Ｐゴシック" 12 pixels high (IPAPGothic where it is not installed).
QFont DialogFont();

// The point size the grid widths are computed from: 9 for the dialog font.
int PointSizeOf(const QFont& font);

// Places `widget` at (left, top); a width or height of 0 keeps the size hint.
void Place(QWidget* widget, int left, int top, int width = 0, int height = 0);

// Sets the outer size (frame included, as the window decorations on the
// reference desktop add 8 x 27 pixels) and the screen position.
void PlaceWindow(QWidget* window, int left, int top, int outerWidth, int outerHeight);

} // namespace registers
