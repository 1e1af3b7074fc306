#include "Xwritebiff.h"

#include "BiffTestUtil.h"
#include "Cp932.h"

#include <gtest/gtest.h>

#include <cstring>
#include <stdexcept>

using bifftest::Hex;
using bifftest::Records;
using bifftest::TempDir;
using bifftest::U16;

namespace {

const char* const FontHex = "0F 82 6C 82 72 20 82 6F 83 53 83 56 83 62 83 4E";

std::string FileStart(const std::string& dims) {
    std::string start = Hex("09 00 04 00 02 00 10 00") + Hex(dims);
    for (const char* options : {"00", "01", "02", "04"}) {
        start += Hex(std::string("31 00 14 00 DC 00 ") + options + " 00 " + FontHex);
    }
    return start;
}

// The cell records a lone WriteCell(row 0, col 0, attr 0, text) appends.
std::string CellBytes(const std::string& text) {
    TempDir dir;
    TWriteBiff writer(dir.File("cell.xls"), 1, 1);
    std::size_t before = writer.Bytes().size();
    writer.WriteCell(0, 0, 0, text);
    std::string cell = writer.Bytes().substr(before);
    writer.Finish();
    return cell;
}

double NumberValue(const std::string& record) {
    EXPECT_EQ(record.size(), 19u);
    EXPECT_EQ(record.substr(0, 4), Hex("03 00 0F 00"));
    double value = 0;
    std::memcpy(&value, record.data() + 11, sizeof value);
    return value;
}

} // namespace

TEST(TWriteBiff, WritesTheTwoByTwoExampleByteForByte) {
    TempDir dir;
    std::string path = dir.File("example.xls");
    {
        TWriteBiff writer(path, 2, 2, TWriteBiff::Layout::Bare);
        writer.WriteCell(0, 0, 0, "12");
        writer.WriteCell(0, 1, 0, "1.5");
        writer.WriteCell(1, 0, 0, "abc");
        writer.Finish();
    }
    std::string expected = FileStart("00 00 08 00 00 00 04 00 00 00 04 00") +
                           Hex("02 00 09 00 00 00 00 00 00 00 00 0C 00") +
                           Hex("03 00 0F 00 00 00 01 00 00 00 00 00 00 00 00 00 00 F8 3F") +
                           Hex("04 00 0B 00 01 00 00 00 00 00 00 03 61 62 63") + Hex("0A 00 00 00");
    ASSERT_EQ(expected.size(), 167u);
    EXPECT_EQ(bifftest::ReadFile(path), expected);
}

TEST(TWriteBiff, EmptyWriterProducesOnlyTheFixedRecords) {
    TempDir dir;
    std::string path = dir.File("empty.xls");
    TWriteBiff writer(path, 21 + 7, 8 + 1, TWriteBiff::Layout::Bare);
    writer.Finish();
    std::string expected = FileStart("00 00 08 00 00 00 1E 00 00 00 0B 00") + Hex("0A 00 00 00");
    EXPECT_EQ(expected.size(), 120u);
    EXPECT_EQ(writer.Bytes(), expected);
    EXPECT_EQ(bifftest::ReadFile(path), expected);
}

// The readable layout is the bare one with CODEPAGE 932 after the BOF and
// one default XF after the fonts; every other byte stays.
TEST(TWriteBiff, ReadableLayoutAddsOnlyTheCodePageAndDefaultFormat) {
    TempDir dir;
    TWriteBiff readable(dir.File("readable.xls"), 2, 2);
    TWriteBiff bare(dir.File("bare.xls"), 2, 2, TWriteBiff::Layout::Bare);
    for (TWriteBiff* writer : {&readable, &bare}) {
        writer->WriteCell(0, 0, 0, "12");
        writer->WriteCell(1, 0, 0, "abc");
        writer->Finish();
    }
    const std::string codePage = Hex("42 00 02 00 A4 03");
    const std::string format = Hex("43 00 04 00 00 00 40 00");
    const std::string& b = bare.Bytes();
    EXPECT_EQ(readable.Bytes(), b.substr(0, 8) + codePage + b.substr(8, 12 + 4 * 24) + format +
                                    b.substr(8 + 12 + 4 * 24));
    EXPECT_EQ(readable.Bytes().size(), b.size() + 14);
}

