#include "Cp932.h"

#include <gtest/gtest.h>

#include <random>
#include <thread>
#include <vector>

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

// Well-formed texts of the basic plane are converted character by character
// from a table; anything else (here a stray byte) sends the whole text
// through the codec. Both must give the same bytes for every character.
TEST(Cp932, EveryBasicPlaneCharacterConvertsAsTheCodecDoes) {
    std::string every;
    for (char32_t c = 0x80; c <= 0xFFFF; ++c) {
        if (c >= 0xD800 && c <= 0xDFFF) {
            continue;
        }
        if (c < 0x800) {
            every += static_cast<char>(0xC0 | c >> 6);
        } else {
            every += static_cast<char>(0xE0 | c >> 12);
            every += static_cast<char>(0x80 | (c >> 6 & 0x3F));
        }
        every += static_cast<char>(0x80 | (c & 0x3F));
        every += 'a'; // keeps each character apart from the next in the bytes
    }
    const std::string fromTable = FromUtf8(every);
    const std::string throughCodec = FromUtf8(every + "\xFF");
    ASSERT_EQ(throughCodec.size(), fromTable.size() + 1);
    EXPECT_EQ(throughCodec.substr(0, fromTable.size()), fromTable);
    EXPECT_EQ(throughCodec.back(), '?');
}

TEST(Cp932, MalformedSequencesBecomeOneQuestionMarkEach) {
    EXPECT_EQ(FromUtf8("\xC0\xB1"
                       "漢"),
              "?" + FromUtf8("漢"))
        << "overlong form of '1'";
    EXPECT_EQ(FromUtf8("\xED\xA0\x80"
                       "漢"),
              "?" + FromUtf8("漢"))
        << "a surrogate";
    EXPECT_EQ(FromUtf8("漢\xE6\xBC"), FromUtf8("漢") + "?") << "cut off at the end";
    // Cut off where the text ends inside a longer buffer: the byte after it
    // is not the text's.
    const std::string buffer = "漢漢";
    EXPECT_EQ(FromUtf8(std::string_view(buffer).substr(0, buffer.size() - 1)), FromUtf8("漢") + "?")
        << "cut off inside a buffer";
    EXPECT_EQ(FromUtf8("\xF0\xA0\xAE\xB7"
                       "野"),
              "?" + FromUtf8("野"))
        << "beyond the basic plane";
    EXPECT_EQ(FromUtf8("\u301C\u2212"), FromUtf8("\uFF5E\uFF0D")) << "JIS forms in the table too";
}

TEST(Cp932, SixteenBitTextsConvertAsTheirCharactersDo) {
    EXPECT_EQ(cp932::FromUtf16(u"納品書 No.1 ～"), FromUtf8("納品書 No.1 ～"));
    EXPECT_EQ(cp932::FromUtf16(u"森鷗外"), FromUtf8("森鷗外"));
    EXPECT_EQ(cp932::FromUtf16(u"𠮷野"), "?" + FromUtf8("野"))
        << "a surrogate pair is one character";
    EXPECT_EQ(cp932::FromUtf16(std::u16string{char16_t(0xDC00), u'漢'}), "?" + FromUtf8("漢"))
        << "a low surrogate first";
}

// The table gives what the converter gives: every double-byte
// code (valid or not, with every second byte), every single byte, a lead
// byte that ends the text, and random mixtures.
TEST(Cp932, TextsConvertToUtf8AsTheConverterConvertsThem) {
    const auto table = [](const std::string& cp932Text) {
        std::string out = "kept ";
        cp932::AppendToUtf8(cp932Text, out);
        return out;
    };
    for (int first = 0; first < 0x100; ++first) {
        for (int second = 0; second < 0x100; ++second) {
            const std::string text{static_cast<char>(first), static_cast<char>(second), 'a'};
            ASSERT_EQ(table(text), "kept " + cp932::ToUtf8ByConverter(text))
                << first << " " << second;
        }
        const std::string alone(1, static_cast<char>(first));
        ASSERT_EQ(table(alone), "kept " + cp932::ToUtf8ByConverter(alone)) << first;
    }
    EXPECT_EQ(table(S("納品書（控）")), "kept 納品書（控）");
    EXPECT_EQ(ToUtf8(S("納品書") + "\x81"), "納品書\uFFFD") << "a lead byte that ends the text";
    EXPECT_EQ(ToUtf8("\x80"), cp932::ToUtf8ByConverter("\x80")) << "the first byte beyond ASCII";
    EXPECT_EQ(FromUtf8("\x80"), "?") << "a lone continuation byte is not a character";
    std::mt19937 random(932);
    std::uniform_int_distribution<int> byte(0, 255);
    for (int i = 0; i < 2000; ++i) {
        std::string text(static_cast<size_t>(byte(random) % 40), '\0');
        for (char& c : text) {
            c = static_cast<char>(byte(random));
        }
        ASSERT_EQ(table(text), "kept " + cp932::ToUtf8ByConverter(text));
    }
}

