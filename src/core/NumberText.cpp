#include "NumberText.h"

#include "GeneralNumber.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace numtext {
namespace {

int HexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

std::optional<std::int64_t> ParseInteger(std::string_view text, int bits) {
    size_t i = 0;
    while (i < text.size() && text[i] == ' ') {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    bool hex = false;
    if (i < text.size() && text[i] == '$') {
        hex = true;
        ++i;
    } else if (i + 1 < text.size() && text[i] == '0' &&
               (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        hex = true;
        i += 2;
    }
    if (i == text.size()) {
        return std::nullopt;
    }
    const unsigned __int128 limit =
        hex ? (static_cast<unsigned __int128>(1) << bits) - 1
            : (static_cast<unsigned __int128>(1) << (bits - 1)) - (negative ? 0 : 1);
    unsigned __int128 magnitude = 0;
    const int base = hex ? 16 : 10;
    for (; i < text.size(); ++i) {
        int d = hex ? HexDigit(text[i]) : (IsDigit(text[i]) ? text[i] - '0' : -1);
        if (d < 0) {
            return std::nullopt;
        }
        magnitude = magnitude * base + static_cast<unsigned>(d);
        if (magnitude > limit) {
            return std::nullopt;
        }
    }
    __int128 value = static_cast<__int128>(magnitude);
    if (hex && bits < 64 && magnitude >= (static_cast<unsigned __int128>(1) << (bits - 1))) {
        value -= static_cast<__int128>(1) << bits; // a bit pattern with the sign bit set
    } else if (hex && bits == 64 && magnitude >= (static_cast<unsigned __int128>(1) << 63)) {
        value -= static_cast<__int128>(1) << 64;
    }
    return static_cast<std::int64_t>(negative ? -value : value);
}

std::int32_t StrToIntDef(std::string_view text, std::int32_t fallback) {
    auto v = ParseInteger(text, 32);
    if (!v || *v < INT32_MIN || *v > INT32_MAX) {
        return fallback;
    }
    return static_cast<std::int32_t>(*v);
}

std::int64_t StrToInt64Def(std::string_view text, std::int64_t fallback) {
    auto v = ParseInteger(text, 64);
    return v ? *v : fallback;
}

std::int64_t StrToAmountDef(std::string_view text, std::int64_t fallback) {
    std::size_t i = text.find_first_not_of(' ');
    if (i != std::string_view::npos && (text[i] == '-' || text[i] == '+')) {
        ++i;
    }
    const std::string_view rest = i == std::string_view::npos ? std::string_view() : text.substr(i);
    const bool hex =
        rest.substr(0, 1) == "$" || rest.substr(0, 2) == "0x" || rest.substr(0, 2) == "0X";
    if (!hex) {
        return StrToInt64Def(text, fallback);
    }
    const auto value = ParseInteger(text, 32);
    if (!value || *value < INT32_MIN || *value > INT32_MAX) {
        return fallback;
    }
    return *value;
}

double StrToFloatPrefix(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    const size_t numberStart = i;
    size_t digits = 0;
    while (i < text.size() && IsDigit(text[i])) {
        ++i;
        ++digits;
    }
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && IsDigit(text[i])) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0) {
        return 0.0;
    }
    // An exponent counts only when at least one digit follows its letter.
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) {
            ++j;
        }
        if (j < text.size() && IsDigit(text[j])) {
            while (j < text.size() && IsDigit(text[j])) {
                ++j;
            }
            i = j;
        }
    }
    double value = 0.0;
    auto result = std::from_chars(text.data() + numberStart, text.data() + i, value,
                                  std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range) {
        // Underflow reads as 0; overflow is not a number the window can hold.
        return 0.0;
    }
    if (result.ec != std::errc()) {
        return 0.0;
    }
    return negative ? -value : value;
}

std::string IntToStr(std::int64_t value) {
    return std::to_string(value);
}

std::string FloatToStr(double value) {
    char buffer[kGeneralBufferSize];
    return std::string(buffer, FormatGeneral(value, buffer));
}

std::string WholeToStr(double value) {
    // 2^63 is the first double beyond the 64-bit range.
    constexpr double kLimit = 9223372036854775808.0;
    if (std::isfinite(value) && value == std::trunc(value) && value < kLimit && value >= -kLimit) {
        return IntToStr(static_cast<std::int64_t>(value));
    }
    return FloatToStr(value);
}

} // namespace numtext
