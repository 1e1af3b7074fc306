// Damaged spreadsheet files: each load ends with one of the component's
// messages, never reads out of bounds and never hangs.
#include "BiffBuilder.h"
#include "XbiffStorage.h"
#include "Xwritebiff.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>

using biff::Bytes;
using biff::FailureOf;
using biff::Record;
using biff::Sheet;
using xbiff::Failure;

namespace {

std::string Fixture(const std::string& name) {
    std::ifstream in(std::filesystem::path(NOTORIO_TEST_DATA) / "xls" / name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Offsets of the records of a stream that starts with a BOF.
std::vector<size_t> RecordStarts(const std::string& stream) {
    std::vector<size_t> starts;
    for (size_t pos = 0; pos + 4 <= stream.size();) {
        starts.push_back(pos);
        pos += 4 + (static_cast<unsigned char>(stream[pos + 2]) |
                    static_cast<unsigned char>(stream[pos + 3]) << 8);
    }
    return starts;
}

// The fixture's compound document with 512-byte sectors, edited in place.
class CompoundFile {
public:
    explicit CompoundFile(std::string bytes) : bytes_(std::move(bytes)) {}
    std::uint32_t U32(size_t at) const {
        std::uint32_t v;
        std::memcpy(&v, bytes_.data() + at, 4);
        return v;
    }
    void SetU32(size_t at, std::uint32_t v) { std::memcpy(bytes_.data() + at, &v, 4); }
    static size_t SectorOffset(std::uint32_t sector) { return (sector + 1) * 512; }
    // Where the allocation table holds the successor of `sector`.
    size_t FatEntry(std::uint32_t sector) const {
        return SectorOffset(U32(0x4C + 4 * (sector / 128))) + 4 * (sector % 128);
    }
    size_t DirectoryEntry(int index) const { return SectorOffset(U32(0x30)) + 128 * index; }
    std::string bytes_;
};

} // namespace

TEST(XBiffDamage, RecordsShorterThanTheirFields) {
    const std::vector<std::pair<unsigned, std::string>> records = {
        {0x0002, Bytes().u16(0).u16(0).u8(0).u8(0).u8(0).u16(1)},
        {0x0003, Bytes().u16(0).u16(0).u8(0).u8(0).u8(0).f64(1)},
        {0x0203, Bytes().u16(0).u16(0).u16(0).f64(1)},
        {0x027E, Bytes().u16(0).u16(0).u16(0).u32(2)},
        {0x0004, Bytes().u16(0).u16(0).u8(0).u8(0).u8(0).u8(1).raw("a")},
        {0x0204, Bytes().u16(0).u16(0).u16(0).u16(1).raw("a")},
        {0x00D6, Bytes().u16(0).u16(0).u16(0).u16(1).raw("a")},
        {0x00FD, Bytes().u16(0).u16(0).u16(0).u32(0)},
        {0x0006, Bytes().u16(0).u16(0).u16(0).f64(1)},
        {0x007D, Bytes().u16(0).u16(0).u16(0)},
        {0x0085, Bytes().u32(0).u16(0).u8(1).raw("a")},
        {0x0809, Bytes().u16(0).u16(0x10)},
    };
    for (const auto& [number, body] : records) {
        SCOPED_TRACE(number);
        // BIFF2 layout for the BIFF2 records, BIFF5 for the others.
        const int version = number < 0x10 && number != 0x0006 ? 2 : 5;
        const std::string close = number == 0x0809 ? biff::Eof() : "";
        EXPECT_EQ(FailureOf(Sheet(version, Record(number, body) + close)), std::nullopt);
        EXPECT_EQ(
            FailureOf(Sheet(version, Record(number, body.substr(0, body.size() - 1)) + close)),
            Failure::UnknownFormat);
    }
    // A BIFF8 text whose characters run past its record; a MULRK that is not
    // whole (format index, value) pairs.
    EXPECT_EQ(
        FailureOf(Sheet(8, Record(0x0204, Bytes().u16(0).u16(0).u16(0).u16(2).u8(1).u16('a')))),
        Failure::UnknownFormat);
    EXPECT_EQ(FailureOf(Sheet(8, Record(0x00BD, Bytes().u16(0).u16(0).u16(0).u32(2).u16(0).u8(0)))),
              Failure::UnknownFormat);
}

TEST(XBiffDamage, StreamsThatEndEarly) {
    EXPECT_EQ(FailureOf(""), Failure::UnknownFormat);
    EXPECT_EQ(FailureOf("no records here"), Failure::UnknownFormat);
    // A record whose length goes past the data.
    EXPECT_EQ(FailureOf(Sheet(2, "") + std::string(Bytes().u16(0x0004).u16(0xFFFF).raw("ab"))),
              Failure::StreamRead);
    // A plain stream cut at every record boundary and inside every record:
    // the cells before the cut are reported, then the load fails.
    std::string stream;
    {
        const auto path = std::filesystem::temp_directory_path() / "xbiff-damage-writer.xls";
        TWriteBiff writer(path.string(), 3, 3);
        writer.WriteCell(0, 0, 0, "12");
        writer.WriteCell(0, 1, 0, "1.5");
        writer.WriteCell(1, 0, 0, "text");
        writer.Finish();
        stream = writer.Bytes();
        std::filesystem::remove(path);
    }
    const auto whole = biff::Load(stream).cells;
    const auto starts = RecordStarts(stream);
    for (size_t cut = 0; cut < stream.size(); ++cut) {
        SCOPED_TRACE(cut);
        TXBiff reader;
        biff::Recorder r;
        r.Attach(reader);
        EXPECT_THROW(reader.LoadData(stream.substr(0, cut)), EXBiffError);
        EXPECT_EQ(r.cells, std::vector<biff::Cell>(whole.begin(), whole.begin() + r.cells.size()));
    }
    // The workbook stream of the BIFF8 fixture, cut at and inside records.
    const std::string file = Fixture("biff8.xls");
    const xbiff::WorkbookData book = xbiff::FindWorkbookData(file);
    const std::string workbook = xbiff::ReadRest(*book.source);
    const auto workbookStarts = RecordStarts(workbook);
    for (size_t i = 0; i < workbookStarts.size(); ++i) {
        const size_t start = workbookStarts[i];
        for (size_t cut : {start, start + 1, start + 5}) {
            // Every boundary near the ends of the stream, a sample in between.
            const bool nearEnd = i < 40 || i + 40 > workbookStarts.size();
            if (cut >= workbook.size() || (!nearEnd && i % (cut == start ? 16 : 64) != 0)) {
                continue;
            }
            const auto failure = FailureOf(workbook.substr(0, cut));
            ASSERT_TRUE(failure == Failure::StreamRead ||
                        (failure == Failure::UnknownFormat && cut < 20))
                << cut;
        }
    }
}

TEST(XBiffDamage, SharedStringTables) {
    const auto sst = [](const std::string& body) { return Sheet(8, Record(0x00FC, body)); };
    // Counts of 2^32 - 1 are not trusted: the strings end with the data.
    EXPECT_EQ(FailureOf(sst(Bytes().u32(0xFFFFFFFF).u32(0xFFFFFFFF).u16(1).u8(0).raw("a"))),
              std::nullopt);
    EXPECT_EQ(FailureOf(sst(Bytes().u32(1).u32(1).u16(0xFFFF).u8(0).raw("abc"))),
              Failure::StreamRead);
    EXPECT_EQ(FailureOf(sst(Bytes().u32(1).u32(1).u16(1).u8(4).u32(0xFFFFFFFF).raw("a"))),
              Failure::StreamRead);
    EXPECT_EQ(FailureOf(sst(Bytes().u32(1).u32(1).u16(1).u8(8).u16(0xFFFF).raw("a"))),
              Failure::StreamRead);
    EXPECT_EQ(FailureOf(sst(Bytes().u32(1))), Failure::StreamRead);
    // A 16-bit character split by a CONTINUE boundary.
    EXPECT_EQ(FailureOf(Sheet(8, Record(0x00FC, Bytes().u32(1).u32(1).u16(2).u8(1).u8('a')) +
                                     Record(0x003C, Bytes().u8(0).u8(1).raw("b")))),
              Failure::StreamRead);
    // Records longer than 8224 bytes.
    const std::string big = Bytes().u32(1).u32(1).u16(8214).u8(0).raw(std::string(8214, 'a'));
    EXPECT_EQ(FailureOf(sst(big.substr(0, 8224))), Failure::StreamRead);
    EXPECT_EQ(FailureOf(sst(big + "a")), Failure::UnknownFormat);
    EXPECT_EQ(FailureOf(Sheet(8, Record(0x00FC, Bytes().u32(0).u32(0)) +
                                     Record(0x003C, std::string(8225, '\0')))),
              Failure::UnknownFormat);
}

TEST(XBiffDamage, BrokenCompoundDocuments) {
    const std::string original = Fixture("biff8.xls");
    ASSERT_EQ(FailureOf(original), std::nullopt);
    CompoundFile file(original);
    const size_t workbook = file.DirectoryEntry(1);
    ASSERT_EQ(file.U32(workbook + 0x74), 0u); // the stream starts in sector 0

    const std::vector<std::pair<const char*, std::function<void(CompoundFile&)>>> damages = {
        {"workbook chain loops back", [](CompoundFile& f) { f.SetU32(f.FatEntry(9), 3); }},
        {"workbook chain loops on itself", [](CompoundFile& f) { f.SetU32(f.FatEntry(0), 0); }},
        {"chain leaves the file", [](CompoundFile& f) { f.SetU32(f.FatEntry(5), 100000); }},
        {"stream size beyond the file",
         [workbook](CompoundFile& f) { f.SetU32(workbook + 0x78, 0x7FFFFFF0); }},
        {"allocation table sector count absurd",
         [](CompoundFile& f) { f.SetU32(0x2C, 0xFFFFFFFF); }},
        {"directory beyond the file", [](CompoundFile& f) { f.SetU32(0x30, 0x00FFFFFF); }},
        {"no workbook stream", [workbook](CompoundFile& f) { f.bytes_[workbook] = 'X'; }},
        {"truncated header", [](CompoundFile& f) { f.bytes_.resize(300); }},
    };
    for (const auto& [what, damage] : damages) {
        SCOPED_TRACE(what);
        CompoundFile damaged(original);
        damage(damaged);
        EXPECT_NE(FailureOf(damaged.bytes_), std::nullopt);
    }
    // The directory's one sector pointing at itself: the loop is cut and
    // the document reads as before.
    CompoundFile looped(original);
    looped.SetU32(looped.FatEntry(looped.U32(0x30)), looped.U32(0x30));
    EXPECT_EQ(biff::Load(looped.bytes_).cells, biff::Load(original).cells);
    // Cut at every sector boundary and inside sectors.
    for (size_t cut = 512; cut < original.size(); cut += 509) {
        EXPECT_NE(FailureOf(original.substr(0, cut)), std::nullopt) << cut;
    }
}
