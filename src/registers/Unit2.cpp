#include "Unit2.h"

#include "DialogLook.h"
#include "IssuerRegister.h"
#include "QtText.h"
#include "RegisterSelection.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTableWidget>

using namespace registers;

TForm2::TForm2(const NoteContainers& note, const NoteWindow& window, QWidget* parent)
    : RegisterDialog(EntryAxis::Columns, IssuerWidthPercent, parent), note_(note), window_(window) {
    FormCreate();
}

void TForm2::FormCreate() {
    setObjectName("Form2");
    PlaceWindow(this, 292, 169, 621, 448);
    setToolTip(qttext::Q("名前を記入しないと追加されません"));
    Label1->setText(qttext::Q("名前"));
    Button1->setText(qttext::Q("一列追加"));
    ComboBox1->setToolTip(qttext::Q("作成者を決めれます"));

    Place(Label1, 120, 8);
    Place(ComboBox1, 96, 24, 121, 20);
    Place(Label3, 232, 8);
    Place(Edit2, 224, 24, 65, 20);
    Place(Label4, 376, 8);
    Place(Edit1, 320, 24, 201, 20);
    Place(StringGrid1, 8, 56, 577, 297);
    Place(Label2, 96, 368);
    Place(Button1, 200, 360, 89, 25);
    const int statusHeight = StatusBar1->sizeHint().height();
    Place(StatusBar1, 0, height() - statusHeight, width(), statusHeight);

    grid_.SetRowCount(IssuerGridRows);
    grid_.SetColCount(2);
    WriteIssuerTitles(grid_);
    grid_.SetColWidth(0, 80);
    grid_.SetColWidth(1, 140);
    grid_.AllowColumnMoving();
}

void TForm2::FormActivate() {
    ownerlist entries = note_.owner_ma_lo;
    wordlist numbers = note_.owner_touroku;
    numbers.resize(entries.size());
    SelectedIndex = note_.int_owner_no;
    std::int32_t shown = SelectedIndex;
    if (!entries.empty()) {
        grid_.SetColCount(static_cast<int>(entries.size()) + 1);
        FillIssuerGrid(grid_, entries, numbers);
        FitColumnWidths();
    }
    if (OfferCurrentIssuer(entries, CurrentIssuerFromWindow(window_),
                           [this] { return AskAddition(); })) {
        // The issuer typed into the main window brings its number along.
        numbers.push_back(window_.Field(field::Registration));
        // The entry the user has just agreed to add is the one meant.
        shown = static_cast<std::int32_t>(entries.size()) - 1;
        SelectedIndex = shown;
        grid_.SetColCount(static_cast<int>(entries.size()) + 1);
        FillIssuerGrid(grid_, entries, numbers);
        FitColumnWidths();
    }
    RefreshNameList();
    SetNameBoxText(entries.empty() ? std::string()
                                   : entries[ValidIndex(shown, entries.size())].name);
}

std::string TForm2::AddEntryLine() {
    return AddIssuerColumn(grid_);
}

ownerlist TForm2::ReadIssuerGrid() const {
    return registers::ReadIssuerGrid(grid_);
}

wordlist TForm2::ReadIssuerNumbers() const {
    return registers::ReadIssuerNumbers(grid_);
}
