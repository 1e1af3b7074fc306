#include "NumberText.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <utility>
#include <vector>

using namespace numtext;

TEST(NumberText, IntegersAcceptedWithDefaults) {
    EXPECT_EQ(StrToIntDef("123", 7), 123);
    EXPECT_EQ(StrToIntDef("   -45", 7), -45);
    EXPECT_EQ(StrToIntDef("+8", 7), 8);
    EXPECT_EQ(StrToIntDef("$1F", 7), 31);
    EXPECT_EQ(StrToIntDef("0x10", 7), 16);
    EXPECT_EQ(StrToIntDef("-0x10", 7), -16);
    EXPECT_EQ(StrToIntDef("$FFFFFFFF", 7), -1);
    EXPECT_EQ(StrToIntDef("2147483647", 7), 2147483647);
    EXPECT_EQ(StrToIntDef("-2147483648", 7), INT32_MIN);
    EXPECT_EQ(StrToIntDef("007", 7), 7);
}

TEST(NumberText, IntegersRefusedGiveTheDefault) {
    for (const char* bad : {"", " ", "12 ", "1,000", "12.5", "abc", "12a", "-", "$", "0x",
                            "2147483648", "-2147483649", "$100000000", "\t5", "1e3"}) {
        EXPECT_EQ(StrToIntDef(bad, 5), 5) << '"' << bad << '"';
    }
    EXPECT_EQ(StrToInt64Def("2147483648", 0), 2147483648LL);
    EXPECT_EQ(StrToInt64Def("9223372036854775808", -1), -1);
}

TEST(NumberText, FloatReadsTheLongestLeadingNumber) {
    EXPECT_DOUBLE_EQ(StrToFloatPrefix("1.5"), 1.5);
    EXPECT_DOUBLE_EQ(StrToFloatPrefix("  -2.25kg"), -2.25);
    EXPECT_DOUBLE_EQ(StrToFloatPrefix("3e2"), 300);
    EXPECT_DOUBLE_EQ(StrToFloatPrefix("3e"), 3);
    EXPECT_DOUBLE_EQ(StrToFloatPrefix("3e+x"), 3);
    EXPECT_DOUBLE_EQ(StrToFloatPrefix(".5"), 0.5);
    EXPECT_DOUBLE_EQ(StrToFloatPrefix("5."), 5);
    EXPECT_DOUBLE_EQ(StrToFloatPrefix("1,000"), 1);
    EXPECT_DOUBLE_EQ(StrToFloatPrefix(""), 0);
    EXPECT_DOUBLE_EQ(StrToFloatPrefix("abc"), 0);
    EXPECT_DOUBLE_EQ(StrToFloatPrefix("."), 0);
    EXPECT_DOUBLE_EQ(StrToFloatPrefix("inf"), 0);
    EXPECT_DOUBLE_EQ(StrToFloatPrefix("0x10"), 0);
    EXPECT_DOUBLE_EQ(StrToFloatPrefix("1e999"), 0);
}

// A view of exactly its characters, with nothing after them to read: the
// reader stops at the view's end (the sanitizer build reports a byte read
// beyond it).
TEST(NumberText, FloatStopsAtTheEndOfAViewWithNothingAfterIt) {
    const std::pair<std::string, double> cases[] = {{"  ", 0},  {"-", 0},  {" +", 0},
                                                    {"12", 12}, {"1.", 1}, {"1e", 1}};
    for (const auto& [text, expected] : cases) {
        const std::vector<char> exact(text.begin(), text.end());
        EXPECT_DOUBLE_EQ(StrToFloatPrefix(std::string_view(exact.data(), exact.size())), expected)
            << text;
    }
}

TEST(NumberText, NumbersToText) {
    EXPECT_EQ(IntToStr(-42), "-42");
    EXPECT_EQ(FloatToStr(1500), "1500");
    EXPECT_EQ(FloatToStr(2.5), "2.5");
    EXPECT_EQ(FloatToStr(3), "3");
    EXPECT_EQ(FloatToStr(-0.0), "0");
    EXPECT_EQ(FloatToStr(0.1 + 0.2), "0.3");
    EXPECT_EQ(FloatToStr(2147483648.0), "2147483648");
    EXPECT_EQ(FloatToStr(123456789012345.0), "123456789012345");
    EXPECT_EQ(FloatToStr(1e15), "1E15");
    EXPECT_EQ(FloatToStr(1.5e-7), "1.5E-7");
}

