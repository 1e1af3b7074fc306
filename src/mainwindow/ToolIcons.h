// Small pictures drawn by the program itself: the five tool-bar buttons, the
// program icon of the About box, and the window's icon, the picture of the
// desktop entry.
#pragma once

#include <QIcon>
#include <QPixmap>

namespace toolicons {

QIcon NewNote();                    // a blank sheet with a folded corner
QIcon OpenNote();                   // an opening folder
QIcon SaveNote();                   // a floppy disk
QIcon SaveAs();                     // a floppy disk with a pen
QIcon PrintAll();                   // a printer with a sheet
QPixmap ProgramIcon(int size = 32); // a note with ruled lines and a yen mark

// The picture of the installed icon (data/icons) `size` pixels square.
QPixmap InstalledPicture(int size);

// That picture at the sizes task bars and window lists use: the window
// shows the picture the desktop's menu shows, installed or not, without
// searching the icon themes.
QIcon WindowIcon();

} // namespace toolicons
