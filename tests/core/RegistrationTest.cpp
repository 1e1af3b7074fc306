#include "Registration.h"

#include "Cp932.h"
#include "MemoryWindow.h"
#include "Transfer.h"

#include <gtest/gtest.h>

using namespace registration;

namespace {

owner Issuer(const std::string& name, std::int32_t number = 1001, const std::string& tele = "03") {
    return owner(name, "", "000-0000", "addr", "", "", number, tele, "bank", "acct");
}

} // namespace

TEST(Registration, WellFormedIsTAndThirteenDigits) {
    EXPECT_TRUE(IsWellFormed("T1234567890123"));
    EXPECT_TRUE(IsWellFormed("T0000000000000"));
    for (const std::string bad :
         {"", "T", "T123456789012", "T12345678901234", "t1234567890123", "1234567890123",
          "T12345678901a3", " T1234567890123", "T1234567890123 ", "T-234567890123"}) {
        EXPECT_FALSE(IsWellFormed(bad)) << bad;
    }
    EXPECT_FALSE(IsWellFormed(S("Ｔ1234567890123")));
    EXPECT_FALSE(IsWellFormed(S("T１２３４５６７８９０１２３")));
}

TEST(Registration, SideFileNumbersAttachOnlyToTheSameIssuer) {
    // The side file knows A, B and C; another program has since changed
    // A's telephone, renamed B and removed C, and added D.
    const ownerlist keyed{Issuer("A"), Issuer("B"), Issuer("C")};
    const wordlist numbers{"T1000000000001", "T2000000000002", "T3000000000003"};
    const ownerlist now{Issuer("D"), Issuer("A", 1001, "04"), Issuer("B2"), Issuer("A")};
    EXPECT_EQ(MatchNumbers(now, keyed, numbers), (wordlist{"", "", "", "T1000000000001"}));
    // Same issuers in another order (columns dragged elsewhere).
    EXPECT_EQ(MatchNumbers({Issuer("C"), Issuer("A")}, keyed, numbers),
              (wordlist{"T3000000000003", "T1000000000001"}));
    // The issuer's number (ownerno) is part of who it is.
    EXPECT_EQ(MatchNumbers({Issuer("A", 1002)}, keyed, numbers), wordlist{""});
    // Two identical issuers take the stored numbers in order, once each.
    EXPECT_EQ(MatchNumbers({Issuer("X"), Issuer("X"), Issuer("X")}, {Issuer("X"), Issuer("X")},
                           {"T1", "T2"}),
              (wordlist{"T1", "T2", ""}));
    // Fewer numbers than issuers in a damaged file: the rest have none.
    EXPECT_EQ(MatchNumbers({Issuer("A"), Issuer("B")}, keyed, {"T1"}), (wordlist{"T1", ""}));
    EXPECT_TRUE(MatchNumbers({}, keyed, numbers).empty());
}

TEST(Registration, WindowShowsTheNumberOfTheOpenedIssuer) {
    NoteContainers note;
    note.owner_ma_lo = {Issuer("A"), Issuer("B"), Issuer("B", 1002)};
    note.owner_touroku = {"T1", "T2", "T3"};
    MemoryWindow w;
    w.ApplyStartupTexts("d");
    // An opened note: the entry equal in every field, else the first of
    // the name, else none.
    EXPECT_EQ(NumberForIssuer(note, Issuer("B", 1002)), "T3");
    EXPECT_EQ(NumberForIssuer(note, Issuer("B", 7)), "T2");
    EXPECT_EQ(NumberForIssuer(note, Issuer("Z")), "");
    EXPECT_EQ(NumberAt(note, -1), "");
    EXPECT_EQ(NumberAt(note, 3), "");
    {
        // Numbers beyond the register belong to no issuer.
        NoteContainers shorter = note;
        shorter.owner_ma_lo.resize(1);
        EXPECT_EQ(NumberAt(shorter, 0), "T1");
        EXPECT_EQ(NumberAt(shorter, 1), "");
    }

    note.basedata_load = {basedata("d", "", "", 0, 0, 1, 5)};
    note.owner_load = {Issuer("B", 1002)};
    note.customer_load = {customer()};
    transfer::RecordsToWindow(w, note);
    EXPECT_EQ(w.Field(field::Registration), "T3");
    note.owner_load = {Issuer("Z")};
    transfer::RecordsToWindow(w, note);
    EXPECT_EQ(w.Field(field::Registration), "") << "a number of another issuer is cleared";
}

TEST(Registration, WarningNamesTheFirstMalformedNumber) {
    const ownerlist issuers{Issuer("A"), Issuer("B"), Issuer("C")};
    EXPECT_EQ(MalformedWarning(issuers, {"T1234567890123", "", "T1234567890123"}), "");
    EXPECT_EQ(MalformedWarning(issuers, {"", "T12", "x"}),
              S("登録番号がT+13桁ではありません: ") + "B T12");
    EXPECT_EQ(MalformedWarning(issuers, {}), "");
}
