// The comma-separated text form in which ranges of grid cells travel through
// the clipboard, on code page 932 bytes. Every line ends in CR LF; cells are
// separated by ','; a cell holding a byte 0x01-0x20, a '"' or a ',' is put in
// double quotes with inner quotes doubled; a row that is one empty cell is
// written as "". Reading accepts commas, tabs and spaces as separators
// outside quotes; a line in which a tab separates fields is read as the
// tab-separated lines of spreadsheet programs instead: split at each tab
// and nowhere else. Reading takes only what the caller asks for, so a huge
// clipboard costs no more than the part of it that is used.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace editing {

// One cell as written in a line: quoted when it needs to be.
std::string QuoteClipboardField(const std::string& cell);

// One row of cells as a line, without its line end.
std::string FormatClipboardLine(const std::vector<std::string>& cells);

// Every row as a line followed by CR LF.
std::string FormatClipboardText(const std::vector<std::vector<std::string>>& rows);

constexpr std::size_t kAllFields = static_cast<std::size_t>(-1);

// The lines of a clipboard text one after the other, split at CR LF, CR or
// LF; a final line end starts no further line, and reading stops at a byte
// 0x00. Each line is found only when it is asked for.
class ClipboardLines {
public:
    explicit ClipboardLines(std::string_view text);
    // The next line (a view into the text); false when there is none.
    bool Next(std::string_view& line);

private:
    std::string_view text_;
    std::size_t pos_ = 0;
};

// Every line of `text` (see ClipboardLines).
std::vector<std::string> SplitClipboardLines(std::string_view text);

// True when a tab separates fields in `line`: one outside a quoted field of
// the comma form (a cell copied from this program may hold a tab inside
// its quotes).
bool IsTabSeparated(std::string_view line);

// The first `maxFields` fields of a line. A tab-separated line is split at
// each tab and nowhere else: an empty text between two tabs is an empty
// field, and spaces, commas and quotes in a field stay. Any other line is
// read in the comma form: an empty line (or one of blanks) has no fields,
// and a quoted field whose closing quote is missing runs to the end of the
// line.
std::vector<std::string> SplitClipboardFields(std::string_view line,
                                              std::size_t maxFields = kAllFields);

} // namespace editing
