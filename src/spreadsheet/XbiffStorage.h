// Where the BIFF records of a spreadsheet file are: the whole file for a
// plain record stream, or the workbook stream of a compound document.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace xbiff {

// The largest spreadsheet file the reader takes (256 MiB); a larger one is
// refused as UnknownFormat before anything of it is read.
constexpr std::uint64_t kMaxFileSize = std::uint64_t{256} << 20;

struct WorkbookData {
    int kind = 2;          // 2 plain stream, 4 stream "Book", 5 stream "Workbook"
    bool compound = false; // the records come from a compound document
    std::string stream;    // the workbook stream's bytes (compound documents)
    std::string_view file; // the file's bytes (plain streams)

    std::string_view Records() const { return compound ? std::string_view(stream) : file; }
};

// True when the bytes start with the compound document signature.
bool IsCompoundDocument(std::string_view file);

// Finds the record stream of a file held in memory (`file` must outlive the
// result). A compound document is opened through libgsf and its "Workbook"
// or "Book" stream (names compared without regard to case) copied out.
// Throws EXBiffError: UnknownFormat for a compound document that cannot be
// opened or holds no workbook stream, StreamRead for a stream that cannot
// be read.
WorkbookData FindWorkbookData(std::string_view file);

// Reads the record stream of the file at `path`, holding it in memory once:
// a plain record stream is read whole, a compound document is read through
// libgsf from the file and only its workbook stream is kept. Throws
// EXBiffError: OpenFailed when the file cannot be opened or read,
// UnknownFormat for a file larger than kMaxFileSize, and the failures of
// FindWorkbookData.
WorkbookData ReadWorkbookFile(const std::string& path);

} // namespace xbiff
