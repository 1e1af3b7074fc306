// The word entries of the grid's and the suffix field's context menus.
#include "Unit1.h"

#include "QtText.h"
#include "RegisterSelection.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>

namespace {

// Menu captions show '&' as itself, so the caption is exactly the word.
QString Caption(const std::string& word) {
    return qttext::FromCp932(word).replace('&', "&&");
}

// The word an item stands for, as the bytes of the word list.
std::string WordOf(const QAction* item) {
    return item->data().toByteArray().toStdString();
}

} // namespace

void TForm1::RebuildWordMenus() {
    TrimPopupMenu(PopupMenu1, 4);
    TrimPopupMenu(PopupMenu2, 4);
    TrimPopupMenu(PopupMenu3, 4);
    TrimPopupMenu(PopupMenu4, 3);
    AppendWordItems(PopupMenu1, WordKind::Grid, Data.menuitem1);
    AppendWordItems(PopupMenu2, WordKind::Grid, Data.menuitem2);
    AppendWordItems(PopupMenu3, WordKind::Grid, Data.menuitem3);
    Data.soejilist = registers::SuffixWords();
    AppendWordItems(PopupMenu4, WordKind::Suffix, Data.soejilist);
}

void TForm1::TrimPopupMenu(QMenu* menu, int count) {
    QList<QAction*> items = menu->actions();
    while (items.size() > count) {
        QAction* last = items.takeLast();
        menu->removeAction(last);
        if (last->parent() == menu) {
            delete last;
        }
    }
}

void TForm1::AppendWordItems(QMenu* menu, WordKind kind, const wordlist& words) {
    menu->addSeparator();
    for (const std::string& word : words) {
        QAction* item = menu->addAction(Caption(word));
        item->setData(QByteArray::fromStdString(word));
        if (kind == WordKind::Grid) {
            connect(item, &QAction::triggered, this, [this, item] { WordItemClick(item); });
        } else {
            connect(item, &QAction::triggered, this, [this, item] { SuffixItemClick(item); });
        }
    }
}

// The word replaces the text of the grid cell last clicked, if that is a
// data cell; while a cell is being edited it replaces the editor's text,
// which the cell then keeps.
void TForm1::WordItemClick(QAction* item) {
    if (QLineEdit* editor = StringGrid1->CellEditor()) {
        editor->setText(qttext::FromCp932(WordOf(item)));
        editor->setModified(true);
        Edited = 1;
        return;
    }
    if (EditCol >= 1 && EditCol < ColCount() && EditRow >= 1 && EditRow < RowCount()) {
        SetCell(EditCol, EditRow, WordOf(item));
    }
}

// The suffix replaces the text of the field the menu was opened for.
void TForm1::SuffixItemClick(QAction* item) {
    if (auto* edit = qobject_cast<QLineEdit*>(PopupComponent)) {
        edit->setText(qttext::FromCp932(WordOf(item)));
    } else {
        QApplication::beep();
    }
}
