// The issuer register dialog driven as a user would, through the command
// that opens it, with the main window's texts in a MemoryWindow.
#include "DialogTestTools.h"
#include "IssuerRegister.h"
#include "ModalDriver.h"
#include "RegisterCommands.h"
#include "RegisterSelection.h"
#include "Unit2.h"

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
using qttext::FromCp932;
using qttext::Q;

namespace {

owner Issuer(const std::string& name) {
    return owner(name, "roma", "zip-" + name, "addr-" + name, "bldg-" + name, "mail", 5,
                 "tel-" + name, "bank-" + name, "acct-" + name);
}

bool Ready(TForm2& dialog) {
    return dialog.Activated();
}

std::string Status(const TForm2& dialog) {
    return qttext::ToCp932(dialog.StatusBar1->currentMessage());
}

class IssuerDialog : public ::testing::Test {
protected:
    void Register(ownerlist entries, int chosen) {
        note.owner_ma_lo = std::move(entries);
        note.int_owner_no = chosen;
        ApplySelectedIssuer(window, note);
    }
    void Run() { RunIssuerRegister(nullptr, note, window); }

    NoteContainers note;
    MemoryWindow window;
    ModalDriver driver;
};

} // namespace

TEST_F(IssuerDialog, ClosingUntouchedKeepsRegisterAndRewritesIssuerFields) {
    Register({Issuer("Alpha"), Issuer(S("ベータ商店"))}, 1);
    window.SetField(field::IssuerAddress, "typed over in the main window");
    const ownerlist before = note.owner_ma_lo;

    driver.On<TForm2>(
        [](TForm2& d) {
            EXPECT_EQ(d.windowTitle(), "Owner");
            EXPECT_EQ(d.Grid().ColCount(), 3);
            EXPECT_EQ(d.Grid().Cell(2, 0), "2");
            EXPECT_EQ(d.Grid().Cell(0, 4), S("住所(番地まで)"));
            EXPECT_EQ(d.ComboBox1->count(), 2);
            EXPECT_EQ(d.ComboBox1->currentText(), Q("ベータ商店"));
            EXPECT_EQ(d.SelectedIndex, 1);
            EXPECT_TRUE(d.StatusBar1->currentMessage().isEmpty());
            // "acct-Alpha" (10 bytes) is the longest text of column 1: 63
            // pixels are the floor; 所有者管理番号 needs more than 80.
            EXPECT_GT(d.Grid().ColWidth(0), 80);
            EXPECT_GE(d.Grid().ColWidth(1), 63);
            dialogtest::ExpectEveryTextWhole(d);
        },
        Ready);
    driver.Close<TForm2>();
    Run();

    ASSERT_TRUE(driver.Finished());
    EXPECT_TRUE(driver.Questions().isEmpty());
    EXPECT_EQ(note.owner_ma_lo, before);
    EXPECT_EQ(note.int_owner_no, 1);
    EXPECT_EQ(window.Field(field::IssuerAddress), "addr-" + S("ベータ商店"));
}

TEST_F(IssuerDialog, YesAppendsTheWindowsIssuerAndChoosesIt) {
    Register({Issuer("A"), Issuer("B")}, 0);
    window.SetField(field::IssuerName, S("新会社"));
    window.SetField(field::IssuerTele, "099");

    driver.Answer(QMessageBox::Yes);
    driver.On<TForm2>(
        [](TForm2& d) {
            EXPECT_EQ(d.Grid().ColCount(), 4);
            EXPECT_EQ(d.Grid().Cell(3, 0), "3");
            EXPECT_EQ(d.Grid().Cell(3, 1), S("新会社"));
            EXPECT_EQ(d.Grid().Cell(3, 2), "") << "no romanised name in the main window";
            EXPECT_EQ(d.Grid().Cell(3, 10), "0");
            EXPECT_EQ(d.ComboBox1->currentText(), Q("新会社"));
            EXPECT_EQ(d.SelectedIndex, 2);
        },
        Ready);
    driver.Close<TForm2>();
    Run();

    ASSERT_TRUE(driver.Finished());
    ASSERT_EQ(driver.Questions().size(), 1);
    EXPECT_EQ(driver.Questions()[0], Q("データが編集されてます\n追加しますか"));
    ASSERT_EQ(note.owner_ma_lo.size(), 3u);
    EXPECT_EQ(note.owner_ma_lo[2], owner(S("新会社"), "", "zip-A", "addr-A", "bldg-A", "", 0, "099",
                                         "bank-A", "acct-A"));
    EXPECT_EQ(note.int_owner_no, 2);
    EXPECT_EQ(window.Field(field::IssuerName), S("新会社"));
    EXPECT_EQ(window.Field(field::IssuerTele), "099");
    EXPECT_EQ(window.Field(field::IssuerZip), "zip-A") << "taken from the window, which showed A";
}

