// Where the BIFF records of a spreadsheet file are: the whole file for a
// plain record stream, or the workbook stream of a compound document.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace xbiff {

// The largest spreadsheet file the reader takes (256 MiB); a larger one is
// refused as UnknownFormat before anything of it is read.
constexpr std::uint64_t kMaxFileSize = std::uint64_t{256} << 20;

// The bytes of a record stream, handed out from the start in pieces, so
// that a large workbook is never held in memory whole.
class StreamSource {
public:
    virtual ~StreamSource() = default;
    // The length of the stream in bytes.
    virtual std::uint64_t Size() const = 0;
    // Reads the next `n` bytes (at most what is left) into `out`. Throws
    // EXBiffError(StreamRead) when they cannot be read.
    virtual void Read(char* out, std::size_t n) = 0;
};

struct WorkbookData {
    int kind = 2;                         // 2 plain stream, 4 stream "Book", 5 stream "Workbook"
    bool compound = false;                // the records come from a compound document
    std::unique_ptr<StreamSource> source; // the records (null: the bytes given, a plain stream)
};

// What is left of a source, read whole.
std::string ReadRest(StreamSource& source);

// True when the bytes start with the compound document signature.
bool IsCompoundDocument(std::string_view file);

// Finds the record stream of a file held in memory (`file` must outlive the
// result): for a compound document, opened through libgsf, a source that
// reads its "Workbook" or "Book" stream (names compared without regard to
// case); for a plain stream none, the records being `file` itself.
// Throws EXBiffError: UnknownFormat for a compound document that cannot be
// opened or holds no workbook stream, StreamRead for a stream that cannot
// be read.
WorkbookData FindWorkbookData(std::string_view file);

// Opens the record stream of the file at `path` as a source that reads it
// from the file piece by piece: a plain record stream as it is, the
// workbook stream of a compound document through libgsf. Throws
// EXBiffError: OpenFailed when the file cannot be opened or read,
// UnknownFormat for a file larger than kMaxFileSize, and the failures of
// FindWorkbookData.
WorkbookData ReadWorkbookFile(const std::string& path);

} // namespace xbiff
