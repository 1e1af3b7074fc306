// Cut, copy and paste: the 編集 menu, the clipboard items of the context
// menus and Ctrl+C / Ctrl+X / Ctrl+V in the line grid.
#include "Unit1.h"

#include <QAction>
#include <QKeyEvent>

void TForm1::BindEditingCommands() {
    for (QAction* item :
         {N18,        N19,         N20,         GridCut,     GridCopy,   stringCopy,
          GridPaste,  Grid2Cut,    Grid2Copy,   string2Copy, Grid2Paste, Grid3Cut,
          Grid3Copy,  string3Copy, Grid3Paste,  Grid5Cut,    Grid5Copy,  String5Copy,
          Grid5Paste, string4Cut,  String4Copy, String4Paste}) {
        item->setEnabled(false);
    }
}

void TForm1::N18Click() {}
void TForm1::N19Click() {}
void TForm1::N20Click() {}
void TForm1::GridCutClick() {}
void TForm1::GridCopyClick() {}
void TForm1::stringCopyClick() {}
void TForm1::GridPasteClick() {}
void TForm1::Grid2CutClick() {
    GridCutClick();
}
void TForm1::Grid2CopyClick() {
    GridCopyClick();
}
void TForm1::string2CopyClick() {
    stringCopyClick();
}
void TForm1::Grid2PasteClick() {
    GridPasteClick();
}
void TForm1::Grid3CutClick() {
    GridCutClick();
}
void TForm1::Grid3CopyClick() {
    GridCopyClick();
}
void TForm1::string3CopyClick() {
    stringCopyClick();
}
void TForm1::Grid3PasteClick() {
    GridPasteClick();
}
void TForm1::Grid5CutClick() {
    GridCutClick();
}
void TForm1::Grid5CopyClick() {
    GridCopyClick();
}
void TForm1::String5CopyClick() {
    stringCopyClick();
}
void TForm1::Grid5PasteClick() {
    GridPasteClick();
}
void TForm1::string4CutClick() {}
void TForm1::String4CopyClick() {}
void TForm1::String4PasteClick() {}

void TForm1::GridKeyRelease(QKeyEvent* event) {
    (void)event;
}
