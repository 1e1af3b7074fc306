// The program's questions and the toolkit's own texts in Japanese.
#pragma once

#include <QString>

class QCoreApplication;
class QTranslator;
class QWidget;

namespace qttext {

enum class Answer { Yes, No, Cancel };

// Asks `text` in a box with the question icon and the buttons はい, いいえ
// and キャンセル (はい the default); Esc or closing the box is キャンセル.
Answer AskQuestion(QWidget* parent, const QString& caption, const QString& text);

// Installs Qt's own Japanese translation (file dialogs, print dialog,
// standard buttons) from Qt's translations folder; the translator belongs
// to `application`. Null when the translation is not installed: the
// toolkit's texts then stay English.
QTranslator* InstallJapaneseTranslation(QCoreApplication& application);

} // namespace qttext
