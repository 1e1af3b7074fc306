#include "LinePaste.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPointer>

namespace linepaste {

QString OneLine(const QString& text) {
    QString line;
    line.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c != u'\r' && c != u'\n') {
            line += c;
            continue;
        }
        if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
            ++i;
        }
        if (i + 1 < text.size()) {
            line += u' ';
        }
    }
    return line;
}

QString LeadingLines(const QString& text, std::size_t count) {
    std::size_t lines = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c != u'\r' && c != u'\n') {
            continue;
        }
        if (++lines == count) {
            return text.left(i);
        }
        if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
            ++i;
        }
    }
    return count == 0 ? QString() : text;
}

namespace {

void PasteFrom(QLineEdit* field, QClipboard::Mode mode) {
    if (field->isReadOnly()) {
        return;
    }
    const QString text = QGuiApplication::clipboard()->text(mode);
    if (!text.isEmpty() || field->hasSelectedText()) {
        field->insert(OneLine(text));
    }
}

// The field's own menu, its paste item going through PasteInto.
void ShowContextMenu(QLineEdit* field, const QPoint& globalPos) {
    QMenu* menu = field->createStandardContextMenu();
    QPointer<QLineEdit> target(field);
    for (QAction* action : menu->actions()) {
        if (action->objectName() == QLatin1String("edit-paste")) {
            action->disconnect();
            QObject::connect(action, &QAction::triggered, menu, [target] {
                if (target) {
                    PasteInto(target);
                }
            });
        }
    }
    menu->exec(globalPos);
    delete menu;
}

} // namespace

void PasteInto(QLineEdit* field) {
    PasteFrom(field, QClipboard::Clipboard);
}

bool PasteFilter::eventFilter(QObject* watched, QEvent* event) {
    auto* field = qobject_cast<QLineEdit*>(watched);
    if (field == nullptr || !field->isEnabled()) {
        return false;
    }
    switch (event->type()) {
    case QEvent::KeyPress:
        if (static_cast<QKeyEvent*>(event)->matches(QKeySequence::Paste)) {
            PasteInto(field);
            return true;
        }
        return false;
    case QEvent::ContextMenu:
        if (field->contextMenuPolicy() == Qt::DefaultContextMenu) {
            ShowContextMenu(field, static_cast<QContextMenuEvent*>(event)->globalPos());
            return true;
        }
        return false;
    case QEvent::MouseButtonRelease: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::MiddleButton &&
            QGuiApplication::clipboard()->supportsSelection()) {
            field->setCursorPosition(field->cursorPositionAt(mouse->position().toPoint()));
            PasteFrom(field, QClipboard::Selection);
            return true;
        }
        return false;
    }
    default:
        return false;
    }
}

void InstallOnce() {
    static QPointer<PasteFilter> installed;
    if (installed == nullptr && qApp != nullptr) {
        installed = new PasteFilter(qApp);
        qApp->installEventFilter(installed);
    }
}

} // namespace linepaste
