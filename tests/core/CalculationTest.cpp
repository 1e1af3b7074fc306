#include "Calculation.h"
#include "Cp932.h"
#include "MemoryWindow.h"
#include "Transfer.h"

#include <gtest/gtest.h>

namespace {

struct Sheet {
    MemoryWindow w;
    Sheet() { w.ApplyStartupTexts("2007"); }
    void Line(int row, const std::string& quantity, const std::string& price,
              const std::string& amount = "") {
        w.SetCell(col::Quantity, row, quantity);
        w.SetCell(col::UnitPrice, row, price);
        w.SetCell(col::Amount, row, amount);
    }
    std::string Amount(int row) const { return w.Cell(col::Amount, row); }
    std::string F(int n) const { return w.Field(n); }
};

} // namespace

TEST(Calculation, WorkedExampleInBothModes) {
    Sheet s;
    s.Line(1, "3", "333");
    calc::Recalculate(s.w);
    EXPECT_EQ(s.Amount(1), "999");
    EXPECT_EQ(s.F(field::AmountTotal), "999");
    EXPECT_EQ(s.F(field::Tax), "49");
    EXPECT_EQ(s.F(field::TaxInclusiveTotal), "1048");
    EXPECT_EQ(s.F(field::QuantityTotal), "3");

    s.w.SetTaxMode(1);
    calc::Recalculate(s.w);
    EXPECT_EQ(s.Amount(1), "1048");
    EXPECT_EQ(s.F(field::AmountTotal), "1048");
    EXPECT_EQ(s.F(field::Tax), "49");
    EXPECT_EQ(s.F(field::TaxInclusiveTotal), "1048");
}

TEST(Calculation, LineAmounts) {
    Sheet s;
    s.Line(1, "abc", "100", "77"); // both cells filled: amount 0
    s.Line(2, "2", "1,000", "5");  // grouped price reads as 0
    s.Line(3, "2", "12.5");        // decimal price reads as 0
    s.Line(4, "1.5", "333");       // floor(499.5 + 0.001)
    s.Line(5, "-2", "150");
    s.Line(6, "-1.5", "333"); // floor toward minus infinity
    s.Line(7, " ", "10");     // a single space counts as filled
    calc::Recalculate(s.w);
    EXPECT_EQ(s.Amount(1), "0");
    EXPECT_EQ(s.Amount(2), "0");
    EXPECT_EQ(s.Amount(3), "0");
    EXPECT_EQ(s.Amount(4), "499");
    EXPECT_EQ(s.Amount(5), "-300");
    EXPECT_EQ(s.Amount(6), "-500");
    EXPECT_EQ(s.Amount(7), "0");
}

TEST(Calculation, TypedAmountsWithoutQuantityOrPrice) {
    Sheet s;
    s.Line(1, "", "100", "700"); // unit price only: kept in mode 0, counted
    s.Line(2, "", "", "300");
    calc::Recalculate(s.w);
    EXPECT_EQ(s.Amount(1), "700");
    EXPECT_EQ(s.F(field::AmountTotal), "1000");
    EXPECT_EQ(s.w.Status(), "");

    s.w.SetTaxMode(1);
    calc::Recalculate(s.w);
    EXPECT_EQ(s.w.Status(), S("数量　単価欄がなく、税込み欄の記入のものが2個みつかりました\n"
                              "税金計算は内税にておこないます"));
    EXPECT_EQ(s.F(field::TaxInclusiveTotal), "1000");
    EXPECT_EQ(s.F(field::Tax), "47"); // 1000 * 5 / 105
}

TEST(Calculation, StatusKeptWhenNothingToReport) {
    Sheet s;
    s.w.SetStatus("before");
    s.w.SetTaxMode(1);
    s.Line(1, "1", "100");
    calc::Recalculate(s.w);
    EXPECT_EQ(s.w.Status(), "before");
}

TEST(Calculation, Totals) {
    Sheet s;
    calc::Recalculate(s.w);
    EXPECT_EQ(s.F(field::AmountTotal), "0");
    EXPECT_EQ(s.F(field::Tax), "0");
    EXPECT_EQ(s.F(field::TaxInclusiveTotal), "0");
    EXPECT_EQ(s.F(field::QuantityTotal), "0");

    s.Line(1, "1.5", "");
    s.Line(2, "2", "");
    calc::Recalculate(s.w);
    EXPECT_EQ(s.F(field::QuantityTotal), "3.5");
}

