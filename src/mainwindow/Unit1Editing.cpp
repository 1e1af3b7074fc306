// Cut, copy and paste: the 編集 menu, the clipboard items of the context
// menus and Ctrl+C / Ctrl+X / Ctrl+V in the line grid.
#include "Unit1.h"

#include "CellClipboard.h"
#include "Cp932.h"
#include "LinePaste.h"
#include "QtText.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTextEdit>

#include <type_traits>

namespace {

// The platform clipboard holds Unicode; the cell-range commands see it as
// code page 932 bytes.
class PlatformClipboard : public editing::ClipboardPort {
public:
    bool HasText() const override { return ClipboardHasText(); }
    std::string Text() const override { return Read(QGuiApplication::clipboard()->text()); }
    std::string LeadingLines(std::size_t count) const override {
        return Read(linepaste::LeadingLines(QGuiApplication::clipboard()->text(), count));
    }
    void Clear() override { QGuiApplication::clipboard()->clear(); }
    void SetText(const std::string& cp932) override {
        QGuiApplication::clipboard()->setText(qttext::FromCp932(cp932));
    }

    static bool ClipboardHasText() {
        const QMimeData* data = QGuiApplication::clipboard()->mimeData();
        return data != nullptr && data->hasText();
    }

    // The characters of the text last read that code page 932 cannot hold.
    QString Lost() const { return lost_; }

private:
    std::string Read(const QString& text) const {
        lost_ = QString::fromStdString(cp932::LostCharacters(text.toStdString()));
        return qttext::ToCp932(text);
    }

    mutable QString lost_;
};

editing::CellRect GridSelection(const TStringGrid* grid) {
    const TGridRect rect = grid->Selection();
    return editing::CellRect{rect.Left, rect.Top, rect.Right, rect.Bottom};
}

enum class ClipAction { Cut, Copy, Paste };

// A text control's own cut, copy or paste; a one-line field pastes line
// breaks as spaces.
template <typename TextControl> void Apply(TextControl* control, ClipAction action) {
    if constexpr (std::is_same_v<TextControl, QLineEdit>) {
        if (action == ClipAction::Paste) {
            linepaste::PasteInto(control);
            return;
        }
    }
    switch (action) {
    case ClipAction::Cut:
        control->cut();
        break;
    case ClipAction::Copy:
        control->copy();
        break;
    case ClipAction::Paste:
        control->paste();
        break;
    }
}

// The main menu's commands act on the focused control by its kind: a text
// field, a multi-line text, the grid (through its cell editor while a cell
// is edited); anything else is left alone.
void ApplyToFocusedControl(TForm1& form, ClipAction action) {
    if (action == ClipAction::Paste && !PlatformClipboard::ClipboardHasText()) {
        return;
    }
    QWidget* focus = form.focusWidget();
    if (focus == nullptr) {
        return;
    }
    if (focus == form.StringGrid1 || form.StringGrid1->isAncestorOf(focus)) {
        if (QLineEdit* editor = form.StringGrid1->CellEditor()) {
            Apply(editor, action);
        }
        return;
    }
    if (auto* field = qobject_cast<QLineEdit*>(focus)) {
        // The tax-mode selector's text is not one of the window's fields.
        if (qobject_cast<QComboBox*>(field->parentWidget()) == nullptr) {
            Apply(field, action);
        }
        return;
    }
    if (auto* memo = qobject_cast<QPlainTextEdit*>(focus)) {
        Apply(memo, action);
        return;
    }
    if (auto* memo = qobject_cast<QTextEdit*>(focus)) {
        Apply(memo, action);
    }
}

} // namespace

void TForm1::N18Click() {
    ApplyToFocusedControl(*this, ClipAction::Cut);
}
void TForm1::N19Click() {
    ApplyToFocusedControl(*this, ClipAction::Copy);
}
void TForm1::N20Click() {
    ApplyToFocusedControl(*this, ClipAction::Paste);
}

// The grid's context-menu commands act only after a click on a data cell.
void TForm1::GridCutClick() {
    if (editing::IsDataCell(*this, EditCol, EditRow)) {
        PlatformClipboard clipboard;
        editing::CutCells(*this, GridSelection(StringGrid1), clipboard);
    }
}

void TForm1::GridCopyClick() {
    if (editing::IsDataCell(*this, EditCol, EditRow)) {
        PlatformClipboard clipboard;
        editing::CopyCells(*this, GridSelection(StringGrid1), clipboard);
    }
}

void TForm1::GridPasteClick() {
    if (editing::IsDataCell(*this, EditCol, EditRow)) {
        PlatformClipboard clipboard;
        editing::PasteCells(*this, GridSelection(StringGrid1), clipboard);
        WarnLostCharacters(clipboard.Lost());
    }
}

// The cell editor, while a cell is edited, copies its selected text.
void TForm1::stringCopyClick() {
    if (QLineEdit* editor = StringGrid1->CellEditor()) {
        editor->copy();
    }
}

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

// The suffix field's own menu.
void TForm1::string4CutClick() {
    Edit18->cut();
}
void TForm1::String4CopyClick() {
    Edit18->copy();
}

// The selection is replaced by the clipboard text, or removed when the
// clipboard holds no text.
void TForm1::String4PasteClick() {
    Edit18->insert(PlatformClipboard::ClipboardHasText()
                       ? linepaste::OneLine(QGuiApplication::clipboard()->text())
                       : QString());
}

// Ctrl+C, Ctrl+X and Ctrl+V act on the selection whatever cell was last
// clicked; a cell being edited keeps the keys for its editor.
void TForm1::GridKeyRelease(QKeyEvent* event) {
    if (!(event->modifiers() & Qt::ControlModifier) || StringGrid1->CellEditor() != nullptr) {
        return;
    }
    PlatformClipboard clipboard;
    switch (event->key()) {
    case Qt::Key_C:
        editing::CopyCells(*this, GridSelection(StringGrid1), clipboard);
        break;
    case Qt::Key_X:
        editing::CutCells(*this, GridSelection(StringGrid1), clipboard);
        break;
    case Qt::Key_V:
        editing::PasteCells(*this, GridSelection(StringGrid1), clipboard);
        WarnLostCharacters(clipboard.Lost());
        break;
    default:
        return;
    }
    event->accept();
}