TEST(TWriteBiff, DataKindFollowsTheClassificationRules) {
    struct Case {
        const char* text;
        int kind;
    };
    const Case cases[] = {
        {"", 1},
        {"12", 2},
        {"0", 2},
        {"-0", 2},
        {"32767", 2},
        {"007", 2},
        {"32768", 3},
        {"-5", 3},
        {"2147483647", 3},
        {"-2147483648", 3},
        {"1.5", 3},
        {".5", 3},
        {"5.", 3},
        {"-.5", 3},
        {"1.2.3", 4},
        {"-", 4},
        {".", 4},
        {" - ", 4},
        {"-.", 4}, // no digits: a text, not a failed conversion
        {"1,234", 4},
        {" 12", 4},
        {"12 ", 4},
        {"1e5", 4},
        {"+5", 4},
        {"5-", 4},
        {"--5", 4},
        {"2147483648", 3},
        {"4000000000", 3},
        {"-2147483649", 3},
        {"9223372036854775807", 3},
        {"-9223372036854775808", 3},
        {"9223372036854775808", 4}, // beyond 64 bits
        {"-9223372036854775809", 4},
        {"99999999999999999999", 4},
        {"abc", 4},
        {"\t12", 4},
        {"12\t", 4},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TWriteBiff::DataKind(c.text), c.kind) << '"' << c.text << '"';
    }
    EXPECT_EQ(TWriteBiff::DataKind(std::string("\0"
                                               "12",
                                               3)),
              4);
    EXPECT_EQ(TWriteBiff::DataKind(S("１２")), 4);
    EXPECT_EQ(TWriteBiff::DataKind("12" + S("　")), 4);
    EXPECT_EQ(TWriteBiff::DataKind(std::string(400, '9') + "."), 4); // beyond a double
}

TEST(TWriteBiff, CellRecordsCarryTheValueOfTheirKind) {
    EXPECT_EQ(CellBytes("0"), Hex("02 00 09 00 00 00 00 00 00 00 00 00 00"));
    EXPECT_EQ(CellBytes("32767"), Hex("02 00 09 00 00 00 00 00 00 00 00 FF 7F"));
    EXPECT_EQ(CellBytes("007"), Hex("02 00 09 00 00 00 00 00 00 00 00 07 00"));
    EXPECT_EQ(NumberValue(CellBytes("32768")), 32768.0);
    EXPECT_EQ(NumberValue(CellBytes("-5")), -5.0);
    EXPECT_EQ(NumberValue(CellBytes("1.5")), 1.5);
    EXPECT_EQ(NumberValue(CellBytes(".5")), 0.5);
    EXPECT_EQ(NumberValue(CellBytes("5.")), 5.0);
    EXPECT_EQ(NumberValue(CellBytes("-2147483648")), -2147483648.0);
    EXPECT_EQ(NumberValue(CellBytes("4000000000")), 4000000000.0);
    EXPECT_EQ(NumberValue(CellBytes("-9007199254740993")), -9007199254740992.0);
    EXPECT_EQ(NumberValue(CellBytes("99999999999")), 99999999999.0);
    EXPECT_EQ(CellBytes(""), "");
    EXPECT_EQ(CellBytes("1.2.3"), Hex("04 00 0D 00 00 00 00 00 00 00 00 05") + "1.2.3");
    EXPECT_EQ(CellBytes("-."), Hex("04 00 0A 00 00 00 00 00 00 00 00 02") + "-.");
    EXPECT_EQ(CellBytes(" 1 "), Hex("04 00 0B 00 00 00 00 00 00 00 00 03") + " 1 ");
    EXPECT_EQ(CellBytes("99999999999999999999"),
              Hex("04 00 1C 00 00 00 00 00 00 00 00 14") + "99999999999999999999");
    std::string kanji = S("名称");
    EXPECT_EQ(CellBytes(kanji), Hex("04 00 0C 00 00 00 00 00 00 00 00 04") + kanji);
}

TEST(TWriteBiff, LongTextIsCutTo255Bytes) {
    std::string text;
    for (int i = 0; i < 300; ++i) {
        text.push_back(static_cast<char>('a' + i % 26));
    }
    std::string record = CellBytes(text);
    ASSERT_EQ(record.size(), 4u + 263u);
    EXPECT_EQ(U16(record, 2), 263u);
    EXPECT_EQ(static_cast<unsigned char>(record[11]), 0xFF);
    EXPECT_EQ(record.substr(12), text.substr(0, 255));

    std::string exact(255, 'x');
    EXPECT_EQ(CellBytes(exact).substr(11), "\xFF" + exact);
}

// A cut never leaves half a double-byte character: with the kanji starting
// on an odd byte the 255th byte would be a lead byte, and the text ends one
// byte earlier; starting on an even byte, 255 bytes end on a whole one.
TEST(TWriteBiff, LongTextIsCutAtTheLastWholeCharacter) {
    std::string kanji;
    for (int i = 0; i < 200; ++i) {
        kanji += S("漢");
    }
    std::string even = CellBytes(kanji); // 254 bytes of whole characters fit
    ASSERT_EQ(even.size(), 12u + 254u);
    EXPECT_EQ(U16(even, 2), 254u + 8u);
    EXPECT_EQ(static_cast<unsigned char>(even[11]), 254u);
    EXPECT_EQ(even.substr(12), kanji.substr(0, 254));

    std::string odd = CellBytes("a" + kanji); // 'a' + 127 kanji = 255 bytes
    EXPECT_EQ(static_cast<unsigned char>(odd[11]), 255u);
    EXPECT_EQ(odd.substr(12), "a" + kanji.substr(0, 254));

    // A trail byte that looks like a lead byte (0x95 in "表", 95 5C) is not
    // taken for the start of a character.
    std::string mixed = "ab";
    for (int i = 0; i < 140; ++i) {
        mixed += S("ア");    // 83 41: the trail byte is ASCII
        mixed += "\x95\x95"; // a lead byte followed by a lead-looking trail byte
    }
    const std::size_t cut = TWriteBiff::WholeCharacterLength(mixed, 255);
    EXPECT_EQ(cut, 254u);
    EXPECT_EQ(TWriteBiff::WholeCharacterLength("a" + mixed, 255), 255u);
    EXPECT_EQ(TWriteBiff::WholeCharacterLength("short", 255), 5u);
}