TEST(Calculation, RateField) {
    Sheet s;
    s.Line(1, "1", "1000");
    s.w.SetField(field::TaxRate, "abc");
    calc::Recalculate(s.w);
    EXPECT_EQ(s.F(field::Tax), "50");
    EXPECT_EQ(s.F(field::TaxRate), "abc");
    s.w.SetField(field::TaxRate, "10");
    calc::Recalculate(s.w);
    EXPECT_EQ(s.F(field::Tax), "100");
    EXPECT_EQ(s.F(field::TaxInclusiveTotal), "1100");
}

TEST(Calculation, AmountsBeyondThirtyTwoBitsStillCount) {
    Sheet s;
    s.Line(1, "3", "2000000000"); // 6000000000: written in full
    s.Line(2, "1", "1000");
    calc::Recalculate(s.w);
    EXPECT_EQ(s.Amount(1), "6000000000");
    EXPECT_EQ(s.F(field::AmountTotal), "6000001000");
    EXPECT_EQ(s.F(field::Tax), "300000050");
    EXPECT_EQ(s.F(field::TaxInclusiveTotal), "6300001050");
}

TEST(Calculation, WholeAmountsAreWrittenSoTheTotalCountsWhatTheGridShows) {
    Sheet s;
    s.Line(1, "1000000", "2000000000"); // 2E15 in floating-point text
    s.Line(2, "1000003", "2000000001"); // sixteen digits
    calc::Recalculate(s.w);
    EXPECT_EQ(s.Amount(1), "2000000000000000");
    EXPECT_EQ(s.Amount(2), "2000006001000003");
    EXPECT_EQ(s.F(field::AmountTotal), "4000006001000003");
}

TEST(Calculation, TotalReadsAnAmountAsTheSavedLineDoes) {
    Sheet s;
    s.Line(1, "", "", "$FFFFFFFF");
    s.Line(2, "", "", "100");
    calc::Recalculate(s.w);
    EXPECT_EQ(s.F(field::AmountTotal), "99");
    hinmokumap lines;
    transfer::GridToLines(s.w, lines);
    EXPECT_EQ(lines.at(1).price, -1);
    EXPECT_EQ(lines.at(2).price, 100);
}

TEST(Calculation, TaxInclusiveRateOfMinusHundredGivesNoTax) {
    EXPECT_EQ(calc::TaxOf(1000, 1, -100), 0);
    Sheet s;
    s.w.SetTaxMode(1);
    s.w.SetField(field::TaxRate, "-100");
    s.Line(1, "1", "1000");
    calc::Recalculate(s.w);
    EXPECT_EQ(s.F(field::Tax), "0");
    EXPECT_EQ(calc::TaxOf(-999, 0, 5), -49); // truncation toward zero
}

// Products that binary floating point holds just below a whole number are
// rounded up by the small allowance before the floor: 0.29 × 100 is 29 and
// 1.15 × 100 is the base 115, not 28 and 114.
TEST(Calculation, ProductsJustBelowAWholeNumberCountAsWhole) {
    Sheet s;
    s.Line(1, "0.29", "100");
    s.Line(2, "1.15", "100");
    calc::Recalculate(s.w);
    EXPECT_EQ(s.Amount(1), "29");
    EXPECT_EQ(s.Amount(2), "115");

    s.w.SetTaxMode(1);
    s.Line(1, "1.15", "100");
    s.Line(2, "", "");
    calc::Recalculate(s.w);
    // base 115, tax floor(5 × 115 / 100) = 5.
    EXPECT_EQ(s.Amount(1), "120");
}

