#include "CustomerRegister.h"

#include "Cp932.h"
#include "MemoryWindow.h"

#include <gtest/gtest.h>

using namespace registers;

namespace {

customer Customer(const std::string& name, std::int32_t number = 0) {
    return customer(name, "r", "z", "a1", "a2", "m", number);
}

} // namespace

TEST(CustomerRegister, GridRoundTripAndRowRules) {
    MemoryGrid grid(CustomerGridCols, 4);
    WriteCustomerTitles(grid);
    EXPECT_EQ(grid.Cell(1, 0), S("顧客名"));
    EXPECT_EQ(grid.Cell(7, 0), S("顧客管理番号"));
    const customerlist entries{Customer(S("佐藤様"), 4), Customer("B", 5), Customer("C")};
    FillCustomerGrid(grid, entries);
    EXPECT_EQ(grid.Cell(0, 3), "3");
    EXPECT_EQ(grid.Cell(7, 1), "4");
    EXPECT_EQ(ReadCustomerGrid(grid), entries);

    grid.SetCell(1, 2, "");
    grid.SetCell(7, 3, "12a");
    const customerlist read = ReadCustomerGrid(grid);
    ASSERT_EQ(read.size(), 2u);
    EXPECT_EQ(read[1].name, "C");
    EXPECT_EQ(read[1].customerno_, 0);
}

TEST(CustomerRegister, AddRowOnlyAfterANamedLastRow) {
    MemoryGrid grid(CustomerGridCols, CustomerGridRowsAsCreated);
    EXPECT_EQ(AddCustomerRow(grid), "no name");
    EXPECT_EQ(grid.RowCount(), CustomerGridRowsAsCreated);
    grid.SetCell(1, 4, "D");
    EXPECT_EQ(AddCustomerRow(grid), "add itiretu");
    EXPECT_EQ(grid.RowCount(), CustomerGridRowsAsCreated + 1);
    EXPECT_EQ(grid.Cell(0, 5), "");
}

TEST(CustomerRegister, OfferNeverAsksForAnEmptyNameAndUsesPlaceholders) {
    int asked = 0;
    const auto yes = [&] { return ++asked, true; };
    customerlist entries{Customer("A")};
    EXPECT_FALSE(OfferCurrentCustomer(entries, "", yes));
    EXPECT_FALSE(OfferCurrentCustomer(entries, "A", yes));
    customerlist none;
    EXPECT_FALSE(OfferCurrentCustomer(none, "N", yes));
    EXPECT_EQ(asked, 0);

    EXPECT_FALSE(OfferCurrentCustomer(entries, "N", [&] { return ++asked, false; }));
    EXPECT_TRUE(OfferCurrentCustomer(entries, "N", yes));
    EXPECT_EQ(asked, 2);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[1], customer("N", "XX", "XXX-XXXX", "XX", "XX", "XX@XX", 0));
}

TEST(CustomerRegister, TakingBackShowsOnlyTheName) {
    NoteContainers note;
    note.customer_ma_lo = {Customer("A")};
    MemoryWindow window;
    window.SetField(field::CustomerName, "typed");
    window.SetField(field::Suffix, S("御中"));

    TakeCustomerRegister(note, window, {}, 0);
    EXPECT_EQ(window.Field(field::CustomerName), "typed");
    EXPECT_EQ(note.customer_ma_lo.size(), 1u);

    TakeCustomerRegister(note, window, {Customer("X"), Customer("Y")}, 1);
    EXPECT_EQ(note.int_customer_no, 1);
    EXPECT_EQ(window.Field(field::CustomerName), "Y");
    EXPECT_EQ(window.Field(field::Suffix), S("御中"));
    EXPECT_EQ(CurrentCustomerName(window), "Y");

    TakeCustomerRegister(note, window, {Customer("Z")}, 1);
    EXPECT_EQ(note.int_customer_no, 0);
    EXPECT_EQ(window.Field(field::CustomerName), "Z");
}
