// Paste into one-line text fields. A line break pasted into a field would
// stay in its text unseen (the field shows it as a space) and go into the
// note file as it is; here every paste into a one-line field (the window's
// fields, the grid's cell editor, the register dialogs' fields) puts one
// space in place of each line break, so the field holds what it shows.
#pragma once

#include <QObject>
#include <QString>

#include <cstddef>

class QLineEdit;

namespace linepaste {

// `text` with each line break (CR LF, CR or LF) replaced by one space; a
// line break at the very end (as a copied cell ends) is dropped.
QString OneLine(const QString& text);

// The first `count` lines of a clipboard text (split at CR LF, CR or LF),
// without the line end after the last; the whole text when it has no more.
QString LeadingLines(const QString& text, std::size_t count);

// Replaces the field's selection by the clipboard's text as one line, as
// the field's own paste does (one step to undo); nothing for a read-only
// field.
void PasteInto(QLineEdit* field);

// Takes over the paste of every one-line field of the application: the
// paste keys, the field's own context menu and the middle button's paste
// of the selection.
class PasteFilter : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override;
};

// Installs one PasteFilter on the running application; later calls do
// nothing.
void InstallOnce();

} // namespace linepaste
