// The program's own small pictures, drawn: the five tool-bar buttons' (20
// pixels square) and the program icon of the About box. The tool-bar
// pictures are drawn when the program is built and built into it
// (IconPixels.h); the About box draws its icon when first shown.
#pragma once

#include <QImage>

namespace toolpictures {

constexpr int kToolSize = 20;

QImage NewNote();             // a blank sheet with a folded corner
QImage OpenNote();            // an opening folder
QImage SaveNote();            // a floppy disk
QImage SaveAs();              // a floppy disk with a pen
QImage PrintAll();            // a printer with a sheet
QImage ProgramIcon(int size); // a note with ruled lines and a yen mark

} // namespace toolpictures
