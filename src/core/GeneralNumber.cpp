#include "GeneralNumber.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace numtext {
namespace {

constexpr int kSignificant = 15;

// The decimal digits of n > 0; returns their count.
int UnsignedDigits(std::uint64_t n, char* digits) {
    char reversed[20];
    int length = 0;
    while (n != 0) {
        reversed[length++] = static_cast<char>('0' + n % 10);
        n /= 10;
    }
    for (int i = 0; i < length; ++i) {
        digits[i] = reversed[length - 1 - i];
    }
    return length;
}

// A positive value given as its significant digits (1 to 15, the last one
// not 0) and the decimal exponent of the first one, in fixed or E notation.
std::size_t Layout(const char* digits, int count, int exponent, char* out) {
    char* p = out;
    if (exponent < -4 || exponent >= kSignificant) {
        *p++ = digits[0];
        if (count > 1) {
            *p++ = '.';
            std::memcpy(p, digits + 1, count - 1);
            p += count - 1;
        }
        *p++ = 'E';
        int e = exponent;
        if (e < 0) {
            *p++ = '-';
            e = -e;
        }
        char reversed[4];
        int length = 0;
        do {
            reversed[length++] = static_cast<char>('0' + e % 10);
            e /= 10;
        } while (e != 0);
        while (length > 0) {
            *p++ = reversed[--length];
        }
    } else if (exponent >= 0) {
        const int whole = exponent + 1;
        if (count <= whole) {
            std::memcpy(p, digits, count);
            p += count;
            std::memset(p, '0', whole - count);
            p += whole - count;
        } else {
            std::memcpy(p, digits, whole);
            p += whole;
            *p++ = '.';
            std::memcpy(p, digits + whole, count - whole);
            p += count - whole;
        }
    } else {
        *p++ = '0';
        *p++ = '.';
        std::memset(p, '0', -exponent - 1);
        p += -exponent - 1;
        std::memcpy(p, digits, count);
        p += count;
    }
    return static_cast<std::size_t>(p - out);
}

int WithoutTrailingZeros(const char* digits, int count) {
    while (count > 1 && digits[count - 1] == '0') {
        --count;
    }
    return count;
}

// printf's own rounding to 15 digits, for the values where the shortest
// text cannot tell (a positive value).
std::size_t ExactlyRounded(double value, char* out) {
    char text[40];
    // d.dddddddddddddde+XX, rounded exactly as printf rounds
    const auto end = std::to_chars(text, text + sizeof text - 1, value,
                                   std::chars_format::scientific, kSignificant - 1)
                         .ptr;
    *end = '\0';
    char digits[kSignificant];
    digits[0] = text[0];
    std::memcpy(digits + 1, text + 2, kSignificant - 1);
    const int exponent = std::atoi(text + 2 + kSignificant);
    return Layout(digits, WithoutTrailingZeros(digits, kSignificant), exponent, out);
}

// Numbers with up to four decimals below 10^11: n / 10^4 for the whole
// n < 10^15 that gives the value back (its trailing zeros are dropped
// later). Such a decimal of at most 15 digits is the value's 15-digit
// rounding (see below). Returns false for other values.
bool FewDecimals(double value, char* digits, int& count, int& exponent) {
    constexpr double kScale = 1e4;
    if (!(value < 1e11)) {
        return false;
    }
    // The nearest whole number (rounding half up is enough for a guess that
    // is checked).
    const double scaled = static_cast<double>(static_cast<std::int64_t>(value * kScale + 0.5));
    if (scaled < 1 || scaled / kScale != value) {
        return false;
    }
    count = UnsignedDigits(static_cast<std::uint64_t>(scaled), digits);
    exponent = count - 5;
    return true;
}

} // namespace

std::size_t FormatGeneral(double value, char* out) {
    if (std::isnan(value)) {
        std::memcpy(out, "NAN", 3);
        return 3;
    }
    if (std::isinf(value)) {
        std::memcpy(out, value > 0 ? "INF" : "-INF", value > 0 ? 3 : 4);
        return value > 0 ? 3 : 4;
    }
    if (value == 0.0) {
        out[0] = '0';
        return 1;
    }
    char* p = out;
    if (value < 0) {
        *p++ = '-';
        value = -value;
    }
    const std::size_t sign = static_cast<std::size_t>(p - out);
    char digits[24];
    int count = 0;
    int exponent = 0;
    if (value < 1e15 && value == static_cast<double>(static_cast<std::uint64_t>(value))) {
        // Whole numbers below 10^15: their digits, nothing to round.
        count = UnsignedDigits(static_cast<std::uint64_t>(value), digits);
        exponent = count - 1;
        return sign + Layout(digits, WithoutTrailingZeros(digits, count), exponent, p);
    }
    if (FewDecimals(value, digits, count, exponent)) {
        return sign + Layout(digits, WithoutTrailingZeros(digits, count), exponent, p);
    }
    if (value < std::numeric_limits<double>::min()) {
        // Subnormal numbers have fewer than 15 digits of precision, so their
        // shortest text says nothing about their 15-digit rounding.
        return sign + ExactlyRounded(value, p);
    }
    // The shortest text that reads back as the value. With at most 15
    // digits it is also the value rounded to 15 digits: every decimal of 15
    // digits reads back as a (normal) double that rounds to it again.
    char text[32];
    const auto result =
        std::to_chars(text, text + sizeof text, value, std::chars_format::scientific);
    const char* q = text;
    digits[count++] = *q++;
    if (*q == '.') {
        ++q;
        while (*q != 'e') {
            digits[count++] = *q++;
        }
    }
    ++q; // 'e'
    const bool negative = *q++ == '-';
    while (q < result.ptr) {
        exponent = exponent * 10 + (*q++ - '0');
    }
    if (negative) {
        exponent = -exponent;
    }
    if (count > kSignificant) {
        // 16 or 17 digits: the 15-digit rounding of the value is that of the
        // shortest text, since no 16-digit decimal lies between the two
        // (the shortest text would be that decimal), except when the text
        // ends exactly on the midpoint.
        const char* tail = digits + kSignificant;
        if (tail[0] == '5' && (count == kSignificant + 1 || tail[1] == '0')) {
            return sign + ExactlyRounded(value, p);
        }
        const bool up = tail[0] >= '5';
        count = kSignificant;
        if (up) {
            int i = kSignificant - 1;
            while (i >= 0 && digits[i] == '9') {
                digits[i--] = '0';
            }
            if (i < 0) {
                digits[0] = '1';
                count = 1;
                ++exponent;
            } else {
                ++digits[i];
            }
        }
    }
    return sign + Layout(digits, WithoutTrailingZeros(digits, count), exponent, p);
}

} // namespace numtext
