// The system's converter (iconv) for code page 932 and the rules the
// program adds to it (the JIS forms). The tables behind Cp932.h are made
// from it when the program is built (Cp932TablesMaker.cpp); texts the
// tables cannot take go through it when it runs.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace cp932::converter {

// One iconv descriptor, opened when made.
class Converter {
public:
    Converter(const char* to, const char* from);
    ~Converter();
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts `in`; on a sequence it cannot take, appends `replacement` and
    // skips `skip(rest)` bytes of the rest of the input.
    std::string Run(std::string_view in, std::string_view replacement,
                    const std::function<std::size_t(std::string_view rest)>& skip);

private:
    void* cd_;
};

// The length of the UTF-8 sequence `s` starts with (1 for a byte that
// starts none), at most the length of `s`.
std::size_t Utf8SequenceLength(std::string_view s);
inline bool IsSurrogate(char32_t code) {
    return code >= 0xD800 && code <= 0xDFFF;
}

// A two- or three-byte sequence of U+0080 ... U+FFFF at the start of `s`,
// surrogates excluded: its code and length.
inline bool DecodeBasicPlane(std::string_view s, char32_t& code, std::size_t& length) {
    const auto byte = [&s](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    const auto continuation = [&](std::size_t k) {
        return k < s.size() && (byte(k) & 0xC0) == 0x80;
    };
    if (s.empty()) {
        return false;
    }
    if ((byte(0) & 0xE0) == 0xC0 && continuation(1)) {
        code = static_cast<char32_t>((byte(0) & 0x1F) << 6 | (byte(1) & 0x3F));
        length = 2;
        return code >= 0x80;
    }
    if ((byte(0) & 0xF0) == 0xE0 && continuation(1) && continuation(2)) {
        code = static_cast<char32_t>((byte(0) & 0x0F) << 12 | (byte(1) & 0x3F) << 6 |
                                     (byte(2) & 0x3F));
        length = 3;
        return code >= 0x800 && !IsSurrogate(code);
    }
    return false;
}

// The JIS forms that CP932 spells with other code points.
struct Alias {
    std::string_view from;
    std::string_view to;
};
inline constexpr Alias kAliases[] = {
    {"\u301C", "\uFF5E"}, // WAVE DASH -> FULLWIDTH TILDE
    {"\u2212", "\uFF0D"}, // MINUS SIGN -> FULLWIDTH HYPHEN-MINUS
    {"\u2016", "\u2225"}, // DOUBLE VERTICAL LINE -> PARALLEL TO
    {"\u00A2", "\uFFE0"}, // CENT SIGN
    {"\u00A3", "\uFFE1"}, // POUND SIGN
    {"\u00AC", "\uFFE2"}, // NOT SIGN
    {"\u2014", "\u2015"}, // EM DASH -> HORIZONTAL BAR
};
// `utf8` with each JIS form replaced by the character CP932 holds.
std::string ReplaceAliases(std::string_view utf8);

// UTF-8 through the converter, the JIS forms replaced first; "?" for each
// character CP932 cannot hold and each sequence that is not UTF-8.
std::string FromUtf8(std::string_view utf8);
// Code points (the C library's wide characters) through the converter, "?"
// for each it cannot take.
std::string FromCodePoints(std::u32string_view codes);

} // namespace cp932::converter
