#include "XbiffText.h"

#include "Cp932.h"

#include <array>
#include <cstdint>
#include <memory>

namespace xbiff {
namespace {

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

bool IsHighSurrogate(char16_t u) {
    return u >= 0xD800 && u <= 0xDBFF;
}
bool IsLowSurrogate(char16_t u) {
    return u >= 0xDC00 && u <= 0xDFFF;
}

// The CP932 code of each character of the basic plane (one byte below
// 0x100, two bytes above), filled in blocks of 256 characters as they are
// first met: one call of the codec per block, which answers each character
// with exactly one CP932 character or "?".
class BasicPlaneTable {
public:
    // Appends the codes of the characters [from, end) at `out` (two bytes
    // of room each); returns the end of what was written, or null when a
    // character is a surrogate or of a block the codec did not answer one
    // to one.
    char* Write(const char16_t* from, const char16_t* end, char* out) {
        for (; from != end; ++from) {
            const char16_t u = *from;
            if (!loaded_[u >> 8] && !Load(u >> 8)) {
                return nullptr;
            }
            // Both bytes written, the second kept only for a double-byte
            // code: no branch on the kind of character.
            const std::uint16_t code = codes_[u];
            const bool two = code >= 0x100;
            out[0] = static_cast<char>(two ? code >> 8 : code);
            out[1] = static_cast<char>(code & 0xFF);
            out += two ? 2 : 1;
        }
        return out;
    }

private:
    bool Load(unsigned block) {
        if (block >= 0xD8 && block <= 0xDF) {
            return false; // surrogates: never in the table
        }
        std::string utf8;
        for (unsigned c = block << 8; c < (block + 1) << 8; ++c) {
            AppendUtf8(utf8, c);
        }
        const std::string cp932 = cp932::FromUtf8(utf8);
        std::size_t at = 0;
        for (unsigned c = block << 8; c < (block + 1) << 8; ++c) {
            if (at >= cp932.size()) {
                return false;
            }
            const unsigned char first = static_cast<unsigned char>(cp932[at]);
            if (cp932::IsLeadByte(first) && at + 1 < cp932.size()) {
                codes_[c] = static_cast<std::uint16_t>(first << 8 |
                                                       static_cast<unsigned char>(cp932[at + 1]));
                at += 2;
            } else {
                codes_[c] = first;
                at += 1;
            }
        }
        if (at != cp932.size()) {
            return false;
        }
        if (block == 0) {
            for (unsigned c = 0; c < 0x80; ++c) {
                codes_[c] = static_cast<std::uint16_t>(c); // ASCII is itself
            }
        }
        loaded_[block] = true;
        return true;
    }

    std::array<std::uint16_t, 0x10000> codes_{};
    std::array<bool, 0x100> loaded_{};
};

// Through the codec: UTF-16 to UTF-8 to CP932.
std::string CodecCp932(const std::u16string& units) {
    bool ascii = true;
    for (char16_t u : units) {
        if (u >= 0x80) {
            ascii = false;
            break;
        }
    }
    if (ascii) {
        return std::string(units.begin(), units.end());
    }
    thread_local std::string utf8; // reused: its storage outlives the call
    utf8.clear();
    for (size_t i = 0; i < units.size(); ++i) {
        char16_t u = units[i];
        if (IsHighSurrogate(u) && i + 1 < units.size() && IsLowSurrogate(units[i + 1])) {
            char32_t c =
                0x10000 + ((char32_t(u) - 0xD800) << 10) + (char32_t(units[i + 1]) - 0xDC00);
            AppendUtf8(utf8, c);
            ++i;
        } else if (IsHighSurrogate(u) || IsLowSurrogate(u)) {
            AppendUtf8(utf8, 0xFFFD);
        } else {
            AppendUtf8(utf8, u);
        }
    }
    return cp932::FromUtf8(utf8);
}

} // namespace

void AppendUtf16AsCp932(const std::u16string& units, std::string& out) {
    thread_local std::unique_ptr<BasicPlaneTable> table;
    const std::size_t start = out.size();
    const char16_t* from = units.data();
    const char16_t* const end = from + units.size();
    while (from != end && *from < 0x80) {
        ++from; // an ASCII start is copied as it is
    }
    if (from == end) {
        out.append(units.begin(), units.end());
        return;
    }
    if (!table) {
        table = std::make_unique<BasicPlaneTable>();
    }
    // At most two bytes a character, written in place.
    out.resize(start + 2 * units.size());
    char* p = out.data() + start;
    for (const char16_t* u = units.data(); u != from; ++u) {
        *p++ = static_cast<char>(*u);
    }
    p = table->Write(from, end, p);
    if (p == nullptr) {
        // Surrogates, paired or not, or a block the table cannot hold.
        out.resize(start);
        out += CodecCp932(units);
        return;
    }
    out.resize(static_cast<std::size_t>(p - out.data()));
}

std::string Utf16ToCp932(const std::u16string& units) {
    std::string out;
    AppendUtf16AsCp932(units, out);
    return out;
}

} // namespace xbiff
