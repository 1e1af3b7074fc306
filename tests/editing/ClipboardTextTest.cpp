#include "ClipboardText.h"

#include "Cp932.h"

#include <gtest/gtest.h>

using editing::FormatClipboardLine;
using editing::FormatClipboardText;
using editing::SplitClipboardFields;
using editing::SplitClipboardLines;
using Fields = std::vector<std::string>;

TEST(ClipboardText, WritesLinesWithCrLfAndQuotesWhatNeedsIt) {
    EXPECT_EQ(FormatClipboardText({{"a", "b"}, {"c", "d"}}), "a,b\r\nc,d\r\n");
    EXPECT_EQ(FormatClipboardLine({"a b"}), "\"a b\"");
    EXPECT_EQ(FormatClipboardLine({"1,234"}), "\"1,234\"");
    EXPECT_EQ(FormatClipboardLine({"say \"hi\""}), "\"say \"\"hi\"\"\"");
    EXPECT_EQ(FormatClipboardLine({"a\tb"}), "\"a\tb\"");
    EXPECT_EQ(FormatClipboardLine({std::string("a\x01", 2)}), std::string("\"a\x01\"", 4));
    // Japanese texts pass unquoted (no trail byte is a quote, comma or blank).
    EXPECT_EQ(FormatClipboardLine({S("名称"), S("ソ")}), S("名称") + "," + S("ソ"));
    // A full-width space is not a blank byte.
    EXPECT_EQ(FormatClipboardLine({S("　")}), S("　"));
}

TEST(ClipboardText, EmptyCellsAreWrittenSoTheyReadBack) {
    EXPECT_EQ(FormatClipboardText({{""}}), "\"\"\r\n");
    EXPECT_EQ(FormatClipboardText({{"", ""}}), ",\r\n");
    EXPECT_EQ(FormatClipboardText({{"a", "", "b"}}), "a,,b\r\n");
    EXPECT_EQ(FormatClipboardText({}), "");

    EXPECT_EQ(SplitClipboardFields("\"\""), Fields{""});
    EXPECT_EQ(SplitClipboardFields(","), (Fields{"", ""}));
    EXPECT_EQ(SplitClipboardFields("a,,b"), (Fields{"a", "", "b"}));
    EXPECT_EQ(SplitClipboardFields("a,"), (Fields{"a", ""}));
    EXPECT_EQ(SplitClipboardFields(",b"), (Fields{"", "b"}));
}

TEST(ClipboardText, LinesSplitAtAnyLineEndAndStopAtNul) {
    EXPECT_EQ(SplitClipboardLines("a\r\nb\rc\nd"), (Fields{"a", "b", "c", "d"}));
    EXPECT_EQ(SplitClipboardLines("a\r\n"), Fields{"a"});
    EXPECT_EQ(SplitClipboardLines("a\r\n\r\nb\r\n"), (Fields{"a", "", "b"}));
    EXPECT_EQ(SplitClipboardLines("a\n\r"), (Fields{"a", ""})); // LF then a lone CR
    EXPECT_EQ(SplitClipboardLines(""), Fields{});
    EXPECT_EQ(SplitClipboardLines(std::string("a\r\nb\0c\r\nd", 9)), (Fields{"a", "b"}));
    EXPECT_EQ(SplitClipboardLines(std::string("\0a", 2)), Fields{});
}

TEST(ClipboardText, FieldsSeparateAtCommasAndSpacesOutsideQuotes) {
    EXPECT_EQ(SplitClipboardFields("red apple,3"), (Fields{"red", "apple", "3"}));
    EXPECT_EQ(SplitClipboardFields("\"red apple\",3"), (Fields{"red apple", "3"}));
    EXPECT_EQ(SplitClipboardFields("  a , b  "), (Fields{"a", "b"}));
    EXPECT_EQ(SplitClipboardFields(""), Fields{});
    EXPECT_EQ(SplitClipboardFields("  "), Fields{});
    EXPECT_EQ(SplitClipboardFields("\"a\"\"b\",c"), (Fields{"a\"b", "c"}));
    EXPECT_EQ(SplitClipboardFields("\"ab\"cd"), (Fields{"ab", "cd"}));
}