// Sums and taxes that leave 64 bits stop at its ends instead of wrapping
// round to the other sign.
TEST(Calculation, TotalsBeyondSixtyFourBitsStopAtItsEnds) {
    Sheet s;
    s.Line(1, "", "", "9223372036854775807");
    s.Line(2, "", "", "9223372036854775807");
    EXPECT_EQ(calc::SumAmounts(s.w), INT64_MAX);
    s.Line(1, "", "", "-9223372036854775808");
    s.Line(2, "", "", "-1");
    EXPECT_EQ(calc::SumAmounts(s.w), INT64_MIN);

    EXPECT_EQ(calc::TaxOf(INT64_MAX, 0, 200), INT64_MAX);
    EXPECT_EQ(calc::TaxOf(INT64_MIN, 0, 200), INT64_MIN);
    EXPECT_EQ(calc::TaxOf(INT64_MAX, 1, -99), INT64_MIN); // divided by 1
    EXPECT_EQ(calc::TaxOf(INT64_MIN, 1, -99), INT64_MAX);
    s.Line(1, "", "", "9223372036854775807");
    s.Line(2, "", "", "");
    calc::Recalculate(s.w);
    EXPECT_EQ(s.F(field::TaxInclusiveTotal), "9223372036854775807");
    EXPECT_EQ(s.F(field::Tax), "461168601842738790");
}

namespace {

// Two 10 % lines of 3 x 333 and a reduced-rate line of 2 x 1,080.
struct ReducedSheet : Sheet {
    explicit ReducedSheet(int mode) {
        w.SetTaxMode(mode);
        w.SetField(field::TaxRate, "10");
        w.SetField(field::ReducedRate, "8");
        Item(1, S("ボルト"), "3", "333");
        Item(2, S("ナット"), "3", "333");
        Item(3, S("※お茶"), "2", "1080");
    }
    void Item(int row, const std::string& name, const std::string& quantity,
              const std::string& price) {
        w.SetCell(col::Name, row, name);
        Line(row, quantity, price);
    }
};

} // namespace

TEST(CalculationPerRate, TaxTakenOncePerRateInBothModes) {
    ReducedSheet exclusive(0);
    calc::Recalculate(exclusive.w);
    EXPECT_EQ(exclusive.Amount(1), "999");
    EXPECT_EQ(exclusive.Amount(3), "2160");
    EXPECT_EQ(exclusive.F(field::AmountTotal), "4158");
    // 1998 x 10 / 100 = 199.8 and 2160 x 8 / 100 = 172.8, each cut once:
    // 371 (the lines' taxes cut one by one would give 99 + 99 + 172 = 370).
    EXPECT_EQ(exclusive.F(field::Tax), "371");
    EXPECT_EQ(exclusive.F(field::TaxInclusiveTotal), "4529");
    EXPECT_EQ(exclusive.w.RateBreakdown(), (RateTotals{{10, 1998, 199}, {8, 2160, 172}}));

    ReducedSheet inclusive(1);
    calc::Recalculate(inclusive.w);
    // Line taxes at each line's own rate: 999 + 99, 2160 + 172.
    EXPECT_EQ(inclusive.Amount(1), "1098");
    EXPECT_EQ(inclusive.Amount(2), "1098");
    EXPECT_EQ(inclusive.Amount(3), "2332");
    // 2196 x 10 / 110 = 199.6; 2332 x 8 / 108 = 172.7.
    EXPECT_EQ(inclusive.w.RateBreakdown(), (RateTotals{{10, 2196, 199}, {8, 2332, 172}}));
    EXPECT_EQ(inclusive.F(field::AmountTotal), "4528");
    EXPECT_EQ(inclusive.F(field::Tax), "371");
    EXPECT_EQ(inclusive.F(field::TaxInclusiveTotal), "4528");
}

TEST(CalculationPerRate, NegativeLinesTruncateTowardZero) {
    ReducedSheet s(0);
    s.Item(3, S("※返品"), "-1", "1080");
    s.Item(4, S("※お茶"), "1", "500");
    calc::Recalculate(s.w);
    EXPECT_EQ(s.Amount(3), "-1080");
    // 1998 -> 199; -580 x 8 / 100 = -46.4 -> -46 (not -47).
    EXPECT_EQ(s.w.RateBreakdown(), (RateTotals{{10, 1998, 199}, {8, -580, -46}}));
    EXPECT_EQ(s.F(field::AmountTotal), "1418");
    EXPECT_EQ(s.F(field::Tax), "153");
    EXPECT_EQ(s.F(field::TaxInclusiveTotal), "1571");

    s.w.SetTaxMode(1);
    s.Item(1, S("値引き"), "-1", "999");
    s.Item(2, "", "", "");
    calc::Recalculate(s.w);
    // -999 + floor(-99.9 + 0.0001) = -1099; -1080 + floor(-86.4 + 0.0001) =
    // -1167; 500 + 40 = 540.
    EXPECT_EQ(s.Amount(1), "-1099");
    EXPECT_EQ(s.Amount(3), "-1167");
    EXPECT_EQ(s.Amount(4), "540");
    // -1099 x 10 / 110 = -99.9 -> -99; -627 x 8 / 108 = -46.4 -> -46.
    EXPECT_EQ(s.w.RateBreakdown(), (RateTotals{{10, -1099, -99}, {8, -627, -46}}));
    EXPECT_EQ(s.F(field::Tax), "-145");
    EXPECT_EQ(s.F(field::TaxInclusiveTotal), "-1726");
}

