// The program's small pictures as the window shows them: the five tool-bar
// buttons and the program icon of the About box (ToolPictures.h draws
// them; the tool-bar ones are built into the program) and the window's
// icon, the picture of the desktop entry.
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

// The installed icon's pictures (data/icons) at the sizes task bars and
// window lists use, built into the program: the window shows the picture
// the desktop's menu shows, installed or not, without searching the icon
// themes or reading a file.
QIcon WindowIcon();

} // namespace toolicons
