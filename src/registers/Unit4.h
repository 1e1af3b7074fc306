// The product register dialog: the three word lists side by side, each
// with an edit field, and the buttons that add, edit and delete words. The
// opening command takes all three lists back after it closed.
#pragma once

#include "Basedata.h"
#include "ProductLists.h"

#include <QDialog>
#include <array>
#include <optional>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

class TForm4 : public QDialog {
    Q_OBJECT

public:
    explicit TForm4(const NoteContainers& note, QWidget* parent = nullptr);

    QLabel* Label1;
    QListWidget* ListBox1;
    QLineEdit* Edit1;
    QLabel* Label2;
    QListWidget* ListBox2;
    QLineEdit* Edit2;
    QLabel* Label3;
    QListWidget* ListBox3;
    QLineEdit* Edit3;
    QLabel* Label4;
    QPushButton* Button1;
    QLabel* Label5;
    QPushButton* Button2;
    QLabel* Label6;
    QPushButton* Button3;

    int ActiveList() const { return lists_.ActiveList(); }
    int ActiveIndex() const { return lists_.ActiveIndex(); }

    // The words list box n (1 to 3) shows, in order.
    wordlist ReadWordList(int n) const;

    void Button1Click();
    void Button2Click();
    void Button3Click();
    // A click on list box n: chooses its selected word when it has the focus.
    void ListBoxClick(int n);
    // List box n receives the focus.
    void ListBoxEnter(int n);
    // The mouse button was released over list box n.
    void ListBoxMouseUp(int n);

protected:
    void FormCreate();
    void FormActivate();
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QListWidget* ListBox(int n) const;
    QLineEdit* EditOf(int n) const;
    // The selected position of list box n, if any.
    std::optional<int> SelectedRow(int n) const;
    // The selected word of list box n, empty when none is selected.
    std::string SelectedWord(int n) const;
    // List box n shows the model's list again.
    void ShowList(int n, bool keepSelection);
    void ClearEdits();

    const NoteContainers& note_;
    registers::ProductLists lists_;
    bool activated_ = false;
};