TEST(ClipboardText, LineWithASeparatingTabSplitsAtEachTabOnly) {
    EXPECT_EQ(SplitClipboardFields("a\tb\tc"), (Fields{"a", "b", "c"}));
    EXPECT_EQ(SplitClipboardFields("p\t\tq"), (Fields{"p", "", "q"}));
    EXPECT_EQ(SplitClipboardFields("red apple\t3"), (Fields{"red apple", "3"}));
    EXPECT_EQ(SplitClipboardFields(" 1,234 \t\"x\"\t"), (Fields{" 1,234 ", "\"x\"", ""}));
    EXPECT_EQ(SplitClipboardFields(" \t "), (Fields{" ", " "}));
    EXPECT_EQ(SplitClipboardFields(S("品名") + "\t" + S("仕様")), (Fields{S("品名"), S("仕様")}));
    // A quote in the middle of a field opens nothing.
    EXPECT_EQ(SplitClipboardFields("5\" pipe\t2"), (Fields{"5\" pipe", "2"}));
    // A tab inside a quoted field (this program's own copy) separates nothing.
    EXPECT_FALSE(editing::IsTabSeparated("\"a\tb\",c"));
    EXPECT_EQ(SplitClipboardFields("\"a\tb\",c"), (Fields{"a\tb", "c"}));
    EXPECT_TRUE(editing::IsTabSeparated("\"a\tb\"\tc"));
}

TEST(ClipboardText, OnlyTheFieldsAskedForAreRead) {
    EXPECT_EQ(SplitClipboardFields("a,b,c", 2), (Fields{"a", "b"}));
    EXPECT_EQ(SplitClipboardFields("a,", 1), Fields{"a"});
    EXPECT_EQ(SplitClipboardFields("a,", 2), (Fields{"a", ""}));
    EXPECT_EQ(SplitClipboardFields("a\tb\tc", 2), (Fields{"a", "b"}));
    EXPECT_EQ(SplitClipboardFields("a b\tc", 1), Fields{"a b"});
    EXPECT_EQ(SplitClipboardFields("a,b", 0), Fields{});
    EXPECT_EQ(SplitClipboardFields("a\tb", 0), Fields{});

    editing::ClipboardLines lines("one\r\ntwo\rthree");
    std::string_view line;
    ASSERT_TRUE(lines.Next(line));
    EXPECT_EQ(line, "one");
    ASSERT_TRUE(lines.Next(line));
    EXPECT_EQ(line, "two");
    ASSERT_TRUE(lines.Next(line));
    EXPECT_EQ(line, "three");
    EXPECT_FALSE(lines.Next(line));
}

TEST(ClipboardText, UnclosedQuoteRunsToTheEndOfItsLine) {
    EXPECT_EQ(SplitClipboardFields("\"abc, def"), Fields{"abc, def"});
    EXPECT_EQ(SplitClipboardFields("x,\"a\"\"b"), (Fields{"x", "a\"b"}));
    EXPECT_EQ(SplitClipboardFields("\""), Fields{""});
    EXPECT_EQ(SplitClipboardFields("\"\"\""), Fields{"\""});
    // The next line is not swallowed.
    auto lines = SplitClipboardLines("\"open\r\nnext,1\r\n");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(SplitClipboardFields(lines[0]), Fields{"open"});
    EXPECT_EQ(SplitClipboardFields(lines[1]), (Fields{"next", "1"}));
}

TEST(ClipboardText, EveryCellWithoutLineBreaksRoundTrips) {
    const std::vector<std::vector<std::string>> rows = {
        {"a b", "1,234", "say \"hi\"", ""},
        {" lead", "trail ", "\"", ","},
        {S("株式会社　山田"), "-5", "\t", "x"},
    };
    auto lines = SplitClipboardLines(FormatClipboardText(rows));
    ASSERT_EQ(lines.size(), rows.size());
    for (std::size_t k = 0; k < rows.size(); ++k) {
        EXPECT_EQ(SplitClipboardFields(lines[k]), rows[k]) << k;
    }
}
