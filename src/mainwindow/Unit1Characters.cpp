// Characters that code page 932 cannot hold: the files keep every text in
// that code page, where such a character becomes "?". The user learns it as
// the character is typed or pasted (status line, the character marked in its
// field) and again at a save, for every field and cell that holds one.
#include "Unit1.h"

#include "Cp932.h"
#include "QtText.h"

#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QStatusBar>
#include <QTextCharFormat>

using qttext::Q;

namespace {

// The fields whose texts a note file keeps, with the names the user sees.
struct KeptField {
    int number;
    const char* name;
};
constexpr KeptField kKeptFields[] = {
    {field::Date, "日付"},
    {field::CustomerName, "顧客名"},
    {field::Suffix, "添え字"},
    {field::Number, "No"},
    {field::IssuerZip, "〒"},
    {field::IssuerAddress, "住所番地"},
    {field::IssuerAddress2, "建物等"},
    {field::IssuerName, "名前"},
    {field::IssuerTele, "TEL"},
    {field::IssuerBank, "振込先"},
    {field::IssuerBank2, "振込先"},
    {field::Registration, "登録番号"},
};

QString LostIn(const QString& text) {
    return QString::fromStdString(cp932::LostCharacters(text.toStdString()));
}

// The property a field carries while some of its characters are marked.
constexpr char kMarked[] = "notorioLostMarked";

// Underlines every occurrence of the lost characters in red on a light red
// ground (no characters: takes the marks away). The marks are formats of the
// field's input-method text, laid out relative to the cursor.
void MarkCharacters(QLineEdit* field, const QString& lost) {
    QTextCharFormat mark;
    mark.setBackground(QColor(0xFF, 0xC0, 0xC0));
    mark.setUnderlineStyle(QTextCharFormat::WaveUnderline);
    mark.setUnderlineColor(Qt::red);
    QList<QInputMethodEvent::Attribute> marks;
    const QString text = field->text();
    const int cursor = field->cursorPosition();
    for (int i = 0; !lost.isEmpty() && i < text.size();) {
        const int length = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        if (lost.contains(text.mid(i, length))) {
            marks << QInputMethodEvent::Attribute(QInputMethodEvent::TextFormat, i - cursor, length,
                                                  mark);
        }
        i += length;
    }
    QInputMethodEvent event(QString(), marks);
    QCoreApplication::sendEvent(field, &event);
    field->setProperty(kMarked, !marks.isEmpty());
}

} // namespace

void TForm1::WarnLostCharacters(const QString& lost) {
    if (!lost.isEmpty()) {
        ShowStatusText(Q("「%1」はファイルに保存できない文字です（?になります）").arg(lost));
    }
}

void TForm1::WatchLostCharacters(QLineEdit* field) {
    connect(field, &QLineEdit::textEdited, this, [this, field](const QString& text) {
        const QString lost = LostIn(text);
        WarnLostCharacters(lost);
        // Marks of characters since removed or moved go in any case.
        if (!lost.isEmpty() || field->property(kMarked).toBool()) {
            MarkCharacters(field, lost);
        }
    });
}

QStringList TForm1::FieldsWithLostCharacters() const {
    QStringList found;
    for (const KeptField& kept : kKeptFields) {
        const QLineEdit* edit = EditField(kept.number);
        const QString lost = edit ? LostIn(edit->text()) : QString();
        if (!lost.isEmpty()) {
            found << Q("%1「%2」").arg(Q(kept.name), lost);
        }
    }
    for (int row = 1; row < RowCount(); ++row) {
        for (int col = 1; col < ColCount(); ++col) {
            const QString lost = LostIn(StringGrid1->Cells(col, row));
            if (!lost.isEmpty()) {
                found << Q("%1行%2「%3」").arg(row).arg(StringGrid1->Cells(col, 0), lost);
            }
        }
    }
    return found;
}

void TForm1::ReportLostCharacters() {
    const QStringList found = FieldsWithLostCharacters();
    if (found.isEmpty()) {
        return;
    }
    ShowStatusText(qttext::FromCp932(status_) + Q("　?になった文字: ") + found.join(Q("、")));
}

void TForm1::ShowStatusText(const QString& text) {
    status_ = qttext::ToCp932(text);
    if (auto* label = StatusBar1->findChild<QLabel*>("StatusText")) {
        label->setText(QString(text).replace('\n', ' '));
    }
}
