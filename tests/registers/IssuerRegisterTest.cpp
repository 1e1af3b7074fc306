#include "IssuerRegister.h"

#include "Cp932.h"
#include "MemoryWindow.h"

#include <gtest/gtest.h>

using namespace registers;

namespace {

owner Issuer(const std::string& name, std::int32_t number = 0) {
    return owner(name, "roma-" + name, "100-0001", "addr-" + name, "bldg", name + "@x", number,
                 "03-1111", "bank-" + name, "acct-" + name);
}

MemoryGrid IssuerGrid(int entries) {
    MemoryGrid grid(entries + 1, IssuerGridRows);
    WriteIssuerTitles(grid);
    return grid;
}

} // namespace

TEST(IssuerRegister, GridRoundTripKeepsEveryField) {
    const ownerlist entries{Issuer(S("山田商店"), 7), Issuer("B", -3)};
    MemoryGrid grid = IssuerGrid(2);
    FillIssuerGrid(grid, entries);
    EXPECT_EQ(grid.Cell(1, 0), "1");
    EXPECT_EQ(grid.Cell(2, 0), "2");
    EXPECT_EQ(grid.Cell(0, 10), S("所有者管理番号"));
    EXPECT_EQ(grid.Cell(2, 7), "03-1111") << "row 7 is the telephone";
    EXPECT_EQ(grid.Cell(2, 10), "-3");
    EXPECT_EQ(ReadIssuerGrid(grid), entries);
}

TEST(IssuerRegister, ReadingDropsNamelessColumnsAndReadsBadNumbersAsZero) {
    MemoryGrid grid = IssuerGrid(4);
    FillIssuerGrid(grid, {Issuer("A", 1), Issuer("B", 2), Issuer("C", 3)});
    grid.SetCell(2, 1, "");     // B cleared: dropped
    grid.SetCell(3, 10, "12a"); // not an integer
    grid.SetCell(4, 2, "only a roma, no name");
    const ownerlist read = ReadIssuerGrid(grid);
    ASSERT_EQ(read.size(), 2u);
    EXPECT_EQ(read[0].name, "A");
    EXPECT_EQ(read[0].ownerno, 1);
    EXPECT_EQ(read[1].name, "C");
    EXPECT_EQ(read[1].ownerno, 0);
    EXPECT_EQ(read[1].bank2, "acct-C");
}

TEST(IssuerRegister, AddColumnOnlyAfterANamedLastColumn) {
    MemoryGrid grid = IssuerGrid(1);
    EXPECT_EQ(AddIssuerColumn(grid), "no name");
    EXPECT_EQ(grid.ColCount(), 2);

    grid.SetCell(1, 1, "A");
    grid.SetCell(1, 0, "1");
    grid.SetColWidth(1, 99);
    EXPECT_EQ(AddIssuerColumn(grid), "add itiretu");
    ASSERT_EQ(grid.ColCount(), 3);
    EXPECT_EQ(grid.ColWidth(2), 99);
    EXPECT_EQ(grid.Cell(2, 0), "") << "the new column has no number";
    EXPECT_EQ(AddIssuerColumn(grid), "no name");
    EXPECT_EQ(grid.ColCount(), 3);
}

TEST(IssuerRegister, CurrentIssuerComesFromTheIssuerFields) {
    MemoryWindow window;
    for (int f = field::IssuerZip; f <= field::IssuerBank2; ++f) {
        window.SetField(f, "f" + std::to_string(f));
    }
    const owner current = CurrentIssuerFromWindow(window);
    EXPECT_EQ(current, owner("f6", "", "f3", "f4", "f5", "", 0, "f7", "f8", "f9"));
}

