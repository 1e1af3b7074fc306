// Word entries of the context menus, and the window's side of the master
// file at start-up.
#include "GridTestSupport.h"
#include "MainWindowFixture.h"

#include "Cp932.h"
#include "MasterFile.h"
#include "MemoryWindow.h"
#include "QtText.h"

#include <QAction>
#include <QFile>
#include <QLineEdit>
#include <QMenu>

using qttext::Q;

namespace {

// Captions of a menu, a separator as "-".
QStringList Captions(const QMenu* menu) {
    QStringList result;
    for (const QAction* a : menu->actions()) {
        result << (a->isSeparator() ? QString("-") : a->text());
    }
    return result;
}

QAction* ItemCaptioned(QMenu* menu, const QString& caption) {
    for (QAction* a : menu->actions()) {
        if (a->text() == caption) {
            return a;
        }
    }
    return nullptr;
}

// The fixed items of a grid menu followed by `words`.
QStringList GridMenu(const QStringList& words) {
    return QStringList{Q("セル切り取り"), Q("セルコピー"), Q("コピー"), Q("ペースト")} + words;
}

// A master file written by the program itself, with `issuers` issuers.
void WriteMaster(int issuers, int chosen, wordlist words1) {
    NoteContainers data;
    for (int i = 1; i <= issuers; ++i) {
        data.owner_ma_lo.push_back(owner(
            S("発行者") + std::to_string(i), "", "100-000" + std::to_string(i),
            S("住所") + std::to_string(i), "", "", i, "03-0000-000" + std::to_string(i), "", ""));
    }
    data.int_owner_no = chosen;
    data.customer_ma_lo = {customer(S("顧客A"), "", "", "", "", "", 1),
                           customer(S("顧客B"), "", "", "", "", "", 2)};
    data.int_customer_no = 1;
    data.menuitem1 = std::move(words1);
    data.menuitem2 = {S("赤")};
    data.menuitem3 = {S("個"), S("箱")};
    MemoryWindow window;
    masterfile::SaveMasterFiles(data, window);
    ASSERT_TRUE(window.Messages().empty());
}

} // namespace

TEST_F(WindowTest, FirstRunOffersSampleWordsAndSuffixes) {
    TForm1& f = Start();
    EXPECT_EQ(Captions(f.PopupMenu1), GridMenu({"-", Q("品目1"), Q("品目2")}));
    EXPECT_EQ(Captions(f.PopupMenu2), GridMenu({"-", Q("仕様1"), Q("仕様2")}));
    EXPECT_EQ(Captions(f.PopupMenu3), GridMenu({"-", Q("単位1"), Q("単位2")}));
    EXPECT_EQ(Captions(f.PopupMenu4),
              (QStringList{Q("切り取り"), Q("コピー"), Q("貼り付け"), "-", Q("様"), Q("御中")}));
    EXPECT_EQ(Captions(f.PopupMenu5).size(), 4);
    EXPECT_EQ(f.Status(), "no masterfile then default data");
    // The sample issuer and customer are shown.
    const owner sample = masterfile::SampleIssuer();
    EXPECT_EQ(f.Field(6), sample.name);
    EXPECT_EQ(f.Field(3), sample.zipcode);
    EXPECT_EQ(f.Field(9), sample.bank2);
    EXPECT_EQ(f.Field(2), masterfile::SampleCustomer().name);
    ASSERT_EQ(f.Data.owner1.size(), 1u);
    EXPECT_EQ(f.Data.owner1[0].ownerno, 1001);
}

TEST_F(WindowTest, RebuildingFollowsChangedWordListsWithoutAccelerators) {
    TForm1& f = Start();
    f.Data.menuitem1 = {"A&B", S("ボルト")};
    f.Data.menuitem2.clear();
    f.RebuildWordMenus();
    f.RebuildWordMenus();
    EXPECT_EQ(Captions(f.PopupMenu1), GridMenu({"-", "A&&B", Q("ボルト")}));
    EXPECT_EQ(Captions(f.PopupMenu2), GridMenu({"-"}));
    EXPECT_EQ(Captions(f.PopupMenu4).size(), 6);
    // The word itself reaches the cell, '&' included.
    ClickCell(f.StringGrid1, 1, 3);
    ItemCaptioned(f.PopupMenu1, "A&&B")->trigger();
    EXPECT_EQ(f.Cell(1, 3), "A&B");
}