TEST_F(IssuerDialog, ChoosingTheAppendedNameSelectsIt) {
    Register({Issuer("A"), Issuer("B")}, 1);
    window.SetField(field::IssuerName, "New");

    driver.Answer(QMessageBox::Yes);
    driver.On<TForm2>(
        [](TForm2& d) {
            Retype(d.ComboBox1->lineEdit(), "New");
            EXPECT_EQ(Status(d), S("2を選択"));
            EXPECT_EQ(d.SelectedIndex, 2);
        },
        Ready);
    driver.Close<TForm2>();
    Run();

    ASSERT_TRUE(driver.Finished());
    EXPECT_EQ(note.int_owner_no, 2);
    EXPECT_EQ(window.Field(field::IssuerName), "New");
    EXPECT_EQ(window.Field(field::IssuerZip), "zip-B") << "the fields it took were B's";
}

TEST_F(IssuerDialog, NoAndCancelAppendNothing) {
    for (auto answer : {QMessageBox::No, QMessageBox::Cancel}) {
        Register({Issuer("A")}, 0);
        window.SetField(field::IssuerName, "");
        driver.Answer(answer);
        driver.On<TForm2>([](TForm2& d) { EXPECT_EQ(d.Grid().ColCount(), 2); }, Ready);
        driver.Close<TForm2>();
        Run();
        ASSERT_TRUE(driver.Finished());
        EXPECT_EQ(note.owner_ma_lo.size(), 1u);
        EXPECT_EQ(window.Field(field::IssuerName), "A");
    }
    EXPECT_EQ(driver.Questions().size(), 2) << "an empty issuer name is asked about too";
}

TEST_F(IssuerDialog, TheFirstNameContainingTheTextIsSelected) {
    Register({Issuer("ABC"), Issuer("B")}, 1);

    driver.On<TForm2>(
        [](TForm2& d) {
            EXPECT_EQ(d.ComboBox1->currentText(), "B");
            // Pick "B" from the list with the keyboard.
            d.ComboBox1->setFocus();
            d.ComboBox1->setCurrentIndex(0);
            QTest::keyClick(d.ComboBox1, Qt::Key_Down);
            EXPECT_EQ(d.ComboBox1->currentText(), "B");
            EXPECT_EQ(Status(d), S("0を選択"));
            EXPECT_EQ(d.SelectedIndex, 0);

            // A text no name contains changes nothing.
            Retype(d.ComboBox1->lineEdit(), "Z");
            EXPECT_EQ(Status(d), S("0を選択"));
            EXPECT_EQ(d.SelectedIndex, 0);
        },
        Ready);
    driver.Close<TForm2>();
    Run();

    ASSERT_TRUE(driver.Finished());
    EXPECT_EQ(note.int_owner_no, 0);
    EXPECT_EQ(window.Field(field::IssuerName), "ABC");
}

