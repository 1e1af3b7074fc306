#include "Cp932.h"

#include <gtest/gtest.h>

using cp932::FromUtf8;
using cp932::LostCharacters;
using cp932::ToUtf8;

TEST(Cp932, RoundTripsWhatOfficesType) {
    const char* samples[] = {"①②⑳",     "㈱㈲",    "№",          "Ⅰ Ⅲ Ⅹ", "～",          "－",
                             "ｱｲｳｴｵﾞﾟ", "様 御中", "納品書(控)", "髙﨑",  "ABC abc 123", ""};
    for (const char* s : samples) {
        EXPECT_EQ(ToUtf8(FromUtf8(s)), s) << s;
    }
}

TEST(Cp932, KnownBytes) {
    EXPECT_EQ(FromUtf8("様"), "\x97\x6c");
    EXPECT_EQ(FromUtf8("①"), "\x87\x40");
    EXPECT_EQ(FromUtf8("ｱ"), "\xb1");
    EXPECT_EQ(FromUtf8("～"), "\x81\x60");
    // The JIS wave dash and minus sign that input methods produce.
    EXPECT_EQ(FromUtf8("\u301C"), "\x81\x60");
    EXPECT_EQ(FromUtf8("\u2212"), "\x81\x7c");
}

TEST(Cp932, ByteFiveCInsideAndOutsideDoubleByteCharacters) {
    // 表 is 0x95 0x5C: its trail byte is not a backslash.
    const std::string hyou = "\x95\x5c";
    EXPECT_EQ(ToUtf8(hyou), "表");
    EXPECT_EQ(FromUtf8("表"), hyou);
    // A lone 0x5C (the yen sign on a Japanese system) survives both ways.
    const std::string yen = "\x5c"
                            "100";
    EXPECT_EQ(FromUtf8(ToUtf8(yen)), yen);
    EXPECT_EQ(FromUtf8("\u00A5"), "\x5c");
    EXPECT_EQ(ToUtf8("\x95\x5c\x5c"), "表\\");
}

TEST(Cp932, UnconvertibleInputIsReplacedNotLost) {
    EXPECT_EQ(FromUtf8("a😀b"), "a?b");
    EXPECT_EQ(ToUtf8("a\x81"), "a\uFFFD"); // lead byte cut off at the end
    EXPECT_EQ(ToUtf8("\xa0x"), "\uFFFDx"); // not a CP932 byte
    EXPECT_EQ(FromUtf8("a\xff"
                       "b"),
              "a?b"); // not UTF-8
}

TEST(Cp932, LeadBytes) {
    EXPECT_TRUE(cp932::IsLeadByte(0x81));
    EXPECT_TRUE(cp932::IsLeadByte(0x9f));
    EXPECT_TRUE(cp932::IsLeadByte(0xe0));
    EXPECT_TRUE(cp932::IsLeadByte(0xfc));
    EXPECT_FALSE(cp932::IsLeadByte(0x80));
    EXPECT_FALSE(cp932::IsLeadByte(0xa0));
    EXPECT_FALSE(cp932::IsLeadByte(0xb1));
    EXPECT_FALSE(cp932::IsLeadByte(0x5c));
}

// Texts of ASCII alone take a short way round the converter; every ASCII
// byte must come out as the converter makes it beside a double-byte
// character.
TEST(Cp932, AsciiAloneAndBesideKanjiConvertAlike) {
    std::string ascii;
    for (int c = 1; c < 0x80; ++c) {
        ascii.push_back(static_cast<char>(c));
    }
    EXPECT_EQ(FromUtf8(ascii), ascii);
    EXPECT_EQ(ToUtf8(ascii), ascii);
    EXPECT_EQ(FromUtf8("様" + ascii), "\x97\x6c" + ascii);
    EXPECT_EQ(ToUtf8("\x97\x6c" + ascii), "様" + ascii);
    EXPECT_EQ(ToUtf8(std::string(3, '\0')), std::string(3, '\0'));
}

// Each JIS form that input methods produce, alone and between other text.
TEST(Cp932, EveryJisFormTakesItsCodePoint) {
    EXPECT_EQ(FromUtf8("\u00A2\u00A3\u00AC\u2014\u2016\u301C\u2212"),
              "\x81\x91\x81\x92\x81\xca\x81\x5c\x81\x61\x81\x60\x81\x7c");
    EXPECT_EQ(FromUtf8("a\u00A2b\u2212\u00E9"), "a\x81\x91"
                                                "b\x81\x7c?");
}

TEST(Cp932, LostCharactersAreThoseThatBecomeAQuestionMark) {
    EXPECT_EQ(LostCharacters("plain ASCII ?"), "");
    EXPECT_EQ(LostCharacters("山田商店 ～−‖"), "") << "JIS forms map to code points";
    EXPECT_EQ(LostCharacters("𠮷野"), "𠮷");
    EXPECT_EQ(LostCharacters("森鷗外"), "鷗");
    EXPECT_EQ(LostCharacters("剝離と𠮷と剝"), "剝𠮷") << "each once, in order";
    EXPECT_EQ(FromUtf8("森鷗外"), FromUtf8("森") + "?" + FromUtf8("外"));
    EXPECT_EQ(LostCharacters(std::string("a\xE3\x81", 3)), "\xE3\x81")
        << "a cut-off sequence is lost too";
}