TEST(CalculationPerRate, RateFieldsThatAreNotIntegersGiveTheirDefaults) {
    ReducedSheet s(0);
    s.w.SetField(field::TaxRate, "10.0");
    s.w.SetField(field::ReducedRate, "x");
    calc::Recalculate(s.w);
    // 1998 at 5 %: 99.9 -> 99; 2160 at 8 %: 172.
    EXPECT_EQ(s.w.RateBreakdown(), (RateTotals{{8, 2160, 172}, {5, 1998, 99}}));
    EXPECT_EQ(s.F(field::Tax), "271");
    EXPECT_EQ(s.F(field::TaxRate), "10.0");
    EXPECT_EQ(s.F(field::ReducedRate), "x");
}

TEST(CalculationPerRate, WhichLinesCountAndEqualRatesMerge) {
    ReducedSheet s(0);
    // A mark inside the name is not a mark; a name of the mark alone is a
    // line of the reduced rate even without an amount.
    s.Item(2, S("お茶※"), "3", "333");
    s.Item(3, S("お茶"), "2", "1080");
    s.Item(5, S("※"), "", "");
    s.w.SetCell(col::Remarks, 6, S("備考"));
    calc::Recalculate(s.w);
    EXPECT_EQ(s.w.RateBreakdown(), (RateTotals{{10, 4158, 415}, {8, 0, 0}}));

    // Only reduced-rate lines: one rate (the row with remarks alone is no
    // line of the standard rate).
    s.Item(1, S("※a"), "3", "333");
    s.Item(2, S("※b"), "3", "333");
    s.Item(3, S("※c"), "2", "1080");
    calc::Recalculate(s.w);
    EXPECT_EQ(s.w.RateBreakdown(), (RateTotals{{8, 4158, 332}}));

    // Both fields at 8: the two kinds of line are one rate, taxed once.
    s.Item(1, S("ボルト"), "3", "333");
    s.w.SetField(field::TaxRate, "8");
    calc::Recalculate(s.w);
    EXPECT_EQ(s.w.RateBreakdown(), (RateTotals{{8, 4158, 332}}));
    EXPECT_EQ(s.F(field::Tax), "332");

    // Without marks the breakdown is empty again and the tax the old one.
    s.Item(2, S("b"), "3", "333");
    s.Item(3, S("お茶"), "2", "1080");
    s.Item(5, "", "", "");
    s.w.SetField(field::TaxRate, "10");
    calc::Recalculate(s.w);
    EXPECT_TRUE(s.w.RateBreakdown().empty());
    EXPECT_EQ(s.F(field::Tax), "415");
    EXPECT_EQ(s.F(field::TaxInclusiveTotal), "4573");
}

TEST(CalculationPerRate, NotesWithoutMarksIgnoreTheReducedRate) {
    // The reduced rate field plays no part for a note without marks, even
    // a rate of -100 that would divide by zero.
    Sheet s;
    s.w.SetTaxMode(1);
    s.w.SetField(field::ReducedRate, "-100");
    s.Line(1, "3", "333");
    calc::Recalculate(s.w);
    EXPECT_EQ(s.Amount(1), "1048");
    EXPECT_EQ(s.F(field::Tax), "49");

    s.w.SetCell(col::Name, 2, S("※"));
    s.Line(2, "", "", "100");
    calc::Recalculate(s.w);
    EXPECT_EQ(s.w.RateBreakdown(), (RateTotals{{5, 1048, 49}, {-100, 100, 0}}));
    EXPECT_EQ(s.F(field::Tax), "49");
    EXPECT_EQ(s.F(field::TaxInclusiveTotal), "1148");
}
