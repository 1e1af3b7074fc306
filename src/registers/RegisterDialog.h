// The part the issuer and customer register dialogs share: a grid of
// entries, the name box that chooses one, the cell position and cell value
// fields, the button that adds an entry line and a status line. The dialog
// edits copies; the opening command reads the grid and SelectedIndex back
// after it has closed.
#pragma once

#include "RegisterGrid.h"
#include "TableTextGrid.h"

#include <QDialog>
#include <cstdint>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QStatusBar;
class QTableWidget;

namespace registers {

class RegisterDialog : public QDialog {
    Q_OBJECT

public:
    std::int32_t SelectedIndex = 0;
    int EditCol = 0;
    int EditRow = 0;

    QLabel* Label1;
    QComboBox* ComboBox1;
    QLabel* Label3;
    QLineEdit* Edit2;
    QLabel* Label4;
    QLineEdit* Edit1;
    QTableWidget* StringGrid1;
    QLabel* Label2;
    QPushButton* Button1;
    QStatusBar* StatusBar1;

    // The grid's texts.
    TextGrid& Grid() { return grid_; }
    const TextGrid& Grid() const { return grid_; }

    // True once the activation steps have run to their end (they run once
    // per opening).
    bool Activated() const { return activated_; }

    // Items of the name box become the entries' names, in grid order. The
    // text in the name box stays as it was.
    void RefreshNameList();

    // Selection rule: the first name containing the name box's text becomes
    // SelectedIndex and the status line says so. A text no name contains
    // changes neither.
    void ComboBox1Change();

    // A click at `pos` in the grid's viewport; a position outside the cells
    // (or none, for the fixed lines) leaves EditCol and EditRow at 0.
    void StringGrid1Click(const QPoint* pos);

    // The user's own change of the cell value field goes into the clicked
    // cell.
    void Edit1Change(const QString& text);

    void Button1Click();

protected:
    RegisterDialog(EntryAxis axis, int widthPercent, QWidget* parent);

    // The name box text, set by the program (the selection rule does not run).
    void SetNameBoxText(const std::string& text);
    void SetStatus(const std::string& text);
    void FitColumnWidths();
    // Yes to "データが編集されてます\n追加しますか".
    bool AskAddition();

    // Adds an entry line; returns the status text.
    virtual std::string AddEntryLine() = 0;
    virtual void FormActivate() = 0;

    // However the dialog is closed, a cell still being edited in place keeps
    // what was typed into it.
    void done(int result) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

    TableTextGrid grid_;

private:
    void RunActivation();
    void ShowNameText(const QString& text);

    EntryAxis axis_;
    int widthPercent_;
    bool activationQueued_ = false;
    bool activationStarted_ = false;
    bool activated_ = false;
};

} // namespace registers
