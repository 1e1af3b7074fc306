// The comma-separated text form in which ranges of grid cells travel through
// the clipboard, on code page 932 bytes. Every line ends in CR LF; cells are
// separated by ','; a cell holding a byte 0x01-0x20, a '"' or a ',' is put in
// double quotes with inner quotes doubled; a row that is one empty cell is
// written as "". Reading accepts commas, tabs and spaces as separators, so
// text from other programs pastes cell by cell.
#pragma once

#include <string>
#include <vector>

namespace editing {

// One cell as written in a line: quoted when it needs to be.
std::string QuoteClipboardField(const std::string& cell);

// One row of cells as a line, without its line end.
std::string FormatClipboardLine(const std::vector<std::string>& cells);

// Every row as a line followed by CR LF.
std::string FormatClipboardText(const std::vector<std::vector<std::string>>& rows);

// Splits at CR LF, CR or LF; a final line end starts no further line, and
// reading stops at a byte 0x00.
std::vector<std::string> SplitClipboardLines(const std::string& text);

// Splits a line into its fields; an empty line (or one of blanks) has none.
// A quoted field whose closing quote is missing runs to the end of the line.
std::vector<std::string> SplitClipboardFields(const std::string& line);

} // namespace editing
