// The product register dialog driven through the command that opens it.
#include "DialogTestTools.h"
#include "ModalDriver.h"
#include "RegisterCommands.h"
#include "Unit4.h"

#include "Cp932.h"
#include "QtText.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <gtest/gtest.h>

using qttext::Q;

namespace {

void ClickWord(QListWidget* list, int row) {
    const QRect rect = list->visualItemRect(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, rect.center());
}

class ProductDialog : public ::testing::Test {
protected:
    void SetUp() override {
        note.menuitem1 = {"A", "B", "C"};
        note.menuitem2 = {S("仕様1"), S("仕様2"), S("仕様3")};
        note.menuitem3 = {S("個"), S("本")};
    }
    void Run() { registers::RunProductRegister(nullptr, note); }

    NoteContainers note;
    ModalDriver driver;
};

} // namespace

TEST_F(ProductDialog, EditingMovesTheNewTextToTheEnd) {
    driver.On<TForm4>([](TForm4& d) {
        EXPECT_EQ(d.windowTitle(), "Goods");
        EXPECT_EQ(d.ListBox2->count(), 3);
        ClickWord(d.ListBox1, 0);
        EXPECT_EQ(d.ActiveList(), 1);
        EXPECT_EQ(d.ActiveIndex(), 0);
        EXPECT_EQ(d.Edit1->text(), "A") << "the chosen word is put into its edit";
        dialogtest::Retype(d.Edit1, "X");
        dialogtest::Commit(d.Edit3, Q("箱"));
        QTest::mouseClick(d.Button2, Qt::LeftButton);
        EXPECT_EQ(d.ReadWordList(1), (wordlist{"B", "C", "X"}));
        EXPECT_TRUE(d.Edit1->text().isEmpty());
        EXPECT_TRUE(d.Edit3->text().isEmpty());
        QTest::mouseClick(d.Button2, Qt::LeftButton);
        EXPECT_EQ(d.ReadWordList(1), (wordlist{"B", "C", "X"})) << "a second press does nothing";
    });
    driver.Close<TForm4>();
    Run();

    ASSERT_TRUE(driver.Finished());
    EXPECT_EQ(note.menuitem1, (wordlist{"B", "C", "X"}));
    EXPECT_EQ(note.menuitem3, (wordlist{S("個"), S("本")}));
}

TEST_F(ProductDialog, EditingTheUnitListTwiceDoesNotEatAnotherWord) {
    driver.On<TForm4>([](TForm4& d) {
        ClickWord(d.ListBox3, 0);
        EXPECT_EQ(d.ActiveList(), 3);
        dialogtest::Retype(d.Edit3, Q("箱"));
        QTest::mouseClick(d.Button2, Qt::LeftButton);
        QTest::mouseClick(d.Button2, Qt::LeftButton);
    });
    driver.Close<TForm4>();
    Run();

    ASSERT_TRUE(driver.Finished());
    EXPECT_EQ(note.menuitem3, (wordlist{S("本"), S("箱")}));
}

TEST_F(ProductDialog, PressingDeleteTwiceRemovesTheFirstTwoWords) {
    driver.On<TForm4>([](TForm4& d) {
        ClickWord(d.ListBox2, 0);
        EXPECT_EQ(d.Edit2->text(), Q("仕様1"));
        QTest::mouseClick(d.Button3, Qt::LeftButton);
        EXPECT_TRUE(d.Edit2->text().isEmpty());
        QTest::mouseClick(d.Button3, Qt::LeftButton);
    });
    driver.Close<TForm4>();
    Run();

    ASSERT_TRUE(driver.Finished());
    EXPECT_EQ(note.menuitem2, (wordlist{S("仕様3")}));
    EXPECT_EQ(note.menuitem1, (wordlist{"A", "B", "C"}));
}

TEST_F(ProductDialog, AWordChosenWithTheKeysIsTheOneDeleted) {
    driver.On<TForm4>([](TForm4& d) {
        ClickWord(d.ListBox1, 0);
        QTest::keyClick(d.ListBox1, Qt::Key_Down);
        EXPECT_EQ(d.ActiveIndex(), 1);
        QTest::mouseClick(d.Button3, Qt::LeftButton);
        EXPECT_EQ(d.ActiveIndex(), 1) << "the choice stays after the list was redrawn";
    });
    driver.Close<TForm4>();
    Run();

    ASSERT_TRUE(driver.Finished());
    EXPECT_EQ(note.menuitem1, (wordlist{"A", "C"}));
}

TEST_F(ProductDialog, AddTakesEveryFilledEditAndEmptiesAll) {
    driver.On<TForm4>([](TForm4& d) {
        dialogtest::Commit(d.Edit1, Q("新品目"));
        dialogtest::Commit(d.Edit3, Q("枚"));
        QTest::mouseClick(d.Button1, Qt::LeftButton);
        EXPECT_TRUE(d.Edit1->text().isEmpty());
        EXPECT_TRUE(d.Edit3->text().isEmpty());
    });
    driver.Close<TForm4>();
    Run();

    ASSERT_TRUE(driver.Finished());
    EXPECT_EQ(note.menuitem1, (wordlist{"A", "B", "C", S("新品目")}));
    EXPECT_EQ(note.menuitem2.size(), 3u);
    EXPECT_EQ(note.menuitem3, (wordlist{S("個"), S("本"), S("枚")}));
}

TEST_F(ProductDialog, AnEmptiedListIsStoredEmpty) {
    driver.On<TForm4>([](TForm4& d) {
        ClickWord(d.ListBox3, 0);
        for (int i = 0; i < 3; ++i) {
            QTest::mouseClick(d.Button3, Qt::LeftButton);
        }
        EXPECT_EQ(d.ListBox3->count(), 0);
    });
    driver.Close<TForm4>();
    Run();

    ASSERT_TRUE(driver.Finished());
    EXPECT_TRUE(note.menuitem3.empty());
    EXPECT_EQ(note.menuitem1.size(), 3u);
}

TEST_F(ProductDialog, EnteringAListClearsTheOtherSelections) {
    driver.On<TForm4>([](TForm4& d) {
        ClickWord(d.ListBox1, 1);
        ClickWord(d.ListBox2, 1);
        EXPECT_TRUE(d.ListBox1->selectedItems().isEmpty());
        EXPECT_EQ(d.ActiveList(), 2);
        EXPECT_EQ(d.ActiveIndex(), 1);
        ClickWord(d.ListBox1, 2);
        EXPECT_TRUE(d.ListBox2->selectedItems().isEmpty());
        ClickWord(d.ListBox2, 0);
        ClickWord(d.ListBox3, 1);
        EXPECT_TRUE(d.ListBox1->selectedItems().isEmpty());
        EXPECT_TRUE(d.ListBox2->selectedItems().isEmpty());
        EXPECT_EQ(d.ActiveList(), 3);
        EXPECT_EQ(d.Edit3->text(), Q("本"));
        EXPECT_EQ(d.Edit2->text(), Q("仕様1")) << "the other edits keep their words";
    });
    driver.Close<TForm4>();
    Run();
    ASSERT_TRUE(driver.Finished());
}