TEST_F(WindowTest, WordGoesIntoTheCellLastClickedOnly) {
    TForm1& f = Start();
    f.SetCell(1, 3, "old");
    ClickCell(f.StringGrid1, 1, 3);
    // The pointer elsewhere when the menu opens does not matter.
    QTest::mouseClick(f.StringGrid1->viewport(), Qt::RightButton, Qt::NoModifier,
                      CellPoint(f.StringGrid1, 1, 9).second);
    ItemCaptioned(f.PopupMenu1, Q("品目2"))->trigger();
    EXPECT_EQ(f.Cell(1, 3), S("品目2"));
    EXPECT_EQ(f.Cell(1, 9), "");
    EXPECT_EQ(f.Edited, 0);

    // After a click on the fixed row nothing is written.
    ClickCell(f.StringGrid1, 1, 0);
    ItemCaptioned(f.PopupMenu1, Q("品目1"))->trigger();
    EXPECT_EQ(f.Cell(1, 3), S("品目2"));
    for (int r = 1; r < f.RowCount(); ++r) {
        EXPECT_NE(f.Cell(1, r), S("品目1"));
    }
}

TEST_F(WindowTest, SuffixItemReplacesTheSuffixField) {
    TForm1& f = Start();
    f.Edit2->setText(Q("山田"));
    f.PopupComponent = f.Edit18;
    ItemCaptioned(f.PopupMenu4, Q("御中"))->trigger();
    EXPECT_EQ(f.Edit18->text(), Q("御中"));
    EXPECT_EQ(f.Edit2->text(), Q("山田"));
    // Opened for no edit field: the field keeps its text.
    f.PopupComponent = f.StringGrid1;
    ItemCaptioned(f.PopupMenu4, Q("様"))->trigger();
    EXPECT_EQ(f.Edit18->text(), Q("御中"));
}

TEST_F(WindowTest, MasterFileChoosesIssuerCustomerAndWords) {
    WriteMaster(3, 2, {S("ねじ")});
    TForm1& f = Start();
    EXPECT_EQ(f.Field(6), S("発行者3"));
    EXPECT_EQ(f.Field(3), "100-0003");
    EXPECT_EQ(f.Field(7), "03-0000-0003");
    EXPECT_EQ(f.Field(2), S("顧客B"));
    ASSERT_EQ(f.Data.owner1.size(), 1u);
    EXPECT_EQ(f.Data.owner1[0].name, S("発行者3"));
    EXPECT_EQ(f.Data.owner_ma_lo.size(), 3u);
    EXPECT_EQ(Captions(f.PopupMenu1), GridMenu({"-", Q("ねじ")}));
    EXPECT_EQ(Captions(f.PopupMenu3), GridMenu({"-", Q("個"), Q("箱")}));
    EXPECT_NE(f.Status(), "no masterfile then default data");
}

TEST_F(WindowTest, MasterFileWithEmptyFirstWordListLeavesItsMenuEmpty) {
    WriteMaster(1, 0, {});
    TForm1& f = Start();
    EXPECT_EQ(Captions(f.PopupMenu1), GridMenu({"-"}));
    EXPECT_EQ(Captions(f.PopupMenu2), GridMenu({"-", Q("赤")}));
}

TEST_F(WindowTest, UnreadableMasterFileIsReportedAndSampleDataShown) {
    QFile master(WorkDir() + "/master.xml");
    ASSERT_TRUE(master.open(QIODevice::WriteOnly));
    master.write("<?xml version=\"1.0\"?>\n<broken");
    master.close();
    ModalAnswerer answerer;
    TForm1& f = Start();
    ASSERT_EQ(answerer.Seen().size(), 1u);
    EXPECT_EQ(answerer.Seen()[0].title, Q("注意"));
    EXPECT_EQ(answerer.Seen()[0].text, Q("読み込めない形式です21"));
    EXPECT_EQ(f.Field(6), masterfile::SampleIssuer().name);
    EXPECT_EQ(f.Status(), "no masterfile then default data");
    EXPECT_EQ(Captions(f.PopupMenu1), GridMenu({"-", Q("品目1"), Q("品目2")}));
}

TEST_F(WindowTest, RegistersChangedDuringTheRunAreWrittenAtClose) {
    TForm1& f = Start();
    f.Data.menuitem3 = {S("枚")};
    CloseWindow();
    NoteContainers read;
    ownerlist issuers;
    customerlist customers;
    wordlist w1, w2, w3;
    MemoryWindow window;
    ASSERT_TRUE(
        masterfile::ReadMasterFile("master.xml", read, issuers, customers, w1, w2, w3, window));
    EXPECT_EQ(w3, wordlist{S("枚")});
    ASSERT_EQ(issuers.size(), 1u);
    EXPECT_EQ(issuers[0].ownerno, 1001);
}
