#include "Cp932.h"

#include "Cp932Converter.h"
#include "Cp932Tables.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>

namespace cp932 {
namespace {

using converter::Converter;
using converter::DecodeBasicPlane;
using converter::IsSurrogate;

// Appends the CP932 code of a character of the basic plane.
void AppendCode(std::uint16_t code, std::string& out) {
    if (code >= 0x100) {
        out.push_back(static_cast<char>(code >> 8));
    }
    out.push_back(static_cast<char>(code & 0xFF));
}

// Appends the CP932 form of `utf8` from the table; false, with `out` left
// unspecified, when the text holds something other than well-formed
// characters of the basic plane (the converter then takes the whole text).
bool AppendFromTable(std::string_view utf8, std::string& out) {
    out.reserve(out.size() + utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        const unsigned char first = static_cast<unsigned char>(utf8[i]);
        if (first < 0x80) {
            out.push_back(static_cast<char>(first));
            ++i;
            continue;
        }
        char32_t code = 0;
        std::size_t length = 0;
        if (!DecodeBasicPlane(utf8.substr(i), code, length)) {
            return false;
        }
        AppendCode(tables::kBasicPlane[code], out);
        i += length;
    }
    return true;
}

// The same for 16-bit units; false when they hold a surrogate. Both bytes
// of a code are written and the second kept only for a double-byte one: no
// branch on the kind of character.
bool AppendFromTable(std::u16string_view units, std::string& out) {
    const std::size_t start = out.size();
    out.resize(start + 2 * units.size());
    char* p = out.data() + start;
    for (const char16_t unit : units) {
        if (IsSurrogate(unit)) {
            return false;
        }
        const std::uint16_t code = tables::kBasicPlane[unit];
        const bool two = code >= 0x100;
        p[0] = static_cast<char>(two ? code >> 8 : code);
        p[1] = static_cast<char>(code & 0xFF);
        p += two ? 2 : 1;
    }
    out.resize(static_cast<std::size_t>(p - out.data()));
    return true;
}

// What each byte starts: one look-up for every branch of the loop below.
enum class Start : std::uint8_t { kAscii, kSingle, kPair };
constexpr std::array<Start, 0x100> kStarts = [] {
    std::array<Start, 0x100> starts{};
    for (int byte = 0; byte < 0x100; ++byte) {
        starts[byte] = byte < 0x80                                    ? Start::kAscii
                       : IsLeadByte(static_cast<unsigned char>(byte)) ? Start::kPair
                                                                      : Start::kSingle;
    }
    return starts;
}();

// U+FFFD for a lead byte that ends the text.
constexpr std::uint32_t kCutOff = 3u << 24 | 0xEFBFBD;

// Appends the UTF-8 of `text` from the tables: at most three bytes of UTF-8
// a byte (a single-byte katakana), written in place, each character's three
// bytes at once.
void AppendFromTables(std::string_view text, std::string& out) {
    const std::size_t start = out.size();
    out.resize(start + 3 * text.size() + 3);
    char* p = out.data() + start;
    const char* const end = text.data() + text.size();
    for (const char* at = text.data(); at != end; ++at) {
        const unsigned char c = static_cast<unsigned char>(*at);
        std::uint32_t packed;
        switch (kStarts[c]) {
        case Start::kAscii:
            *p++ = static_cast<char>(c);
            continue;
        case Start::kSingle:
            packed = tables::kSingles[c - 0x80];
            break;
        case Start::kPair:
        default:
            packed = at + 1 == end ? kCutOff
                                   : tables::kDoubles[tables::LeadRow(c) * 0x100 +
                                                      static_cast<unsigned char>(*++at)];
            break;
        }
        p[0] = static_cast<char>(packed >> 16);
        p[1] = static_cast<char>(packed >> 8);
        p[2] = static_cast<char>(packed);
        p += tables::Utf8Length(packed);
    }
    out.resize(static_cast<std::size_t>(p - out.data()));
}

// UTF-16 to UTF-8: a surrogate pair is its character, a lone surrogate
// U+FFFD.
void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

std::string Utf16ToUtf8(std::u16string_view units) {
    std::string utf8;
    for (std::size_t i = 0; i < units.size(); ++i) {
        const char16_t u = units[i];
        const bool high = u >= 0xD800 && u <= 0xDBFF;
        if (high && i + 1 < units.size() && units[i + 1] >= 0xDC00 && units[i + 1] <= 0xDFFF) {
            AppendUtf8(utf8, 0x10000 + ((char32_t(u) - 0xD800) << 10) + (units[i + 1] - 0xDC00));
            ++i;
        } else {
            AppendUtf8(utf8, IsSurrogate(u) ? char32_t{0xFFFD} : char32_t{u});
        }
    }
    return utf8;
}

// ASCII bytes are the same characters in CP932 and UTF-8.
bool IsAscii(std::string_view bytes) {
    return std::all_of(bytes.begin(), bytes.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

} // namespace

void AppendToUtf8(std::string_view bytes, std::string& out) {
    AppendFromTables(bytes, out);
}

std::string ToUtf8(std::string_view bytes) {
    if (IsAscii(bytes)) {
        return std::string(bytes);
    }
    std::string out;
    AppendToUtf8(bytes, out);
    return out;
}

std::string FromCodePage(std::string_view bytes, int codePage) {
    if (IsAscii(bytes) || codePage == 932) {
        return std::string(bytes);
    }
    // One descriptor, reopened when another code page is asked for.
    thread_local int openPage = 0;
    thread_local std::unique_ptr<Converter> converter;
    if (openPage != codePage) {
        std::string name = codePage == 367 ? "ASCII"
                           : codePage == 10000 || codePage == 32768
                               ? "MACINTOSH"
                               : "CP" + std::to_string(codePage);
        converter.reset();
        openPage = codePage;
        try {
            converter = std::make_unique<Converter>("UTF-8", name.c_str());
        } catch (const std::runtime_error&) {
            // Not a code page the system knows: the bytes stay as they are.
        }
    }
    if (!converter) {
        return std::string(bytes);
    }
    return FromUtf8(converter->Run(bytes, "?", [](std::string_view) { return size_t{1}; }));
}

std::string LostCharacters(std::string_view utf8) {
    if (IsAscii(utf8)) {
        return std::string();
    }
    thread_local Converter fromUtf8("CP932", "UTF-8");
    std::string lost;
    fromUtf8.Run(converter::ReplaceAliases(utf8), "", [&lost](std::string_view rest) {
        const size_t n = converter::Utf8SequenceLength(rest);
        const std::string_view character = rest.substr(0, n);
        if (lost.find(character) == std::string::npos) {
            lost.append(character);
        }
        return n;
    });
    return lost;
}

std::string FromUtf8(std::string_view utf8) {
    if (IsAscii(utf8)) {
        return std::string(utf8);
    }
    std::string out;
    if (AppendFromTable(utf8, out)) {
        return out;
    }
    return converter::FromUtf8(utf8);
}

void AppendFromUtf16(std::u16string_view units, std::string& out) {
    const std::size_t start = out.size();
    std::size_t ascii = 0;
    while (ascii < units.size() && units[ascii] < 0x80) {
        ++ascii;
    }
    if (ascii == units.size()) {
        out.append(units.begin(), units.end());
        return;
    }
    if (!AppendFromTable(units, out)) {
        out.resize(start);
        out += converter::FromUtf8(Utf16ToUtf8(units));
    }
}

std::string FromUtf16(std::u16string_view units) {
    std::string out;
    AppendFromUtf16(units, out);
    return out;
}

} // namespace cp932
