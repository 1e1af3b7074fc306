#include "Unit3.h"

#include "CustomerRegister.h"
#include "DialogLook.h"
#include "QtText.h"
#include "RegisterSelection.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTableWidget>

using namespace registers;

TForm3::TForm3(const NoteContainers& note, const NoteWindow& window, QWidget* parent)
    : RegisterDialog(EntryAxis::Rows, CustomerWidthPercent, parent), note_(note), window_(window) {
    FormCreate();
}

void TForm3::FormCreate() {
    setObjectName("Form3");
    PlaceWindow(this, 100, 183, 807, 325);
    setToolTip(qttext::Q("最低名前を記入して下さい"));
    Label1->setText(qttext::Q("顧客名"));
    Button1->setText(qttext::Q("一行追加"));
    ComboBox1->setToolTip(qttext::Q("お客様を決めてください"));

    Place(Label1, 136, 8);
    Place(ComboBox1, 104, 32, 121, 20);
    Place(Label3, 248, 8);
    Place(Edit2, 232, 32, 73, 20);
    Place(Label4, 360, 8);
    Place(Edit1, 320, 32, 201, 20);
    Place(StringGrid1, 0, 64, 793, 161);
    Place(Label2, 152, 248);
    Place(Button1, 256, 240, 97, 25);
    const int statusHeight = StatusBar1->sizeHint().height();
    Place(StatusBar1, 0, height() - statusHeight, width(), statusHeight);

    // Fields are read back by column position, so field columns stay put.
    grid_.SetColCount(CustomerGridCols);
    grid_.SetRowCount(CustomerGridRowsAsCreated);
    WriteCustomerTitles(grid_);
    grid_.SetColWidth(0, 40);
}

void TForm3::FormActivate() {
    customerlist entries = note_.customer_ma_lo;
    SelectedIndex = note_.int_customer_no;
    std::int32_t shown = SelectedIndex;
    grid_.SetColCount(CustomerGridCols);
    if (!entries.empty()) {
        grid_.SetRowCount(static_cast<int>(entries.size()) + 1);
        FillCustomerGrid(grid_, entries);
        FitColumnWidths();
    }
    if (OfferCurrentCustomer(entries, CurrentCustomerName(window_),
                             [this] { return AskAddition(); })) {
        // The entry the user has just agreed to add is the one meant.
        shown = static_cast<std::int32_t>(entries.size()) - 1;
        SelectedIndex = shown;
        grid_.SetRowCount(static_cast<int>(entries.size()) + 1);
        FillCustomerGrid(grid_, entries);
        FitColumnWidths();
    }
    RefreshNameList();
    SetNameBoxText(entries.empty() ? std::string()
                                   : entries[ValidIndex(shown, entries.size())].name);
}

std::string TForm3::AddEntryLine() {
    return AddCustomerRow(grid_);
}

customerlist TForm3::ReadCustomerGrid() const {
    return registers::ReadCustomerGrid(grid_);
}
