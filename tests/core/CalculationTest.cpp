#include "Calculation.h"
#include "Cp932.h"
#include "MemoryWindow.h"

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