TEST_F(IssuerDialog, ClearedNamesAreDroppedAndAChosenPositionPastTheEndFallsBack) {
    Register({Issuer("A"), Issuer("B"), Issuer("C")}, 2);

    driver.On<TForm2>(
        [](TForm2& d) {
            ClickCell(d, 2, 1);
            EXPECT_EQ(d.EditCol, 2);
            EXPECT_EQ(d.EditRow, 1);
            EXPECT_EQ(d.Edit2->text(), Q("列:2 行:1"));
            EXPECT_EQ(d.Edit1->text(), "B");
            Retype(d.Edit1, "");
            EXPECT_EQ(d.Grid().Cell(2, 1), "");
            ClickCell(d, 3, 1);
            Retype(d.Edit1, "");
            EXPECT_EQ(d.ComboBox1->count(), 3);
        },
        Ready);
    driver.Close<TForm2>();
    Run();

    ASSERT_TRUE(driver.Finished());
    ASSERT_EQ(note.owner_ma_lo.size(), 1u);
    EXPECT_EQ(note.owner_ma_lo[0].name, "A");
    EXPECT_EQ(note.int_owner_no, 0);
    EXPECT_EQ(window.Field(field::IssuerName), "A");
}

TEST_F(IssuerDialog, ClearingEveryNameChangesNothing) {
    Register({Issuer("A"), Issuer("B")}, 1);
    window.SetField(field::IssuerBank, "typed");
    const ownerlist before = note.owner_ma_lo;

    driver.On<TForm2>(
        [](TForm2& d) {
            for (int col = 1; col <= 2; ++col) {
                ClickCell(d, col, 1);
                Retype(d.Edit1, "");
            }
        },
        Ready);
    driver.Close<TForm2>();
    Run();

    ASSERT_TRUE(driver.Finished());
    EXPECT_EQ(note.owner_ma_lo, before);
    EXPECT_EQ(note.int_owner_no, 1);
    EXPECT_EQ(window.Field(field::IssuerBank), "typed") << "nothing applied";
}

TEST_F(IssuerDialog, AddColumnNeedsANameInTheLastColumn) {
    Register({Issuer("A")}, 0);

    driver.On<TForm2>(
        [](TForm2& d) {
            QTest::mouseClick(d.Button1, Qt::LeftButton);
            EXPECT_EQ(Status(d), "add itiretu");
            EXPECT_EQ(d.Grid().ColCount(), 3);
            EXPECT_EQ(d.Grid().ColWidth(2), d.Grid().ColWidth(1));
            EXPECT_EQ(d.ComboBox1->count(), 2);
            QTest::mouseClick(d.Button1, Qt::LeftButton);
            EXPECT_EQ(Status(d), "no name");
            EXPECT_EQ(d.Grid().ColCount(), 3);

            ClickCell(d, 2, 1);
            dialogtest::Commit(d.Edit1, Q("二番目"));
            ClickCell(d, 2, 10);
            Retype(d.Edit1, "12a");
            QTest::keyClick(d.Edit1, Qt::Key_Return);
            EXPECT_EQ(d.Grid().ColCount(), 3) << "Return in the field adds no column";
        },
        Ready);
    driver.Close<TForm2>();
    Run();

    ASSERT_TRUE(driver.Finished());
    ASSERT_EQ(note.owner_ma_lo.size(), 2u);
    EXPECT_EQ(note.owner_ma_lo[1], owner(S("二番目"), "", "", "", "", "", 0, "", "", ""));
}

TEST_F(IssuerDialog, NumbersTypedInTheGridItself) {
    Register({Issuer("A"), Issuer("B")}, 0);

    driver.On<TForm2>(
        [](TForm2& d) {
            for (auto [col, text] : {std::pair{1, "12a"}, std::pair{2, "42"}}) {
                dialogtest::TypeIntoCell(d, col, 10, text);
            }
            EXPECT_EQ(d.Grid().Cell(1, 10), "12a");
            EXPECT_EQ(d.Grid().Cell(2, 10), "42");
        },
        Ready);
    driver.Close<TForm2>();
    Run();

    ASSERT_TRUE(driver.Finished());
    EXPECT_EQ(note.owner_ma_lo[0].ownerno, 0);
    EXPECT_EQ(note.owner_ma_lo[1].ownerno, 42);
}