TEST(IssuerRegister, OfferAsksOnlyForANewNameInANonEmptyRegister) {
    int asked = 0;
    const auto yes = [&] { return ++asked, true; };
    const auto no = [&] { return ++asked, false; };

    ownerlist empty;
    EXPECT_FALSE(OfferCurrentIssuer(empty, Issuer("N"), yes));
    EXPECT_EQ(asked, 0);

    ownerlist entries{Issuer("ABC")};
    EXPECT_FALSE(OfferCurrentIssuer(entries, Issuer("ABC"), yes));
    EXPECT_EQ(asked, 0) << "an equal name asks nothing";

    EXPECT_FALSE(OfferCurrentIssuer(entries, Issuer("AB"), no))
        << "a name contained in another is still new";
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(entries.size(), 1u);

    EXPECT_TRUE(OfferCurrentIssuer(entries, Issuer(""), yes)) << "an empty name is asked too";
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[1].name, "");
}

TEST(IssuerRegister, TakingBackReplacesRegisterAndShowsTheChosenIssuer) {
    NoteContainers note;
    note.owner_ma_lo = {Issuer("A"), Issuer("B")};
    note.int_owner_no = 1;
    MemoryWindow window;
    window.SetField(field::IssuerName, "typed by the user");

    TakeIssuerRegister(note, window, {}, {}, 0);
    EXPECT_EQ(note.owner_ma_lo.size(), 2u) << "an empty grid changes nothing";
    EXPECT_EQ(note.int_owner_no, 1);
    EXPECT_EQ(window.Field(field::IssuerName), "typed by the user");

    TakeIssuerRegister(note, window, {Issuer("C"), Issuer("D"), Issuer("E")}, {}, 2);
    EXPECT_EQ(note.owner_ma_lo.size(), 3u);
    EXPECT_EQ(note.int_owner_no, 2);
    EXPECT_EQ(window.Field(field::IssuerName), "E");
    EXPECT_EQ(window.Field(field::IssuerBank2), "acct-E");

    TakeIssuerRegister(note, window, {Issuer("F")}, {}, 2);
    EXPECT_EQ(note.int_owner_no, 0) << "a position past the end falls back to the first";
    EXPECT_EQ(window.Field(field::IssuerName), "F");

    TakeIssuerRegister(note, window, {Issuer("G"), Issuer("H")}, {}, -1);
    EXPECT_EQ(note.int_owner_no, 0) << "a negative position falls back to the first";
}

TEST(IssuerRegister, RegistrationNumbersTravelWithTheirColumns) {
    MemoryGrid grid = IssuerGrid(3);
    FillIssuerGrid(grid, {Issuer("A"), Issuer("B"), Issuer("C")}, {"T1234567890123", "x"});
    EXPECT_EQ(grid.Cell(0, RegistrationRow), S("登録番号"));
    EXPECT_EQ(grid.Cell(1, RegistrationRow), "T1234567890123");
    EXPECT_EQ(grid.Cell(3, RegistrationRow), "") << "an issuer without a number";
    grid.SetCell(2, 1, ""); // B dropped: its number with it
    grid.SetCell(3, RegistrationRow, "T0000000000001");
    EXPECT_EQ(ReadIssuerNumbers(grid), (wordlist{"T1234567890123", "T0000000000001"}));

    NoteContainers note;
    note.owner_ma_lo = {Issuer("A")};
    note.owner_touroku = {"T1111111111111"};
    MemoryWindow window;
    window.SetStatus("before");
    TakeIssuerRegister(note, window, {Issuer("A"), Issuer("C")}, {"T1234567890123"}, 1);
    EXPECT_EQ(note.owner_touroku, (wordlist{"T1234567890123", ""}));
    EXPECT_EQ(window.Field(field::Registration), "");
    EXPECT_EQ(window.Status(), "before") << "well-formed or empty numbers warn of nothing";

    TakeIssuerRegister(note, window, {Issuer("A"), Issuer("C")},
                       {"T1234567890123", S("Ｔ1234567890123")}, 0);
    EXPECT_EQ(note.owner_touroku[1], S("Ｔ1234567890123")) << "kept as typed";
    EXPECT_EQ(window.Field(field::Registration), "T1234567890123");
    EXPECT_EQ(window.Status(), S("登録番号がT+13桁ではありません: ") + "C " + S("Ｔ1234567890123"));
}
