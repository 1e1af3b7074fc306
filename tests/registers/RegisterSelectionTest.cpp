#include "RegisterSelection.h"

#include "Cp932.h"
#include "MemoryWindow.h"

#include <gtest/gtest.h>

namespace {

MemoryWindow Window() {
    MemoryWindow w;
    w.ApplyStartupTexts(S("2007年7月5日"));
    return w;
}

owner Issuer(const std::string& name, std::int32_t number = 1001) {
    return owner(name, "", "000-0000", "addr", "", "", number, "03", "bank", "acct");
}

} // namespace

TEST(RegisterSelection, AppliesChosenEntriesAndDefaultWords) {
    MemoryWindow w = Window();
    NoteContainers note;
    registers::ApplySelectedIssuer(w, note); // empty register: nothing
    EXPECT_EQ(w.Field(field::IssuerName), "");
    note.owner_ma_lo = {owner("A", "", "z1", "", "", "", 1, "", "", ""),
                        owner("B", "", "z2", "ad", "ad2", "", 2, "t", "b", "b2")};
    note.int_owner_no = 1;
    registers::ApplySelectedIssuer(w, note);
    EXPECT_EQ(w.Field(field::IssuerName), "B");
    EXPECT_EQ(w.Field(field::IssuerZip), "z2");
    EXPECT_EQ(w.Field(field::IssuerBank2), "b2");
    note.int_owner_no = 7; // outside: the first entry
    registers::ApplySelectedIssuer(w, note);
    EXPECT_EQ(w.Field(field::IssuerName), "A");

    note.customer_ma_lo = {customer("C", "", "", "", "", "", 1)};
    w.SetField(field::Suffix, "x");
    registers::ApplySelectedCustomer(w, note);
    EXPECT_EQ(w.Field(field::CustomerName), "C");
    EXPECT_EQ(w.Field(field::Suffix), "x");

    note.menuitem2 = {"kept"};
    registers::SetDefaultWords(note);
    EXPECT_EQ(note.menuitem1, (wordlist{S("品目1"), S("品目2")}));
    EXPECT_EQ(note.menuitem2, wordlist{"kept"});
    EXPECT_EQ(note.menuitem3, (wordlist{S("単位1"), S("単位2")}));
}

TEST(RegisterSelection, ChosenIssuerShowsItsRegistrationNumber) {
    NoteContainers note;
    note.owner_ma_lo = {Issuer("A"), Issuer("B"), Issuer("B", 1002)};
    note.owner_touroku = {"T1", "T2", "T3"};
    MemoryWindow w = Window();
    note.int_owner_no = 1;
    registers::ApplySelectedIssuer(w, note);
    EXPECT_EQ(w.Field(field::Registration), "T2");
    note.int_owner_no = 9; // outside: the first entry
    registers::ApplySelectedIssuer(w, note);
    EXPECT_EQ(w.Field(field::Registration), "T1");
    note.owner_touroku.clear(); // numbers shorter than the register
    registers::ApplySelectedIssuer(w, note);
    EXPECT_EQ(w.Field(field::Registration), "");
}