// The tables answer every character of the basic plane and every CP932
// byte: no text of them asks the system's converter anything, not even the
// first, in either direction, for the JIS forms and for 16-bit texts too.
TEST(Cp932, TablesNeedNoConverter) {
    const std::string japanese = "納品書（控）ｶﾀｶﾅ〜−‖¢£¬—ABC 様 12,345円";
    const std::u16string units = u"請求書ｶﾅ〜様";
    const std::size_t before = cp932::ConverterRuns();
    EXPECT_EQ(ToUtf8(FromUtf8(japanese)), "納品書（控）ｶﾀｶﾅ～－∥￠￡￢―ABC 様 12,345円");
    EXPECT_EQ(ToUtf8(cp932::FromUtf16(units)), "請求書ｶﾅ～様");
    EXPECT_EQ(ToUtf8("\x81"), "\uFFFD") << "a lead byte that ends the text";
    EXPECT_EQ(cp932::ConverterRuns(), before);
    // A text the tables cannot take (beyond the basic plane) goes to the
    // converter, and the counter sees it.
    EXPECT_EQ(FromUtf8("\U0001F600"), "?");
    EXPECT_GT(cp932::ConverterRuns(), before);
}

// Threads converting at once all get every character whole.
TEST(Cp932, ThreadsConvertingAtOnceConvertAsTheConverterDoes) {
    std::string every;
    for (int lead = 0xFC; lead >= 0x81; --lead) {
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            every += static_cast<char>(lead);
            every += static_cast<char>(trail);
        }
    }
    const std::string expected = cp932::ToUtf8ByConverter(every);
    std::vector<std::string> results(4);
    std::vector<std::thread> threads;
    for (std::string& result : results) {
        threads.emplace_back([&every, &result] { result = ToUtf8(every); });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    for (const std::string& result : results) {
        EXPECT_EQ(result, expected);
    }
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

// 16-bit texts convert through the table as through the codec: every
// character of the basic plane, alone and after others; characters beyond
// it and unpaired surrogates become "?".
TEST(Cp932, EverySixteenBitCharacterConvertsAsItsUtf8Does) {
    for (char32_t c = 0x80; c < 0x10000; ++c) {
        if (c >= 0xD800 && c <= 0xDFFF) {
            continue;
        }
        std::string utf8;
        if (c < 0x800) {
            utf8 = {static_cast<char>(0xC0 | (c >> 6)), static_cast<char>(0x80 | (c & 0x3F))};
        } else {
            utf8 = {static_cast<char>(0xE0 | (c >> 12)),
                    static_cast<char>(0x80 | ((c >> 6) & 0x3F)),
                    static_cast<char>(0x80 | (c & 0x3F))};
        }
        const std::u16string units{u'a', static_cast<char16_t>(c)};
        ASSERT_EQ(cp932::FromUtf16(units), "a" + cp932::FromUtf8(utf8))
            << std::hex << static_cast<unsigned>(c);
    }
    EXPECT_EQ(cp932::FromUtf16(u"\u7D0D\u54C1 \U0001F600."), S("納品 ?."));
    EXPECT_EQ(cp932::FromUtf16(std::u16string{u'x', char16_t(0xD800), u'\u5B57'}), S("x?字"));
    std::string appended = "kept";
    cp932::AppendFromUtf16(u"\u301C\u2212", appended);
    EXPECT_EQ(appended, "kept" + S("～－"));
}
