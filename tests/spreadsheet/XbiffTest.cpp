#include "Xbiff.h"
#include "BiffBuilder.h"
#include "Cp932.h"
#include "NumberText.h"
#include "XbiffRecords.h"
#include "XbiffStorage.h"
#include "Xbiff_custom.h"
#include "Xwritebiff.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <random>
#include <unistd.h>

using biff::Bytes;
using biff::Cell;
using biff::Load;
using biff::Record;
using biff::Sheet;
using xbiff::Failure;

namespace {

std::filesystem::path TempPath(const std::string& name) {
    auto dir = std::filesystem::temp_directory_path() / ("xbiff-test-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    return dir / name;
}

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string Fixture(const std::string& name) {
    return ReadFile(std::filesystem::path(NOTORIO_TEST_DATA) / "xls" / name);
}

// Cell record bodies.
std::string Rk(int row, int col, int xf, std::uint32_t rk) {
    return Record(0x027E, Bytes().u16(row).u16(col).u16(xf).u32(rk));
}
std::string Formula(int row, int col, const std::string& result) {
    return Record(0x0006, Bytes().u16(row).u16(col).u16(15).raw(result).u16(0).u32(0).u16(0));
}
std::string NonNumeric(int kind, int value) {
    return Bytes().u8(kind).u8(0).u8(value).u8(0).u8(0).u8(0).u16(0xFFFF);
}

// Column A of the fixtures' sheet "Texts" (see tests/data/xls/make-fixtures.py).
std::string FixtureText(int i) {
    char number[8];
    std::snprintf(number, sizeof number, "%04d", i);
    if (i % 50 == 7) {
        std::string text = S("品目 ") + number + " ";
        for (int k = 0; k < i % 23; ++k) {
            text += S("あ");
        }
        return text;
    }
    return "unique text number " + std::string(number) + " " + std::string(i % 17, 'x');
}

} // namespace

TEST(XBiff, ReadsBackEveryCellTheWriterWrote) {
    const auto path = TempPath("writer.xls");
    const std::string label255(255, 'x');
    const std::map<std::pair<int, int>, std::pair<std::string, std::string>> cells = {
        {{0, 0}, {"12", "12"}},         {{0, 1}, {"1.5", "1.5"}},
        {{0, 2}, {"abc", "abc"}},       {{1, 0}, {"32768", "32768"}},
        {{1, 1}, {"-5", "-5"}},         {{1, 2}, {"007", "7"}},
        {{2, 0}, {".5", "0.5"}},        {{2, 1}, {S("納品書 様"), S("納品書 様")}},
        {{2, 2}, {label255, label255}}, {{3, 0}, {"123456789.25", "123456789.25"}},
        {{40, 9}, {"1,234", "1,234"}},
    };
    {
        TWriteBiff writer(path.string(), 41, 10);
        for (const auto& [pos, texts] : cells) {
            writer.WriteCell(pos.first, pos.second, 0, texts.first);
        }
        writer.Finish();
    }
    TXBiff reader;
    biff::Recorder r;
    r.Attach(reader);
    reader.LoadFile(path.string());
    EXPECT_EQ(reader.FileName(), path.string());
    EXPECT_EQ(reader.Kind(), 2);
    std::vector<Cell> expected;
    for (const auto& [pos, texts] : cells) {
        expected.push_back({1, pos.first, pos.second, 0, texts.second});
    }
    EXPECT_EQ(r.cells, expected);
    EXPECT_EQ(r.progress.back(), 0);
    EXPECT_EQ(r.progress[r.progress.size() - 2], 100);
    EXPECT_EQ(reader.Progress(), 0);
}

TEST(XBiff, NumFromRk) {
    EXPECT_EQ(TXBiff::NumFromRk(0xFFFFFFFE), -1.0);
    EXPECT_EQ(TXBiff::NumFromRk(0xFFFFFFFF), -0.01);
    EXPECT_EQ(TXBiff::NumFromRk(123u << 2 | 2), 123.0);
    EXPECT_EQ(TXBiff::NumFromRk(12345u << 2 | 3), 123.45);
    EXPECT_EQ(TXBiff::NumFromRk(0x3FF00000), 1.0);
    EXPECT_EQ(TXBiff::NumFromRk(0x3FF00001), 0.01);
    EXPECT_EQ(TXBiff::NumFromRk(0xC0040000), -2.5);
    EXPECT_EQ(TXBiff::NumFromRk(0x3FF00003 & ~2u), 0.01); // bits 0-1 never part of the double
}

TEST(XBiff, NumberRecordsOfEveryLayout) {
    const std::string records = Rk(0, 0, 17, 0xFFFFFFFF) + Rk(0, 1, 18, 0x3FF00000) +
                                Record(0x00BD, Bytes()
                                                   .u16(1)
                                                   .u16(4)
                                                   .u16(20)
                                                   .u32(7u << 2 | 2)
                                                   .u16(21)
                                                   .u32(0x40240000)
                                                   .u16(22)
                                                   .u32(150u << 2 | 3)
                                                   .u16(6)) +
                                Record(0x0203, Bytes().u16(2).u16(0).u16(23).f64(1e20)) +
                                Record(0x0203, Bytes().u16(2).u16(1).u16(23).f64(1.0 / 3)) +
                                Record(0x0203, Bytes().u16(2).u16(2).u16(23).f64(-2.5e-7));
    const auto r = Load(Sheet(8, records));
    const std::vector<Cell> expected = {
        {1, 0, 0, 17, "-0.01"},
        {1, 0, 1, 18, "1"},
        {1, 1, 4, 20, "7"},
        {1, 1, 5, 21, "10"},
        {1, 1, 6, 22, "1.5"},
        {1, 2, 0, 23, "1E20"},
        {1, 2, 1, 23, "0.333333333333333"},
        {1, 2, 2, 23, "-2.5E-7"},
    };
    EXPECT_EQ(r.cells, expected);
}

TEST(XBiff, NumberTextsMatchTheGeneralFormat) {
    const double values[] = {999999999999999.0,
                             1e15,
                             -999999999999999.0,
                             123456789012345.0,
                             -0.0,
                             2.5,
                             65536.0,
                             -7.0,
                             1e-300,
                             12345678901234567.0};
    std::string records;
    for (double v : values) {
        records += Record(0x0203, Bytes().u16(0).u16(0).u16(0).f64(v));
    }
    const auto r = Load(Sheet(5, records));
    ASSERT_EQ(r.cells.size(), std::size(values));
    for (size_t i = 0; i < std::size(values); ++i) {
        EXPECT_EQ(r.cells[i].data, numtext::FloatToStr(values[i])) << values[i];
    }
    EXPECT_EQ(r.cells[1].data, "1E15");
}

// RK and MULRK cells read as the general format of NumFromRk's value, for
// every kind of RK value (whole, hundredths, double, double / 100) with
// random bits and at the ends of the 30-bit range.
TEST(XBiff, RkTextsAreThoseOfTheirValue) {
    std::vector<std::uint32_t> values;
    for (std::uint32_t kind = 0; kind < 4; ++kind) {
        for (std::uint32_t v : {0u, 1u, 0x1FFFFFFFu, 0x20000000u, 0x3FFFFFFFu, 5u, 10u, 100u, 101u,
                                110u, 0x3FFFFF9Cu}) {
            values.push_back(v << 2 | kind);
        }
    }
    std::mt19937 random(0x27E);
    for (int i = 0; i < 20000; ++i) {
        values.push_back(random());
    }
    std::string records;
    for (size_t i = 0; i < values.size(); i += 2) {
        records += Rk(static_cast<int>(i), 0, 0, values[i]);
        records += Record(
            0x00BD, Bytes().u16(static_cast<unsigned>(i)).u16(1).u16(0).u32(values[i + 1]).u16(1));
    }
    const auto r = Load(Sheet(8, records));
    ASSERT_EQ(r.cells.size(), values.size());
    for (size_t i = 0; i < values.size(); ++i) {
        ASSERT_EQ(r.cells[i].data, numtext::FloatToStr(TXBiff::NumFromRk(values[i])))
            << std::hex << values[i];
    }
}

TEST(XBiff, TextRecordsFollowTheLayoutOfTheirVersion) {
    const std::string name = S("品名");
    // BIFF2: 3 attribute bytes (byte 0 lowest) and a length byte.
    auto r =
        Load(Sheet(2, Record(0x0004, Bytes().u16(1).u16(2).u8(1).u8(2).u8(3).u8(2).raw("ab"))));
    EXPECT_EQ(r.cells, (std::vector<Cell>{{1, 1, 2, 0x030201, "ab"}}));
    // BIFF3 to BIFF5: cell format index and a 2-byte length; bytes as they are.
    for (int version : {3, 4, 5}) {
        r = Load(Sheet(version, Record(0x0204, Bytes().u16(0).u16(0).u16(9).u16(4).raw(name))));
        EXPECT_EQ(r.cells, (std::vector<Cell>{{1, 0, 0, 9, name}})) << version;
    }
    // BIFF8: a character count and an option byte; 8-bit characters are
    // widened (0xA5 is the yen sign, 0x5C in code page 932).
    r = Load(Sheet(8, Record(0x0204, Bytes().u16(0).u16(0).u16(9).u16(2).u8(1).utf16(u"品名")) +
                          Record(0x0204, Bytes().u16(0).u16(1).u16(9).u16(3).u8(0).raw("\xA5"
                                                                                       "10")) +
                          Record(0x00D6, Bytes().u16(0).u16(2).u16(9).u16(1).u8(1).utf16(u"様").raw(
                                             "rich runs"))));
    EXPECT_EQ(r.cells, (std::vector<Cell>{{1, 0, 0, 9, name},
                                          {1, 0, 1, 9,
                                           "\x5C"
                                           "10"},
                                          {1, 0, 2, 9, S("様")}}));
}

TEST(XBiff, FormulaResults) {
    // A numeric result whose first byte is 1 stays a number.
    const std::string oneish = Bytes().u32(1).u32(0x3FF00000);
    const std::string records =
        Formula(0, 0, Bytes().f64(4.5)) + Formula(0, 1, oneish) + Formula(0, 2, NonNumeric(1, 1)) +
        Formula(0, 3, NonNumeric(1, 0)) + Formula(0, 4, NonNumeric(2, 0x07)) +
        Formula(0, 5, NonNumeric(3, 0)) + Formula(1, 0, NonNumeric(0, 0)) +
        Record(0x04BC, "shared") + Record(0x0207, Bytes().u16(2).u8(1).utf16(u"合計")) +
        Record(0x0207, Bytes().u16(3).u8(0).raw("lost"));
    const auto r = Load(Sheet(8, records));
    const std::vector<Cell> expected = {
        {1, 0, 0, 15, "4.5"},     {1, 0, 1, 15, "1"},       {1, 0, 2, 15, "TRUE"},
        {1, 0, 3, 15, "FALSE"},   {1, 0, 4, 15, "#DIV/0!"}, {1, 0, 5, 15, ""},
        {1, 1, 0, 15, S("合計")},
    };
    EXPECT_EQ(r.cells, expected);

    // BIFF2: 3 attribute bytes and a 1-byte text length; BIFF3/4: 2-byte length.
    const std::string f2 =
        Record(0x0006, Bytes().u16(3).u16(1).u8(4).u8(5).u8(6).raw(NonNumeric(0, 0)).u8(0).u8(0));
    auto r2 = Load(Sheet(2, f2 + Record(0x0007, Bytes().u8(2).raw("ok"))));
    EXPECT_EQ(r2.cells, (std::vector<Cell>{{1, 3, 1, 0x060504, "ok"}}));
    const std::string f4 =
        Record(0x0406, Bytes().u16(3).u16(1).u16(7).raw(NonNumeric(0, 0)).u16(0).u16(0));
    auto r4 = Load(Sheet(4, f4 + Record(0x0207, Bytes().u16(2).raw("ok"))));
    EXPECT_EQ(r4.cells, (std::vector<Cell>{{1, 3, 1, 7, "ok"}}));
}

TEST(XBiff, SharedStringsAcrossContinueRecords) {
    // "abcdef" starts 8-bit and goes on 16-bit in the first CONTINUE; the
    // second string has rich runs and extended data that straddle the next
    // boundary; the third starts 16-bit and goes on 8-bit.
    const std::string sst = Bytes().u32(0xFFFFFFFF).u32(0xFFFFFFFF).u16(6).u8(0).raw("abc");
    const std::string cont1 =
        Bytes().u8(1).utf16(u"def").u16(2).u8(0x0D).u16(1).u32(3).utf16(u"納品").u16(2);
    const std::string cont2 = Bytes().u16(1).raw("ext").u16(3).u8(1).utf16(u"様");
    const std::string cont3 = Bytes().u8(0).raw("\xA5"
                                                "9");
    const std::string labels = Record(0x00FD, Bytes().u16(0).u16(0).u16(5).u32(0)) +
                               Record(0x00FD, Bytes().u16(0).u16(1).u16(5).u32(1)) +
                               Record(0x00FD, Bytes().u16(0).u16(2).u16(5).u32(2)) +
                               Record(0x00FD, Bytes().u16(0).u16(3).u16(5).u32(3));
    const auto r = Load(Sheet(8, Record(0x00FC, sst) + Record(0x003C, cont1) +
                                     Record(0x003C, cont2) + Record(0x003C, cont3) + labels));
    // The index beyond the list (3) reports nothing; LABELSST cells carry attribute 0.
    const std::vector<Cell> expected = {{1, 0, 0, 0, "abcdef"},
                                        {1, 0, 1, 0, S("納品")},
                                        {1, 0, 2, 0,
                                         S("様") + "\x5C"
                                                   "9"}};
    EXPECT_EQ(r.cells, expected);
}

TEST(XBiff, SheetNamesCountersAndColumnWidths) {
    const std::string globals8 =
        biff::Bof(0x0809, 0x0600, 0x0005) +
        Record(0x0085, Bytes().u32(0).u16(0x0000).u8(2).u8(1).utf16(u"見積")) +
        Record(0x0085, Bytes().u32(0).u16(0x0200).u8(5).u8(0).raw("Chart")) +
        Record(0x0085, Bytes().u32(0).u16(0x0001).u8(5).u8(0).raw("Sheet")) + biff::Eof();
    const std::string chart = biff::Bof(0x0809, 0x0600, 0x0020) + biff::Eof();
    const std::string sheet1 = biff::Bof(0x0809, 0x0600, 0x0010) +
                               Record(0x007D, Bytes().u16(3).u16(5).u16(2560).u16(15).u16(0)) +
                               Record(0x007D, Bytes().u16(255).u16(0xFFFF).u16(99).u16(15).u16(0)) +
                               Rk(0, 0, 0, 6) + chart + biff::Eof();
    const std::string sheet2 = biff::Bof(0x0809, 0x0600, 0x0010) + Rk(0, 0, 0, 10) + biff::Eof();
    TXBiff reader;
    biff::Recorder r;
    r.Attach(reader);
    reader.LoadData(globals8 + sheet1 + sheet2);
    EXPECT_EQ(reader.Kind(), 8);
    EXPECT_EQ(r.sheetNames, (std::vector<std::string>{S("見積"), "Sheet"}));
    EXPECT_EQ(r.widths, (std::vector<std::tuple<int, int, int>>{
                            {1, 3, 2560}, {1, 4, 2560}, {1, 5, 2560}, {1, 255, 99}}));
    EXPECT_EQ(r.cells, (std::vector<Cell>{{1, 0, 0, 0, "1"}, {2, 0, 0, 0, "2"}}));

    // Before BIFF8 a sheet name has no option byte.
    const std::string globals5 = biff::Bof(0x0809, 0x0500, 0x0005) +
                                 Record(0x0085, Bytes().u32(0).u16(0).u8(4).raw(S("見積"))) +
                                 biff::Eof();
    r = biff::Recorder();
    r.Attach(reader);
    reader.LoadData(globals5);
    EXPECT_EQ(reader.Kind(), 2);
    EXPECT_EQ(r.sheetNames, (std::vector<std::string>{S("見積")}));
}

TEST(XBiff, CancelStopsTheLoadAfterThatRecord) {
    const std::string data =
        Sheet(8, Record(0x00BD, Bytes().u16(0).u16(0).u16(0).u32(6).u16(0).u32(10).u16(1)) +
                     Rk(1, 0, 0, 14));
    TXBiff reader;
    biff::Recorder r;
    r.cancelAfter = 1;
    r.Attach(reader);
    reader.LoadData(data);
    // The second cell of the MULRK is not reported once Cancel is set.
    EXPECT_EQ(r.cells, (std::vector<Cell>{{1, 0, 0, 0, "1"}}));
    const int afterMulRk = static_cast<int>((20 + 22) * 100 / data.size()); // BOF, MULRK
    EXPECT_EQ(r.progress, (std::vector<int>{afterMulRk, 0}));
}

TEST(XBiff, FileKindsAndFixturesOfAnotherProgram) {
    EXPECT_EQ(
        [] {
            TXBiff reader;
            reader.LoadData(Sheet(3, ""));
            return reader.Kind();
        }(),
        3);
    for (const char* name : {"biff5.xls", "biff8.xls"}) {
        SCOPED_TRACE(name);
        TXBiff_custom reader;
        biff::Recorder r;
        r.Attach(reader);
        reader.LoadData(Fixture(name));
        EXPECT_EQ(reader.Kind(), name[4] == '5' ? 4 : 8); // the Excel 95 file has a "Book"
        EXPECT_EQ(r.sheetNames, (std::vector<std::string>{"Numbers", "Texts", S("日本語")}));
        std::map<std::tuple<int, int, int>, std::string> cells;
        for (const Cell& c : r.cells) {
            cells[{c.sheet, c.row, c.col}] = c.data;
        }
        EXPECT_EQ(cells.size(), 6 + 4 * 6 + 1 + 3 * 700 + 5u);
        const std::map<std::tuple<int, int, int>, std::string> samples = {
            {{1, 1, 0}, "3"},
            {{1, 1, 1}, "1.5"},
            {{1, 1, 2}, "4.5"},
            {{1, 1, 3}, "1E20"},
            {{1, 1, 4}, "TRUE"},
            {{1, 1, 5}, "row 3"},
            {{1, 2, 3}, "-2.5E-7"},
            {{1, 3, 2}, "-864197.523"},
            {{1, 3, 3}, "1.23456789012346E19"},
            {{1, 3, 4}, "FALSE"},
            {{1, 5, 0}, "#DIV/0!"},
            {{2, 699, 2}, "2097"},
            {{3, 0, 0}, S("納品書")},
            {{3, 1, 0}, S("ｱｲｳｴｵ")},
            {{3, 1, 1}, S("納品書お客様")},
            {{3, 2, 0}, S("髙橋 ①")},
        };
        for (const auto& [pos, text] : samples) {
            EXPECT_EQ(cells[pos], text) << std::get<0>(pos) << "," << std::get<1>(pos);
        }
        // Every shared string, the ones split across CONTINUE records included.
        for (int i = 0; i < 700; ++i) {
            ASSERT_EQ(cells[std::make_tuple(2, i, 0)], FixtureText(i)) << i;
            ASSERT_EQ(cells[std::make_tuple(2, i, 1)], "repeated") << i;
        }
        EXPECT_EQ(std::count_if(r.widths.begin(), r.widths.end(),
                                [](const auto& w) { return w == std::make_tuple(1, 0, 4384); }),
                  1);
        EXPECT_EQ(std::count_if(r.widths.begin(), r.widths.end(),
                                [](const auto& w) { return w == std::make_tuple(1, 3, 5844); }),
                  1);
    }
}

TEST(XBiff, SaveFileWritesTheLinesAsCells) {
    const auto path = TempPath("saved.xls");
    TXBiff reader;
    biff::Recorder r;
    r.Attach(reader);
    reader.SaveFile(path.string(), {"a,12,\"x, y\",1.5", "b", "c,2,3,4,5", ""});
    EXPECT_EQ(r.progress, (std::vector<int>{25, 31, 56, 56, 0}));
    r = biff::Recorder();
    r.Attach(reader);
    reader.LoadFile(path.string());
    const std::vector<Cell> expected = {
        {1, 0, 0, 0, "a"},   {1, 0, 1, 0, "12"}, {1, 0, 2, 0, "x, y"},
        {1, 0, 3, 0, "1.5"}, {1, 1, 0, 0, "b"},  {1, 2, 0, 0, "c"},
        {1, 2, 1, 0, "2"},   {1, 2, 2, 0, "3"},  {1, 2, 3, 0, "4"},
    };
    EXPECT_EQ(r.cells, expected);

    // An empty list writes nothing; a file that cannot be created is an error.
    const auto none = TempPath("none.xls");
    reader.SaveFile(none.string(), {});
    EXPECT_FALSE(std::filesystem::exists(none));
    EXPECT_THROW(reader.SaveFile((TempPath("no-such-dir") / "x.xls").string(), {"a"}),
                 std::runtime_error);
}

TEST(XBiff, MissingFileFailsToOpen) {
    TXBiff reader;
    try {
        reader.LoadFile(TempPath("missing.xls").string());
        ADD_FAILURE() << "loaded";
    } catch (const EXBiffError& e) {
        EXPECT_EQ(e.failure(), Failure::OpenFailed);
        EXPECT_EQ(std::string(e.what()), S("ﾌｧｲﾙを開くことに失敗しました"));
    }
    EXPECT_EQ(xbiff::MessageOf(Failure::UnknownFormat), S("未知のフォーマット."));
    EXPECT_EQ(xbiff::MessageOf(Failure::StreamRead), S("ストリーム読込みエラー."));
    EXPECT_THROW(reader.LoadFile(std::filesystem::temp_directory_path().string()), EXBiffError);
}

// gnumeric's Excel 95 file of a sheet with a 3,000-character text and a
// formula result of 3,000 characters (both longer than a record, so they go
// on in CONTINUE records), boolean and error constants and numbers.
TEST(XBiff, Biff5TextsContinuedInContinueRecordsReadWhole) {
    TXBiff reader;
    biff::Recorder r;
    r.Attach(reader);
    reader.LoadFile(std::filesystem::path(NOTORIO_TEST_DATA) / "xls" / "biff5-long-text.xls");
    EXPECT_EQ(reader.Kind(), 4);
    const std::vector<Cell> expected = {
        {1, 0, 0, 21, "L" + std::string(2998, 'x') + "Z"},
        {1, 0, 1, 21, std::string(3000, 'y')},
        {1, 0, 2, 21, "42"},
        {1, 1, 0, 21, "TRUE"},
        {1, 1, 1, 21, "FALSE"},
        {1, 1, 2, 21, "#N/A"},
        {1, 1, 3, 21, "#DIV/0!"},
        {1, 1, 4, 21, "#VALUE!"},
        {1, 2, 0, 21, "after"},
        {1, 2, 1, 21, "2.5"},
    };
    EXPECT_EQ(r.cells, expected);
    EXPECT_EQ(r.sheetNames, std::vector<std::string>{"Long"});
}

TEST(XBiff, LabelAndStringGoOnInContinueRecords) {
    // BIFF5: the bytes go on directly; a STRING result likewise.
    const std::string label5 = Record(0x0204, Bytes().u16(0).u16(0).u16(9).u16(6).raw("abc")) +
                               Record(0x003C, "de") + Record(0x003C, "f");
    const std::string formula =
        Record(0x0006, Bytes().u16(1).u16(0).u16(9).raw(NonNumeric(0, 0)).u16(0).u32(0).u16(0));
    const std::string string5 = Record(0x0207, Bytes().u16(4).raw("wx")) + Record(0x003C, "yz");
    auto r = Load(Sheet(5, label5 + formula + string5));
    EXPECT_EQ(r.cells, (std::vector<Cell>{{1, 0, 0, 9, "abcdef"}, {1, 1, 0, 9, "wxyz"}}));

    // BIFF8: the characters go on after an option byte, which may switch to
    // 16-bit characters.
    const std::string label8 = Record(0x0204, Bytes().u16(0).u16(0).u16(9).u16(4).u8(0).raw("ab")) +
                               Record(0x003C, Bytes().u8(1).utf16(u"納品"));
    r = Load(Sheet(8, label8));
    EXPECT_EQ(r.cells, (std::vector<Cell>{{1, 0, 0, 9, "ab" + S("納品")}}));

    // A continuation that is missing or short is still refused.
    const std::string cut5 = Record(0x0204, Bytes().u16(0).u16(0).u16(9).u16(6).raw("abc"));
    EXPECT_EQ(biff::FailureOf(Sheet(5, cut5)), Failure::UnknownFormat);
    EXPECT_EQ(biff::FailureOf(Sheet(5, cut5 + Record(0x003C, "d"))), Failure::UnknownFormat);
    EXPECT_EQ(biff::FailureOf(Sheet(5, formula + Record(0x0207, Bytes().u16(4).raw("wx")))),
              Failure::UnknownFormat);
    const std::string cut8 = Record(0x0204, Bytes().u16(0).u16(0).u16(9).u16(4).u8(0).raw("ab"));
    EXPECT_EQ(biff::FailureOf(Sheet(8, cut8)), Failure::UnknownFormat);
    EXPECT_EQ(biff::FailureOf(Sheet(8, cut8 + Record(0x003C, Bytes().u8(0).raw("c")))),
              Failure::StreamRead);
}

// A BIFF5 file whose CODEPAGE record says 1252 (gnumeric's export in a
// western locale): letters code page 932 has are converted, others are "?".
TEST(XBiff, Biff5CodePageIsHonoured) {
    TXBiff reader;
    biff::Recorder r;
    r.Attach(reader);
    reader.LoadFile(std::filesystem::path(NOTORIO_TEST_DATA) / "xls" / "biff5-cp1252.xls");
    const std::vector<Cell> expected = {
        {1, 0, 0, 21, "na?ve"}, {1, 0, 1, 21, "caf?"},  {1, 0, 2, 22, S("￡") + "5"},
        {1, 1, 0, 21, "?r?"},   {1, 1, 1, 21, "plain"},
    };
    EXPECT_EQ(r.cells, expected);
    EXPECT_EQ(r.sheetNames, std::vector<std::string>{"Caf?"});

    // Code page 932 (the writer's) and files without the record keep their
    // bytes; so does BIFF8, whose byte texts are Latin-1 whatever it says.
    const std::string name = S("品名");
    const std::string label = Record(0x0204, Bytes().u16(0).u16(0).u16(9).u16(4).raw(name));
    for (unsigned page : {932u, 0u}) {
        const std::string codePage = page ? Record(0x0042, Bytes().u16(page)) : "";
        EXPECT_EQ(Load(Sheet(5, codePage + label)).cells, (std::vector<Cell>{{1, 0, 0, 9, name}}));
    }
    const std::string latin = Record(0x0204, Bytes().u16(0).u16(0).u16(9).u16(1).u8(0).raw("\xE9"));
    EXPECT_EQ(Load(Sheet(8, Record(0x0042, Bytes().u16(1251)) + latin)).cells,
              (std::vector<Cell>{{1, 0, 0, 9, "?"}}));
    // 1251 turns 0xC4 into Cyrillic De, which code page 932 has.
    EXPECT_EQ(Load(Sheet(4, Record(0x0042, Bytes().u16(1251)) +
                                Record(0x0204, Bytes().u16(0).u16(0).u16(9).u16(1).raw("\xC4"))))
                  .cells,
              (std::vector<Cell>{{1, 0, 0, 9, S("Д")}}));
}

TEST(XBiff, BoolErrCellsAreReported) {
    auto boolErr = [](int col, int value, int isError) {
        return Record(0x0205, Bytes().u16(0).u16(col).u16(15).u8(value).u8(isError));
    };
    const std::string records = boolErr(0, 1, 0) + boolErr(1, 0, 0) + boolErr(2, 0x2A, 1) +
                                boolErr(3, 0x07, 1) + boolErr(4, 0x17, 1) + boolErr(5, 0x99, 1);
    const std::vector<Cell> expected = {{1, 0, 0, 15, "TRUE"},
                                        {1, 0, 1, 15, "FALSE"},
                                        {1, 0, 2, 15, "#N/A"},
                                        {1, 0, 3, 15, "#DIV/0!"},
                                        {1, 0, 4, 15, "#REF!"}};
    for (int version : {3, 5, 8}) {
        EXPECT_EQ(Load(Sheet(version, records)).cells, expected)
            << version; // unknown code: nothing
    }
    // BIFF2: three attribute bytes.
    const std::string biff2 = Record(0x0005, Bytes().u16(2).u16(1).u8(1).u8(2).u8(3).u8(1).u8(0));
    EXPECT_EQ(Load(Sheet(2, biff2)).cells, (std::vector<Cell>{{1, 2, 1, 0x030201, "TRUE"}}));
    EXPECT_EQ(biff::FailureOf(Sheet(8, Record(0x0205, Bytes().u16(0).u16(0).u16(15).u8(1)))),
              Failure::UnknownFormat);
}

// Files beyond 256 MiB are refused before they are read (a sparse file
// takes no disk space, and the test no time).
TEST(XBiff, FilesBeyondTheSizeCapAreRefused) {
    const auto path = TempPath("huge.xls");
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out << Sheet(2, "");
    }
    std::filesystem::resize_file(path, (std::uintmax_t{256} << 20) + 1);
    TXBiff reader;
    try {
        reader.LoadFile(path.string());
        FAIL() << "a file beyond the cap was read";
    } catch (const EXBiffError& e) {
        EXPECT_EQ(e.failure(), Failure::UnknownFormat);
    }
    std::filesystem::remove(path);
}

