// The customer register dialog driven through the command that opens it.
#include "CustomerRegister.h"
#include "DialogTestTools.h"
#include "ModalDriver.h"
#include "RegisterCommands.h"
#include "RegisterSelection.h"
#include "Unit3.h"

#include "Cp932.h"
#include "MemoryWindow.h"
#include "QtText.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <gtest/gtest.h>

using namespace registers;
using dialogtest::ClickCell;
using dialogtest::Retype;
using qttext::Q;

namespace {

customer Customer(const std::string& name) {
    return customer(name, "r-" + name, "z", "a1", "a2", "m", 3);
}

bool Ready(TForm3& dialog) {
    return dialog.Activated();
}

std::string Status(const TForm3& dialog) {
    return qttext::ToCp932(dialog.StatusBar1->currentMessage());
}

class CustomerDialog : public ::testing::Test {
protected:
    void Register(customerlist entries, int chosen) {
        note.customer_ma_lo = std::move(entries);
        note.int_customer_no = chosen;
        ApplySelectedCustomer(window, note);
        window.SetField(field::Suffix, S("御中"));
    }
    void Run() { RunCustomerRegister(nullptr, note, window); }

    NoteContainers note;
    MemoryWindow window;
    ModalDriver driver;
};

} // namespace

TEST_F(CustomerDialog, AnEmptyCustomerNameAsksNothingAndClosingShowsTheChosenName) {
    Register({Customer("A"), Customer(S("佐藤商事"))}, 1);
    window.SetField(field::CustomerName, "");

    driver.On<TForm3>(
        [](TForm3& d) {
            EXPECT_EQ(d.windowTitle(), "Customer");
            EXPECT_EQ(d.Grid().RowCount(), 3);
            EXPECT_EQ(d.Grid().ColCount(), CustomerGridCols);
            EXPECT_EQ(d.Grid().Cell(0, 2), "2");
            EXPECT_EQ(d.Grid().Cell(7, 0), S("顧客管理番号"));
            EXPECT_EQ(d.ComboBox1->currentText(), Q("佐藤商事"));
            EXPECT_EQ(d.Grid().ColWidth(0), 40);
            // "佐藤商事" is 8 bytes: 9 * 8 * 0.72 = 51.84, the floor.
            EXPECT_GE(d.Grid().ColWidth(1), 51);
            dialogtest::ExpectEveryTextWhole(d);
            EXPECT_FALSE(d.StringGrid1->horizontalHeader()->sectionsMovable());
        },
        Ready);
    driver.Close<TForm3>();
    Run();

    ASSERT_TRUE(driver.Finished());
    EXPECT_TRUE(driver.Questions().isEmpty());
    EXPECT_EQ(note.customer_ma_lo.size(), 2u);
    EXPECT_EQ(window.Field(field::CustomerName), S("佐藤商事"));
    EXPECT_EQ(window.Field(field::Suffix), S("御中"));
}

TEST_F(CustomerDialog, YesAppendsAPlaceholderRowAndChoosesIt) {
    Register({Customer("A"), Customer("B")}, 0);
    window.SetField(field::CustomerName, S("新規様"));

    driver.Answer(QMessageBox::Yes);
    driver.On<TForm3>(
        [](TForm3& d) {
            EXPECT_EQ(d.Grid().RowCount(), 4);
            EXPECT_EQ(d.Grid().Cell(0, 3), "3");
            EXPECT_EQ(d.Grid().Cell(3, 3), "XXX-XXXX");
            EXPECT_EQ(d.ComboBox1->currentText(), Q("新規様"));
            EXPECT_EQ(d.SelectedIndex, 2);
        },
        Ready);
    driver.Close<TForm3>();
    Run();

    ASSERT_TRUE(driver.Finished());
    EXPECT_EQ(driver.Questions().size(), 1);
    ASSERT_EQ(note.customer_ma_lo.size(), 3u);
    EXPECT_EQ(note.customer_ma_lo[2], CustomerCandidate(S("新規様")));
    EXPECT_EQ(note.int_customer_no, 2);
    EXPECT_EQ(window.Field(field::CustomerName), S("新規様"));
}

TEST_F(CustomerDialog, AddRowAndSelectByCellEdits) {
    Register({Customer("A")}, 0);

    driver.On<TForm3>(
        [](TForm3& d) {
            QTest::mouseClick(d.Button1, Qt::LeftButton);
            EXPECT_EQ(Status(d), "add itiretu");
            EXPECT_EQ(d.Grid().RowCount(), 3);
            QTest::mouseClick(d.Button1, Qt::LeftButton);
            EXPECT_EQ(Status(d), "no name");
            EXPECT_EQ(d.Grid().RowCount(), 3);

            ClickCell(d, 1, 2);
            EXPECT_EQ(d.Edit2->text(), Q("列:1 行:2"));
            dialogtest::Commit(d.Edit1, Q("田中"));
            ClickCell(d, 7, 2);
            Retype(d.Edit1, "12a");
            EXPECT_EQ(d.ComboBox1->count(), 2) << "the click refreshed the names";
            Retype(d.ComboBox1->lineEdit(), Q("田"));
            EXPECT_EQ(Status(d), S("1を選択"));
        },
        Ready);
    driver.Close<TForm3>();
    Run();

    ASSERT_TRUE(driver.Finished());
    ASSERT_EQ(note.customer_ma_lo.size(), 2u);
    EXPECT_EQ(note.customer_ma_lo[1], customer(S("田中"), "", "", "", "", "", 0));
    EXPECT_EQ(note.int_customer_no, 1);
    EXPECT_EQ(window.Field(field::CustomerName), S("田中"));
}

TEST_F(CustomerDialog, ClearingNames) {
    Register({Customer("A"), Customer("B")}, 1);

    driver.On<TForm3>(
        [](TForm3& d) {
            ClickCell(d, 1, 1);
            Retype(d.Edit1, "");
        },
        Ready);
    driver.Close<TForm3>();
    Run();
    ASSERT_TRUE(driver.Finished());
    EXPECT_EQ(note.customer_ma_lo, (customerlist{Customer("B")}));
    EXPECT_EQ(note.int_customer_no, 0) << "position 1 is past the end now";
    EXPECT_EQ(window.Field(field::CustomerName), "B");

    window.SetField(field::CustomerName, "");
    driver.On<TForm3>(
        [](TForm3& d) {
            ClickCell(d, 1, 1);
            Retype(d.Edit1, "");
        },
        Ready);
    driver.Close<TForm3>();
    Run();
    ASSERT_TRUE(driver.Finished());
    EXPECT_EQ(note.customer_ma_lo, (customerlist{Customer("B")}));
    EXPECT_EQ(window.Field(field::CustomerName), "") << "nothing applied";
}

TEST_F(CustomerDialog, AnEmptyRegisterShowsEmptyRows) {
    window.SetField(field::CustomerName, "someone");
    driver.On<TForm3>(
        [](TForm3& d) {
            EXPECT_EQ(d.Grid().RowCount(), CustomerGridRowsAsCreated);
            EXPECT_EQ(d.ComboBox1->currentText(), "");
            EXPECT_EQ(d.ComboBox1->count(), CustomerGridRowsAsCreated - 1);
        },
        Ready);
    driver.Close<TForm3>();
    Run();
    ASSERT_TRUE(driver.Finished());
    EXPECT_TRUE(driver.Questions().isEmpty());
    EXPECT_TRUE(note.customer_ma_lo.empty());
    EXPECT_EQ(window.Field(field::CustomerName), "someone");
}
