// The output of `notorio-cli read-xls`: one JSON object per event of the
// spreadsheet reader, one per line, UTF-8. The lines are built in a block
// of memory of their own that goes to a sink when it is full, so a sheet of
// a million cells prints as fast as the reader reads it. The command and
// the reader benchmark both print through it.
#pragma once

#include "Xbiff.h"

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace cli {

class XlsJsonLines {
public:
    // Takes full blocks of lines; returns false when they could not be
    // written (nothing more is printed then).
    using Sink = std::function<bool(const char* data, std::size_t size)>;

    explicit XlsJsonLines(Sink sink);
    ~XlsJsonLines();
    XlsJsonLines(const XlsJsonLines&) = delete;
    XlsJsonLines& operator=(const XlsJsonLines&) = delete;

    // Sets the reader's events to print their lines. A cell sets Cancel
    // once a write has failed.
    void Attach(TXBiff& reader);

    // Hands what is in the block to the sink; false once any write failed.
    bool Flush();
    bool Failed() const { return failed_; }

    // The lines of each event, written at the block's cursor.
    void SheetLine(const std::string& name);
    void ColumnWidthLine(int sheet, int col, int width);
    void CellLine(int sheet, int row, int col, int attr, const std::string& data);

private:
    char* Reserve(std::size_t n);
    void EndLine(char* end);
    void String(char*& out, const std::string& cp932Text);
    void Write(const char* data, std::size_t size);

    static constexpr std::size_t kBlock = 1 << 17;
    Sink sink_;
    std::unique_ptr<char[]> block_;
    std::size_t used_ = 0;
    bool failed_ = false;
    std::string utf8_; // the UTF-8 of a text that is not ASCII
};

// CP932 bytes to UTF-8 as cp932::ToUtf8 converts them (a sequence that is
// not CP932 becomes U+FFFD), appended to `out`; through a table of every
// character, built on first use from that converter.
void AppendCp932AsUtf8(std::string_view cp932Text, std::string& out);

} // namespace cli