namespace {

// A stream handed out in the pieces the reader asks for, counting them.
class PieceSource : public xbiff::StreamSource {
public:
    explicit PieceSource(std::string bytes) : bytes_(std::move(bytes)) {}
    std::uint64_t Size() const override { return bytes_.size(); }
    void Read(char* out, std::size_t n) override {
        ASSERT_LE(n, bytes_.size() - done_);
        std::memcpy(out, bytes_.data() + done_, n);
        done_ += n;
        largest_ = std::max(largest_, n);
        ++pieces_;
    }
    int pieces_ = 0;
    std::size_t largest_ = 0;

private:
    std::string bytes_;
    std::size_t done_ = 0;
};

// A shared-string table cut into records of at most 8224 bytes as Excel
// cuts it: a string's header stays whole, its characters go on in the next
// CONTINUE record after an option byte.
std::string SharedStringTable(const std::vector<std::u16string>& texts) {
    constexpr std::size_t kLimit = 8224;
    std::vector<std::string> bodies{Bytes().u32(texts.size()).u32(texts.size())};
    for (const std::u16string& text : texts) {
        const bool wide =
            std::any_of(text.begin(), text.end(), [](char16_t c) { return c > 0xFF; });
        if (bodies.back().size() + 3 > kLimit) {
            bodies.emplace_back();
        }
        bodies.back() += Bytes().u16(static_cast<unsigned>(text.size())).u8(wide ? 1 : 0).s;
        for (char16_t c : text) {
            if (bodies.back().size() + (wide ? 2 : 1) > kLimit) {
                bodies.push_back(Bytes().u8(wide ? 1 : 0));
            }
            bodies.back() += wide ? Bytes().u16(c).s : Bytes().u8(c).s;
        }
    }
    std::string records = Record(0x00FC, bodies[0]);
    for (std::size_t i = 1; i < bodies.size(); ++i) {
        records += Record(0x003C, bodies[i]);
    }
    return records;
}

// A BIFF8 sheet larger than several windows: shared strings (16-bit and
// 8-bit, some longer than a record) over CONTINUE records, text and number
// cells, column widths, and skipped records of the largest size that fall
// across the window's edges.
std::string LargeSheet() {
    constexpr int kStrings = 3000;
    std::vector<std::u16string> texts;
    for (int i = 0; i < kStrings; ++i) {
        const std::string digits = std::to_string(i);
        const std::u16string number(digits.begin(), digits.end());
        texts.push_back(i % 1000 == 999 ? std::u16string(5000 + i, u'\u5B57')
                        : i % 2 == 0    ? u"\u54C1\u76EE" + number
                                        : u"item " + number);
    }
    std::string records = SharedStringTable(texts);
    for (int row = 0; row < 30000; ++row) {
        records += Record(0x00FD, Bytes().u16(row).u16(0).u16(15).u32((row * 7) % kStrings));
        records += Record(0x0203, Bytes().u16(row).u16(1).u16(15).f64(row * 0.25));
        if (row % 3000 == 1) {
            records += Record(0x0999, std::string(65535 - row % 7, 'x'));
            records += Record(0x007D, Bytes().u16(2).u16(3).u16(row).u16(0).u16(0));
        }
    }
    return Sheet(8, records);
}

} // namespace

