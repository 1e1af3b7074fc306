// Conversion between code page 932 bytes (the system's text model) and UTF-8
// (what the toolkit and the terminal speak). This is the only place where
// the two meet; the Qt layer wraps it for QString.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace cp932 {

// CP932 bytes to UTF-8. A byte sequence that is not CP932 becomes U+FFFD.
std::string ToUtf8(std::string_view cp932);
// The same, appended to `out`.
void AppendToUtf8(std::string_view cp932, std::string& out);
// The system's converter alone, which the tables behind ToUtf8 are made
// from when the program is built: slower, the same bytes.
std::string ToUtf8ByConverter(std::string_view cp932);

// How many texts this thread has sent through the system's converter. The
// tables answer every character of the basic plane and every CP932 byte
// without it; tests count on that.
std::size_t ConverterRuns();

// UTF-8 to CP932 bytes. The JIS forms of a few characters that Japanese
// input methods produce (wave dash, minus sign, double vertical line, cent,
// pound, not sign, em dash) map to their CP932 code points; a character CP932
// cannot hold becomes "?".
std::string FromUtf8(std::string_view utf8);

// UTF-16 units to CP932 bytes, as FromUtf8 converts the same characters; a
// lone surrogate becomes "?".
std::string FromUtf16(std::u16string_view units);
// The same, appended to `out`.
void AppendFromUtf16(std::u16string_view units, std::string& out);

// The characters of a UTF-8 text that CP932 cannot hold (those FromUtf8
// turns into "?"), each once, in the order they first occur; empty when the
// whole text survives. A sequence that is not UTF-8 counts as lost too.
std::string LostCharacters(std::string_view utf8);

// Bytes of a Windows code page (1252, 1251, ...; 367 ASCII, 10000 and 32768
// Macintosh) to CP932: characters CP932 holds become those, others "?".
// Texts already in CP932 (code page 932), of a code page the system cannot
// convert, and plain ASCII are returned as they are.
std::string FromCodePage(std::string_view bytes, int codePage);

// True when `byte` is the first byte of a double-byte character.
constexpr bool IsLeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

} // namespace cp932

// A UTF-8 literal of the source as CP932 bytes: S("様").
inline std::string S(std::string_view utf8) {
    return cp932::FromUtf8(utf8);
}