TEST(NumberText, WholeValuesInPlainDigits) {
    EXPECT_EQ(WholeToStr(1500), "1500");
    EXPECT_EQ(WholeToStr(-0.0), "0");
    EXPECT_EQ(WholeToStr(2e15), "2000000000000000");
    EXPECT_EQ(WholeToStr(2000006001000003.0), "2000006001000003");
    EXPECT_EQ(WholeToStr(-9223372036854775808.0), "-9223372036854775808");
    // Beyond 64 bits, and anything not whole, as floating-point text.
    EXPECT_EQ(WholeToStr(9223372036854775808.0), "9.22337203685478E18");
    EXPECT_EQ(WholeToStr(2.5), "2.5");
    EXPECT_EQ(WholeToStr(1.0 / 0.0), "INF");
}

TEST(NumberText, AmountsReadDecimalsInSixtyFourBitsAndHexAsThirtyTwo) {
    EXPECT_EQ(StrToAmountDef("2000000000000000", 7), 2000000000000000);
    EXPECT_EQ(StrToAmountDef(" -12", 7), -12);
    EXPECT_EQ(StrToAmountDef("$FFFFFFFF", 7), -1);
    EXPECT_EQ(StrToAmountDef("-0x10", 7), -16);
    EXPECT_EQ(StrToAmountDef("$1FFFFFFFF", 7), 7);
    EXPECT_EQ(StrToAmountDef("0xFFFFFFFFFFFFFFFF", 7), 7);
    EXPECT_EQ(StrToAmountDef("$", 7), 7);
    EXPECT_EQ(StrToAmountDef("", 7), 7);
    EXPECT_EQ(StrToAmountDef("1E15", 7), 7);
    // Wherever the 32-bit rule of the records gives a number, the amount
    // rule gives the same one, so saved files stay as they were.
    for (const char* text : {"0", "2147483647", "-2147483648", "$80000000", "0x7fffffff", "-$1",
                             "+5", "  $ff", "$7FFFFFFF"}) {
        EXPECT_EQ(StrToAmountDef(text, 99), StrToIntDef(text, 99)) << text;
    }
}

// Only spaces may lead an integer; a quantity skips every kind of leading
// white space, tabs included.
TEST(NumberText, LeadingTabs) {
    EXPECT_EQ(StrToIntDef("\t5", 7), 7);
    EXPECT_EQ(StrToIntDef(" \t5", 7), 7);
    EXPECT_EQ(StrToIntDef("\t\t", 7), 7);
    EXPECT_EQ(StrToInt64Def("\t5", 7), 7);
    EXPECT_EQ(StrToIntDef("  5", 7), 5);
    EXPECT_DOUBLE_EQ(StrToFloatPrefix("\t\t12"), 12);
    EXPECT_DOUBLE_EQ(StrToFloatPrefix("\t -1.5"), -1.5);
}

// Hexadecimal digits in either case, the 0X prefix, the sign bit of 32- and
// 64-bit patterns, and an exponent written with a capital E.
TEST(NumberText, PrefixesDigitsAndSignBits) {
    EXPECT_EQ(StrToIntDef("$aF", 7), 175);
    EXPECT_EQ(StrToIntDef("$1G", 7), 7);
    EXPECT_EQ(StrToIntDef("$1g", 7), 7);
    EXPECT_EQ(StrToIntDef("0X1F", 7), 31);
    EXPECT_EQ(StrToIntDef("010", 7), 10);
    EXPECT_EQ(StrToIntDef("$40000000", 7), 1073741824);
    EXPECT_EQ(StrToIntDef("$80000000", 7), INT32_MIN);
    EXPECT_EQ(StrToInt64Def("$FFFFFFFFFFFFFFFF", 0), -1);
    EXPECT_EQ(StrToInt64Def("$7FFFFFFFFFFFFFFF", 0), INT64_MAX);
    EXPECT_DOUBLE_EQ(StrToFloatPrefix("2E2"), 200);
    EXPECT_DOUBLE_EQ(StrToFloatPrefix("2e-1"), 0.2);
}
