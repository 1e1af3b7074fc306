#include "Transfer.h"
#include "Cp932.h"
#include "MemoryWindow.h"

#include <gtest/gtest.h>

#include <tuple>

using namespace transfer;

namespace {

MemoryWindow Window() {
    MemoryWindow w;
    w.ApplyStartupTexts(S("2007年7月5日"));
    return w;
}

} // namespace

TEST(Transfer, HeaderFromWindow) {
    MemoryWindow w = Window();
    basedatalist list;
    w.SetField(field::Date, "");
    WindowToHeader(w, list);
    EXPECT_TRUE(list.empty());

    w.SetField(field::Date, S("2007年7月5日"));
    w.SetField(field::Suffix, "");
    w.SetField(field::Number, "");
    w.SetTaxMode(7);
    WindowToHeader(w, list);
    ASSERT_EQ(list.size(), 1u);
    // childcount 2 marks zeiritu as the rate field's integer.
    EXPECT_EQ(list[0], basedata(S("2007年7月5日"), S("様"), "0001", 0, 0, 2, 5));
    EXPECT_EQ(w.Field(field::Suffix), S("様"));
    EXPECT_EQ(w.Field(field::Number), "0001");

    w.SetField(field::TaxRate, "10");
    WindowToHeader(w, list);
    EXPECT_EQ(list[0].zeiritu, 10);
    EXPECT_EQ(list[0].childcount, 2);
    w.SetField(field::TaxRate, "8%");
    WindowToHeader(w, list);
    EXPECT_EQ(list[0].zeiritu, 5); // the rate the note computes with

    basedatav2list_t v2;
    w.SetTaxMode(1);
    WindowToHeader04(w, v2);
    ASSERT_EQ(v2.size(), 1u);
    EXPECT_EQ(v2[0].zeiflag, 1);
}

TEST(Transfer, IssuerAndCustomerKeepTheirHiddenFields) {
    MemoryWindow w = Window();
    ownerlist owners{owner("old", "roma", "z", "a", "a2", "m@x", 1001, "t", "b", "b2")};
    w.SetField(field::IssuerName, "A");
    w.SetField(field::IssuerTele, "03");
    WindowToIssuer(w, owners);
    ASSERT_EQ(owners.size(), 1u);
    EXPECT_EQ(owners[0], owner("A", "roma", "", "", "", "m@x", 1001, "03", "", ""));

    owners = {owner("x", "", "", "", "", "", -3, "", "", "")};
    WindowToIssuer(w, owners);
    EXPECT_EQ(owners[0].ownerno, 0);

    customerlist customers{customer("old", "r", "z", "a", "a2", "m", 10001)};
    w.SetField(field::CustomerName, "");
    WindowToCustomer(w, customers);
    EXPECT_EQ(customers[0].name, "old");
    w.SetField(field::CustomerName, std::string("B\0tail", 6));
    WindowToCustomer(w, customers);
    EXPECT_EQ(customers[0], customer("B", "r", "z", "a", "a2", "m", 10001));
}

TEST(Transfer, GridToLinesSkipsRowsWithOnlyRemarks) {
    MemoryWindow w = Window();
    w.SetCell(col::Name, 1, "n");
    w.SetCell(col::Quantity, 1, "1.5");
    w.SetCell(col::UnitPrice, 1, "1,000");
    w.SetCell(col::Amount, 1, "12");
    w.SetCell(col::Remarks, 2, "only remarks");
    w.SetCell(col::Unit, 20, "u");
    hinmokumap lines{{9, hinmoku()}};
    GridToLines(w, lines);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines.at(1), hinmoku(1, "n", "", 1.5, "", 0, 12, ""));
    EXPECT_EQ(lines.at(20).tani, "u");
}

// A row holding nothing but an amount (a typed total) is a line of the note.
TEST(Transfer, GridToLinesKeepsARowWithOnlyAnAmount) {
    MemoryWindow w = Window();
    w.SetCell(col::Amount, 3, "500");
    hinmokumap lines;
    GridToLines(w, lines);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines.at(3), hinmoku(3, "", "", 0, "", 0, 500, ""));
}

TEST(Transfer, RecordsToWindowAndBack) {
    MemoryWindow w = Window();
    NoteContainers note;
    note.basedata_load = {basedata("d", "s", "n", 5, 0, 1, 5)};
    note.owner_load = {owner("A", "r", "z", "a", "a2", "m", 1, "t", "b", "b2")};
    note.customer_load = {customer("B", "", "", "", "", "", 2)};
    note.hinmokulist_load = {{1, hinmoku(1, "k", "s", 0, "u", 0, 0, "t")},
                             {2, hinmoku(2, "k2", "", 2.5, "", 100, 250, "")},
                             {0, hinmoku(0, "out", "", 1, "", 1, 1, "")},
                             {21, hinmoku(21, "out", "", 1, "", 1, 1, "")}};
    w.SetCell(col::Quantity, 1, "keep");
    w.SetTaxMode(1);
    RecordsToWindow(w, note);
    EXPECT_EQ(w.Field(field::Date), "d");
    EXPECT_EQ(w.Field(field::CustomerName), "B");
    EXPECT_EQ(w.Field(field::IssuerName), "A");
    EXPECT_EQ(w.Field(field::IssuerBank2), "b2");
    EXPECT_EQ(w.Field(field::Number), "n");
    EXPECT_EQ(w.Field(field::Suffix), "s");
    EXPECT_EQ(w.TaxMode(), 0);                   // zeiflag 5 reads as 0
    EXPECT_EQ(w.Cell(col::Quantity, 1), "keep"); // zero quantity leaves the cell
    EXPECT_EQ(w.Cell(col::Remarks, 1), "t");
    EXPECT_EQ(w.Cell(col::Quantity, 2), "2.5");
    EXPECT_EQ(w.Cell(col::UnitPrice, 2), "100");
    EXPECT_EQ(w.Cell(col::Amount, 2), "250");
    EXPECT_EQ(w.Cell(col::Name, 0), S("名称")); // row 0 untouched

    ClearGridData(w);
    EXPECT_EQ(w.Cell(col::Name, 2), "");
    EXPECT_EQ(w.Cell(col::RowNumber, 2), "2");
}

TEST(Transfer, RateComesBackOnlyFromNotesThatKeepIt) {
    NoteContainers note;
    note.owner_load = {owner()};
    note.customer_load = {customer()};
    for (const auto& [childcount, zeiritu, shown] :
         {std::tuple{2, 10, "10"}, {2, 0, "0"}, {1, 10, "7"}, {0, 8, "7"}, {3, 8, "7"}}) {
        MemoryWindow w = Window();
        w.SetField(field::TaxRate, "7");
        note.basedata_load = {basedata("d", "", "", 0, 0, childcount, zeiritu)};
        RecordsToWindow(w, note);
        EXPECT_EQ(w.Field(field::TaxRate), shown) << childcount << " " << zeiritu;
    }
}