TEST(XBiff, StreamReadInPiecesReportsWhatTheWholeStreamReports) {
    const std::string stream = LargeSheet();
    const biff::Recorder whole = Load(stream);
    ASSERT_EQ(whole.cells.size(), 60000u);
    EXPECT_EQ(whole.cells[2].data, "item 7");
    EXPECT_EQ(whole.cells[4].data, S("品目14"));
    // Row 1857 shows string 999, 5999 characters over a record's length.
    std::string long999;
    for (int i = 0; i < 5999; ++i) {
        long999 += S("字");
    }
    EXPECT_EQ(whole.cells[2 * 1857].data, long999);

    PieceSource source(stream);
    TXBiff reader;
    biff::Recorder pieces;
    pieces.Attach(reader);
    xbiff::RecordLoop loop(reader, source, xbiff::RecordLoop::kMinWindow);
    loop.Run();
    EXPECT_EQ(pieces.cells, whole.cells);
    EXPECT_EQ(pieces.widths, whole.widths);
    EXPECT_EQ(pieces.progress, whole.progress);
    // Read in many pieces, none larger than the window.
    EXPECT_GT(source.pieces_, static_cast<int>(stream.size() / xbiff::RecordLoop::kMinWindow));
    EXPECT_LE(source.largest_, xbiff::RecordLoop::kMinWindow);

    // A file is read the same way.
    const auto path = std::filesystem::temp_directory_path() /
                      ("notorio-large-" + std::to_string(getpid()) + ".xls");
    std::ofstream(path, std::ios::binary) << stream;
    TXBiff fromFile;
    biff::Recorder file;
    file.Attach(fromFile);
    fromFile.LoadFile(path.string());
    std::filesystem::remove(path);
    EXPECT_EQ(file.cells, whole.cells);

    // The data ends inside a record that lies in a later window.
    PieceSource cut(stream.substr(0, stream.size() - 100));
    TXBiff cutReader;
    xbiff::RecordLoop cutLoop(cutReader, cut, xbiff::RecordLoop::kMinWindow);
    try {
        cutLoop.Run();
        ADD_FAILURE() << "a cut stream loaded";
    } catch (const EXBiffError& e) {
        EXPECT_EQ(e.failure(), Failure::StreamRead);
    }
}