TEST_F(IssuerDialog, ClosingWhileACellIsBeingEditedKeepsItsText) {
    Register({Issuer("A")}, 0);

    driver.On<TForm2>(
        [](TForm2& d) {
            ClickCell(d, 1, 7);
            QTest::keyClick(d.StringGrid1, Qt::Key_F2);
            QWidget* editor = QApplication::focusWidget();
            ASSERT_NE(editor, d.StringGrid1) << "F2 opens the cell editor";
            QTest::keyClick(editor, Qt::Key_End);
            QTest::keyClicks(editor, "-9");
        },
        Ready);
    driver.Close<TForm2>();
    Run();

    ASSERT_TRUE(driver.Finished());
    EXPECT_EQ(note.owner_ma_lo[0].tele, "tel-A-9");
    EXPECT_EQ(window.Field(field::IssuerTele), "tel-A-9");
}

TEST_F(IssuerDialog, ADraggedColumnKeepsItsPlace) {
    Register({Issuer("A"), Issuer("B"), Issuer("C")}, 0);

    driver.On<TForm2>(
        [](TForm2& d) {
            dialogtest::DragSection(d.StringGrid1->horizontalHeader(), 0, 2);
            EXPECT_EQ(EntryNames(d.Grid(), EntryAxis::Columns), (wordlist{"B", "C", "A"}));
            EXPECT_EQ(d.Grid().Cell(3, 0), "1") << "the number moves with its column";
            EXPECT_EQ(d.Grid().Cell(3, 4), "addr-A");
            ClickCell(d, 3, 1);
            EXPECT_EQ(d.Edit1->text(), "A");
        },
        Ready);
    driver.Close<TForm2>();
    Run();

    ASSERT_TRUE(driver.Finished());
    ASSERT_EQ(note.owner_ma_lo.size(), 3u);
    EXPECT_EQ(note.owner_ma_lo[0].name, "B");
    EXPECT_EQ(note.owner_ma_lo[2], Issuer("A"));
    EXPECT_EQ(window.Field(field::IssuerName), "B") << "position 0 is now B";
}

TEST_F(IssuerDialog, AnEmptyRegisterShowsAnEmptyGridAndStaysEmpty) {
    note.int_owner_no = 3;
    window.SetField(field::IssuerName, "typed");

    driver.On<TForm2>(
        [](TForm2& d) {
            EXPECT_EQ(d.Grid().ColCount(), 2);
            EXPECT_EQ(d.Grid().Cell(1, 1), "");
            EXPECT_EQ(d.ComboBox1->currentText(), "");
            QTest::mouseClick(d.Button1, Qt::LeftButton);
            EXPECT_EQ(Status(d), "no name");
        },
        Ready);
    driver.Close<TForm2>();
    Run();

    ASSERT_TRUE(driver.Finished());
    EXPECT_TRUE(driver.Questions().isEmpty());
    EXPECT_TRUE(note.owner_ma_lo.empty());
    EXPECT_EQ(window.Field(field::IssuerName), "typed");
}

TEST_F(IssuerDialog, RegistrationNumbersInTheirOwnRow) {
    Register({Issuer("A"), Issuer("B")}, 0);
    note.owner_touroku = {"T1000000000001", ""};
    // The main window shows an issuer of its own with a number.
    window.SetField(field::IssuerName, "New");
    window.SetField(field::Registration, "T3000000000003");

    driver.Answer(QMessageBox::Yes);
    driver.On<TForm2>(
        [](TForm2& d) {
            EXPECT_EQ(d.Grid().RowCount(), 12);
            EXPECT_EQ(d.Grid().Cell(0, 11), S("登録番号"));
            EXPECT_EQ(d.Grid().Cell(1, 11), "T1000000000001");
            EXPECT_EQ(d.Grid().Cell(2, 11), "");
            EXPECT_EQ(d.Grid().Cell(3, 11), "T3000000000003");
            dialogtest::TypeIntoCell(d, 2, 11, "T12");
            EXPECT_EQ(d.Grid().Cell(2, 11), "T12");
        },
        Ready);
    driver.Close<TForm2>();
    Run();

    ASSERT_TRUE(driver.Finished());
    EXPECT_EQ(note.owner_touroku, (wordlist{"T1000000000001", "T12", "T3000000000003"}));
    EXPECT_EQ(window.Field(field::Registration), "T3000000000003") << "the added issuer is chosen";
    EXPECT_EQ(window.Status(), S("登録番号がT+13桁ではありません: ") + "B T12");
}