TEST(TWriteBiff, RowColumnAttributesAndDimensionsAreSixteenBitFields) {
    TempDir dir;
    TWriteBiff writer(dir.File("fields.xls"), 65534, -3);
    std::size_t before = writer.Bytes().size();
    writer.WriteCell(0x1234, 0x0102, 0x00ABCDEF, "x");
    EXPECT_EQ(writer.Bytes().substr(before), Hex("04 00 09 00 34 12 02 01 AB CD EF 01 78"));
    writer.Finish();

    auto records = Records(writer.Bytes());
    ASSERT_GE(records.size(), 3u);
    EXPECT_EQ(records[2].number, 0x0000u);
    EXPECT_EQ(U16(records[2].data, 2), 0u);      // 65534 + 2 in 16 bits
    EXPECT_EQ(U16(records[2].data, 6), 0xFFFFu); // -3 + 2 in 16 bits
}

TEST(TWriteBiff, CellsFollowInCallOrderAndEofComesLast) {
    TempDir dir;
    TWriteBiff writer(dir.File("order.xls"), 3, 3);
    writer.WriteCell(2, 2, 0, "x");
    writer.WriteCell(0, 0, 0, "1");
    writer.WriteCell(1, 1, 0, "");
    writer.WriteCell(1, 0, 0, "2.5");
    writer.Finish();
    writer.WriteCell(0, 1, 0, "late"); // a finished writer takes no more cells

    auto records = Records(writer.Bytes());
    std::vector<unsigned> numbers;
    for (const auto& r : records) {
        numbers.push_back(r.number);
    }
    EXPECT_EQ(numbers,
              (std::vector<unsigned>{9, 0x42, 0, 0x31, 0x31, 0x31, 0x31, 0x43, 4, 2, 3, 0x0A}));
}

TEST(TWriteBiff, FinishReplacesAnExistingFileWhole) {
    TempDir dir;
    std::string path = dir.File("old.xls");
    {
        std::ofstream old(path, std::ios::binary);
        old << std::string(1000, 'z');
    }
    TWriteBiff writer(path, 1, 1);
    writer.WriteCell(0, 0, 0, "1");
    writer.Finish();
    EXPECT_EQ(bifftest::ReadFile(path), writer.Bytes());
    // Nothing but the target is left in the folder.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()),
                            std::filesystem::directory_iterator()),
              1);
}

TEST(TWriteBiff, DestructorWritesTheFileWhenNotFinished) {
    TempDir dir;
    std::string path = dir.File("implicit.xls");
    std::string bytes;
    {
        TWriteBiff writer(path, 1, 1);
        writer.WriteCell(0, 0, 0, "7");
        bytes = writer.Bytes() + Hex("0A 00 00 00");
        EXPECT_FALSE(std::filesystem::exists(path)); // nothing on disk before finishing
    }
    EXPECT_EQ(bifftest::ReadFile(path), bytes);
}

TEST(TWriteBiff, UncreatableFileThrowsTheCreationMessageAndWritesNothing) {
    TempDir dir;
    std::string path = dir.File("無いフォルダ/out.xls");
    TWriteBiff writer(path, 1, 1);
    try {
        writer.Finish();
        FAIL() << "Finish did not throw";
    } catch (const std::runtime_error& e) {
        // The path is shown in code page 932 like every other message text.
        EXPECT_EQ(std::string(e.what()),
                  S("ファイル ") + cp932::FromUtf8(path) + S(" を作成できません"));
    }
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_NO_THROW(writer.Finish()); // a writer writes once

    // A folder in place of the file is not replaced.
    std::string folder = dir.File("folder.xls");
    std::filesystem::create_directory(folder);
    TWriteBiff second(folder, 1, 1);
    EXPECT_THROW(second.Finish(), std::runtime_error);
    EXPECT_TRUE(std::filesystem::is_directory(folder));
}

TEST(TWriteBiff, DestructorSwallowsTheCreationError) {
    TempDir dir;
    EXPECT_NO_THROW({ TWriteBiff writer(dir.File("none/out.xls"), 1, 1); });
}
