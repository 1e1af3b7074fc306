#include "PrintTexts.h"
#include "Cp932.h"

#include <gtest/gtest.h>

using namespace printing;

TEST(PrintTexts, GroupDigitsEveryThreeCharactersLeftOfThePoint) {
    EXPECT_EQ(GroupDigits("1234567", 3, ','), "1,234,567");
    EXPECT_EQ(GroupDigits("123456", 3, ','), "123,456");
    EXPECT_EQ(GroupDigits("1000000", 3, ','), "1,000,000");
    EXPECT_EQ(GroupDigits("123", 3, ','), "123");
    EXPECT_EQ(GroupDigits("12", 3, ','), "12");
    EXPECT_EQ(GroupDigits("", 3, ','), "");
    EXPECT_EQ(GroupDigits("1234.56", 3, ','), "1,234.56");
    EXPECT_EQ(GroupDigits("1234.5678", 3, ','), "1,234.5678");
    EXPECT_EQ(GroupDigits("123.4567", 3, ','), "123.4567");
    // Characters are counted, not digits.
    EXPECT_EQ(GroupDigits("abcd", 3, ','), "a,bcd");
    EXPECT_EQ(GroupDigits("12345", 2, '\''), "1'23'45");
}

TEST(PrintTexts, GroupDigitsLeavesTheSignAndDoubleByteCharactersWhole) {
    EXPECT_EQ(GroupDigits("-123456", 3, ','), "-123,456");
    EXPECT_EQ(GroupDigits("-123", 3, ','), "-123");
    EXPECT_EQ(GroupDigits("-1234.5", 3, ','), "-1,234.5");
    EXPECT_EQ(GroupDigits("+1234", 3, ','), "+1,234");
    // Four full-width digits: the separator goes between characters.
    EXPECT_EQ(GroupDigits(S("１２３４"), 3, ','), S("１,２３４"));
    EXPECT_EQ(GroupDigits("1234", 0, ','), "1234");
    EXPECT_EQ(GroupDigits("1234", -3, ','), "1234");
}

TEST(PrintTexts, YenAmount) {
    EXPECT_EQ(YenAmount("1234567"), "\\1,234,567");
    EXPECT_EQ(YenAmount("123"), "\\123");
    EXPECT_EQ(YenAmount("0"), "\\0");
    EXPECT_EQ(YenAmount(""), "");
}

TEST(PrintTexts, FirstLineAndTheRest) {
    EXPECT_EQ(FirstLineOf("one\ntwo\nthree"), "one");
    EXPECT_EQ(TextAfterFirstLine("one\ntwo\nthree"), "two\nthree");
    EXPECT_EQ(FirstLineOf("single"), "single");
    EXPECT_EQ(TextAfterFirstLine("single"), "single");
    EXPECT_EQ(FirstLineOf("\nx"), "");
    EXPECT_EQ(TextAfterFirstLine("x\n"), "");
    EXPECT_EQ(FirstLineOf(""), "");
}

TEST(PrintTexts, MulDivRoundsHalvesAwayFromZero) {
    EXPECT_EQ(MulDiv(14, 600, 72), 117); // 116.67
    EXPECT_EQ(MulDiv(10, 600, 72), 83);  // 83.33
    EXPECT_EQ(MulDiv(3, 300, 72), 13);   // 12.5
    EXPECT_EQ(MulDiv(-3, 300, 72), -13);
    EXPECT_EQ(MulDiv(1, 300, 600), 1); // 0.5
    EXPECT_EQ(MulDiv(150, 1200, 600), 300);
    EXPECT_EQ(MulDiv(5, 7, 0), -1);
    EXPECT_EQ(MulDiv(2000000000, 2000000000, 1), -1);
    EXPECT_EQ(MulDiv(2000000000, 2000000000, 2000000000), 2000000000);
}
