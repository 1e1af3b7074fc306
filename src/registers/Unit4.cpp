#include "Unit4.h"

#include "DialogLook.h"
#include "QtText.h"

#include <QEvent>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalBlocker>

using namespace registers;

TForm4::TForm4(const NoteContainers& note, QWidget* parent)
    : QDialog(parent), Label1(new QLabel(this)), ListBox1(new QListWidget(this)),
      Edit1(new QLineEdit(this)), Label2(new QLabel(this)), ListBox2(new QListWidget(this)),
      Edit2(new QLineEdit(this)), Label3(new QLabel(this)), ListBox3(new QListWidget(this)),
      Edit3(new QLineEdit(this)), Label4(new QLabel(this)), Button1(new QPushButton(this)),
      Label5(new QLabel(this)), Button2(new QPushButton(this)), Label6(new QLabel(this)),
      Button3(new QPushButton(this)), note_(note), lists_({}, {}, {}) {
    FormCreate();
}

void TForm4::FormCreate() {
    setObjectName("Form4");
    setFont(DialogFont());
    setModal(true);
    PlaceWindow(this, 483, 141, 475, 472);

    Label1->setText(qttext::Q("名称設定"));
    Label2->setText(qttext::Q("仕様摘要設定"));
    Label3->setText(qttext::Q("単位設定"));
    Label4->setText(qttext::Q("項目を追加"));
    Label5->setText(qttext::Q("項目を編集"));
    Label6->setText(qttext::Q("項目を削除"));
    Button1->setText(qttext::Q("追加"));
    Button2->setText(qttext::Q("編集"));
    Button3->setText(qttext::Q("削除"));

    Place(Label1, 48, 8);
    Place(ListBox1, 24, 24, 121, 241);
    Place(Edit1, 24, 280, 121, 20);
    Place(Label2, 200, 8);
    Place(ListBox2, 176, 24, 121, 241);
    Place(Edit2, 176, 280, 121, 20);
    Place(Label3, 368, 8);
    Place(ListBox3, 328, 24, 121, 241);
    Place(Edit3, 328, 280, 121, 20);
    Place(Label4, 104, 320);
    Place(Button1, 184, 312, 105, 25);
    Place(Label5, 104, 352);
    Place(Button2, 184, 344, 105, 25);
    Place(Label6, 104, 384);
    Place(Button3, 184, 376, 105, 25);

    for (int n = 1; n <= ProductLists::Count; ++n) {
        QListWidget* list = ListBox(n);
        list->setObjectName(QString("ListBox%1").arg(n));
        EditOf(n)->setObjectName(QString("Edit%1").arg(n));
        list->setSelectionMode(QAbstractItemView::SingleSelection);
        list->setSortingEnabled(false);
        list->installEventFilter(this);
        list->viewport()->installEventFilter(this);
        // Moving the selection with the keys chooses the word as a click does.
        connect(list, &QListWidget::itemSelectionChanged, this, [this, n] { ListBoxClick(n); });
    }
    ClearEdits();

    // Return in an edit field presses no button.
    for (QPushButton* button : {Button1, Button2, Button3}) {
        button->setAutoDefault(false);
    }
    connect(Button1, &QPushButton::clicked, this, &TForm4::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TForm4::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &TForm4::Button3Click);
}

void TForm4::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Filled before the dialog can be closed, so the lists taken back at
    // closing are never the empty ones of a dialog not yet filled.
    if (!activated_) {
        activated_ = true;
        FormActivate();
    }
}

void TForm4::FormActivate() {
    lists_ = ProductLists(note_.menuitem1, note_.menuitem2, note_.menuitem3);
    for (int n = 1; n <= ProductLists::Count; ++n) {
        ShowList(n, false);
    }
}

bool TForm4::eventFilter(QObject* watched, QEvent* event) {
    for (int n = 1; n <= ProductLists::Count; ++n) {
        QListWidget* list = ListBox(n);
        if (watched == list && event->type() == QEvent::FocusIn) {
            ListBoxEnter(n);
        } else if (watched == list->viewport() && event->type() == QEvent::MouseButtonRelease) {
            ListBoxClick(n);
            ListBoxMouseUp(n);
        }
    }
    return QDialog::eventFilter(watched, event);
}

QListWidget* TForm4::ListBox(int n) const {
    switch (n) {
    case 1:
        return ListBox1;
    case 2:
        return ListBox2;
    default:
        return ListBox3;
    }
}

QLineEdit* TForm4::EditOf(int n) const {
    switch (n) {
    case 1:
        return Edit1;
    case 2:
        return Edit2;
    default:
        return Edit3;
    }
}

std::optional<int> TForm4::SelectedRow(int n) const {
    const QModelIndexList selected = ListBox(n)->selectionModel()->selectedIndexes();
    if (selected.isEmpty()) {
        return std::nullopt;
    }
    return selected.first().row();
}

std::string TForm4::SelectedWord(int n) const {
    const auto row = SelectedRow(n);
    return row ? qttext::ToCp932(ListBox(n)->item(*row)->text()) : std::string();
}

wordlist TForm4::ReadWordList(int n) const {
    wordlist words;
    const QListWidget* list = ListBox(n);
    for (int i = 0; i < list->count(); ++i) {
        words.push_back(qttext::ToCp932(list->item(i)->text()));
    }
    return words;
}

void TForm4::ShowList(int n, bool keepSelection) {
    QListWidget* list = ListBox(n);
    const QSignalBlocker blocker(list);
    const int selected = keepSelection ? SelectedRow(n).value_or(-1) : -1;
    list->clear();
    for (const std::string& word : lists_.List(n)) {
        list->addItem(qttext::FromCp932(word));
    }
    if (selected >= 0 && selected < list->count()) {
        list->setCurrentRow(selected);
    }
}

void TForm4::ClearEdits() {
    for (int n = 1; n <= ProductLists::Count; ++n) {
        EditOf(n)->clear();
    }
}

void TForm4::Button1Click() {
    lists_.AddWords({qttext::ToCp932(Edit1->text()), qttext::ToCp932(Edit2->text()),
                     qttext::ToCp932(Edit3->text())});
    for (int n = 1; n <= ProductLists::Count; ++n) {
        if (!EditOf(n)->text().isEmpty()) {
            ShowList(n, true);
        }
    }
    ClearEdits();
}

void TForm4::Button2Click() {
    const int n = lists_.ActiveList();
    if (n == 0 || !lists_.EditActiveWord(qttext::ToCp932(EditOf(n)->text()))) {
        return;
    }
    ShowList(n, false);
    // All three are emptied, so a second press cannot replace another word.
    ClearEdits();
}

void TForm4::Button3Click() {
    const int n = lists_.ActiveList();
    if (!lists_.DeleteActiveWord()) {
        return;
    }
    ShowList(n, false);
    EditOf(n)->clear();
}

void TForm4::ListBoxClick(int n) {
    if (ListBox(n)->hasFocus()) {
        lists_.Choose(n, SelectedRow(n).value_or(-1));
    }
}

void TForm4::ListBoxEnter(int n) {
    // Entering a list clears the selections of the lists to its left
    // (the first list clears the second).
    if (n == 1) {
        ListBox2->clearSelection();
    } else if (n == 2) {
        ListBox1->clearSelection();
    } else {
        ListBox1->clearSelection();
        ListBox2->clearSelection();
    }
}

void TForm4::ListBoxMouseUp(int n) {
    EditOf(n)->setText(qttext::FromCp932(SelectedWord(n)));
}
