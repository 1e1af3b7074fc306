// 16-bit (UTF-16LE) spreadsheet text to code page 932 bytes.
#pragma once

#include <string>

namespace xbiff {

// Converts UTF-16 code units to CP932 bytes. Plain ASCII is copied as it is;
// other characters go through the codec, so characters CP932 cannot hold
// (and unpaired surrogates) become "?".
std::string Utf16ToCp932(const std::u16string& units);

// The same conversion appended to `out`. Characters of the basic plane go
// through a table filled from the codec 256 characters at a time as they
// are first met; texts with surrogates through the codec itself.
void AppendUtf16AsCp932(const std::u16string& units, std::string& out);

} // namespace xbiff
