#include "GeneralNumber.h"

#include <bit>
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
// Room of a buffer of significant digits: up to 17 and the 16 bytes that
// are stored at once.
constexpr int kDigitRoom = 32;

using Wide = unsigned __int128;

// ASCII '0' in every byte.
constexpr std::uint64_t kZeros = 0x3030303030303030;

// The eight decimal digits of v < 10^8 as the values 0 to 9 of the bytes of
// a word, the first digit in the lowest byte: split into halves of four
// digits, then pairs, then digits, every part at once (divisions by 100
// and 10 as multiplications that are exact below 10^4 and 10^2).
inline std::uint64_t DigitBytes(std::uint32_t v) {
    const std::uint64_t quads = (v / 10000) | (std::uint64_t{v % 10000} << 32);
    const std::uint64_t pairHigh = ((quads * 10486) >> 20) & 0x0000007F0000007F;
    const std::uint64_t pairs = pairHigh | ((quads - pairHigh * 100) << 16);
    const std::uint64_t high = ((pairs * 103) >> 10) & 0x000F000F000F000F;
    return high | ((pairs - high * 10) << 8);
}

// Stores the eight bytes of a word, its lowest first.
void Store8(char* out, std::uint64_t bytes) {
    if constexpr (std::endian::native == std::endian::little) {
        std::memcpy(out, &bytes, 8);
    } else {
        for (int i = 0; i < 8; ++i) {
            out[i] = static_cast<char>(bytes >> (8 * i));
        }
    }
}

void Store16(char* out, Wide bytes) {
    Store8(out, static_cast<std::uint64_t>(bytes));
    Store8(out + 8, static_cast<std::uint64_t>(bytes >> 64));
}

// Writes the digits of 0 < n < 10^15 (no leading zeros); returns their
// count. The 16 bytes from `out` on are written whatever the count.
int WholeDigits(std::uint64_t n, char* out) {
    constexpr std::uint64_t kHalf = 100000000;
    if (n < kHalf) {
        const std::uint64_t digits = DigitBytes(static_cast<std::uint32_t>(n));
        const int leading = std::countr_zero(digits) / 8;
        Store8(out, (digits | kZeros) >> (8 * leading));
        return 8 - leading;
    }
    const std::uint64_t high = DigitBytes(static_cast<std::uint32_t>(n / kHalf));
    const int leading = std::countr_zero(high) / 8;
    Store8(out, (high | kZeros) >> (8 * leading));
    Store8(out + 8 - leading, DigitBytes(static_cast<std::uint32_t>(n % kHalf)) | kZeros);
    return 16 - leading;
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

constexpr std::uint64_t kPowersOf10[] = {1,
                                         10,
                                         100,
                                         1000,
                                         10000,
                                         100000,
                                         1000000,
                                         10000000,
                                         100000000,
                                         1000000000,
                                         10000000000,
                                         100000000000,
                                         1000000000000,
                                         10000000000000,
                                         100000000000000,
                                         1000000000000000,
                                         10000000000000000,
                                         100000000000000000,
                                         1000000000000000000,
                                         10000000000000000000u};
constexpr std::uint64_t kLeast15Digits = 100000000000000;   // 10^14
constexpr std::uint64_t kBeyond15Digits = 1000000000000000; // 10^15

// The value m x 2^q rounded to 15 significant digits with the decimal
// exponent `exponent` for its first digit: value x 10^(14 - exponent)
// rounded to a whole number (half to even, as printf rounds), computed
// exactly in 128 bits. Works for exponents -5 to 21; returns 0 when the
// value is not below 10^(exponent + 1), 1 when it is below 10^exponent, and
// kBeyond15Digits when it rounds up to 10^(exponent + 1).
std::uint64_t RoundTo15Digits(std::uint64_t m, int q, int exponent) {
    const int scale = 14 - exponent;
    Wide whole;
    bool up;
    if (scale >= 0) {
        // m x 10^scale / 2^-q, with -q between 1 and 127 for these values.
        const Wide scaled = Wide{m} * kPowersOf10[scale];
        const int shift = -q;
        whole = scaled >> shift;
        const Wide rest = scaled & ((Wide{1} << shift) - 1);
        const Wide half = Wide{1} << (shift - 1);
        up = rest > half || (rest == half && (whole & 1) != 0);
    } else {
        // m x 2^q / 10^-scale.
        Wide numerator = m;
        Wide denominator = kPowersOf10[-scale];
        if (q >= 0) {
            numerator <<= q;
        } else {
            denominator <<= -q;
        }
        whole = numerator / denominator;
        const Wide twice = (numerator % denominator) * 2;
        up = twice > denominator || (twice == denominator && (whole & 1) != 0);
    }
    if (whole >= kBeyond15Digits) {
        return 0;
    }
    if (whole < kLeast15Digits) {
        return 1;
    }
    return static_cast<std::uint64_t>(whole) + (up ? 1 : 0);
}

// The 15-digit rounding of a positive normal value between 10^-5 and
// 10^22, as its significant digits (ASCII, the first in the lowest byte,
// zero bytes after the last), their count and the exponent of the first
// one; false for other values.
bool ExactDigits(double value, Wide& digits, int& count, int& exponent) {
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    const int biased = static_cast<int>(bits >> 52);
    if (biased == 0) {
        return false; // subnormal
    }
    const std::uint64_t m = (bits & ((std::uint64_t{1} << 52) - 1)) | std::uint64_t{1} << 52;
    const int q = biased - 1075;
    // value lies in [2^b, 2^(b+1)), so its decimal exponent is
    // floor(b log10 2) or one more.
    const int binary = biased - 1023;
    exponent = (binary * 78913) >> 18;
    if (exponent < -5 || exponent > 20) {
        return false;
    }
    // Which of the two, told by the next power of ten (as a double, which
    // for negative powers is near enough: a wrong guess is put right below).
    static constexpr double kNextPower[] = {1e-4, 1e-3, 1e-2, 1e-1, 1e0,  1e1,  1e2,  1e3,  1e4,
                                            1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11, 1e12, 1e13,
                                            1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21};
    if (value >= kNextPower[exponent + 5]) {
        ++exponent;
    }
    std::uint64_t n = RoundTo15Digits(m, q, exponent);
    if (n == 0 && exponent < 21) {
        ++exponent;
        n = RoundTo15Digits(m, q, exponent);
    } else if (n == 1 && exponent > -5) {
        --exponent;
        n = RoundTo15Digits(m, q, exponent);
    }
    if (n == kBeyond15Digits) {
        n = kLeast15Digits;
        ++exponent;
    }
    if (n < kLeast15Digits || n >= kBeyond15Digits) {
        return false; // cannot happen; the general path decides
    }
    // Seven digits and eight; trailing zero digits are the zero bytes at
    // the top of their words.
    const std::uint64_t high = DigitBytes(static_cast<std::uint32_t>(n / 100000000));
    const std::uint64_t low = DigitBytes(static_cast<std::uint32_t>(n % 100000000));
    count = low != 0 ? 15 - std::countl_zero(low) / 8 : 7 - std::countl_zero(high) / 8;
    const Wide ascii = ((high | kZeros) >> 8) | Wide{low | kZeros} << 56;
    // Only the significant digits, zero bytes after them.
    digits = ascii & ((Wide{1} << (8 * count)) - 1);
    return true;
}

// A positive value given as its significant digits (as ExactDigits gives
// them) in fixed notation, for exponents -4 to 14, written with stores of
// a fixed length.
std::size_t FixedLayout(Wide digits, int count, int exponent, char* out) {
    char* p = out;
    if (exponent >= 0) {
        const int whole = exponent + 1;
        Store16(p, digits);
        if (count <= whole) {
            std::memset(p + count, '0', whole - count);
            return static_cast<std::size_t>(whole);
        }
        p[whole] = '.';
        Store16(p + whole + 1, digits >> (8 * whole));
        return static_cast<std::size_t>(count + 1);
    }
    // 0.0001 to 0.9: at most four zeros after the point.
    std::memcpy(p, "0.0000", 6);
    Store16(p + 1 - exponent, digits);
    return static_cast<std::size_t>(1 - exponent + count);
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
    int count = 0;
    int exponent = 0;
    if (value < 1e15 && value == static_cast<double>(static_cast<std::uint64_t>(value))) {
        // Whole numbers below 10^15: their digits, nothing to round, never
        // E notation.
        return sign + static_cast<std::size_t>(WholeDigits(static_cast<std::uint64_t>(value), p));
    }
    Wide exact = 0;
    if (ExactDigits(value, exact, count, exponent)) {
        // What sheets hold: the rounding computed exactly in integers.
        if (exponent >= -4 && exponent < kSignificant) {
            return sign + FixedLayout(exact, count, exponent, p);
        }
        char text[kDigitRoom];
        Store16(text, exact);
        return sign + Layout(text, count, exponent, p);
    }
    char digits[kDigitRoom];
    exponent = 0;
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

std::size_t FormatWhole(std::int64_t value, char* out) {
    if (value == 0) {
        out[0] = '0';
        return 1;
    }
    const std::size_t sign = value < 0 ? 1 : 0;
    out[0] = '-';
    const std::uint64_t magnitude =
        value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    return sign + static_cast<std::size_t>(WholeDigits(magnitude, out + sign));
}

std::size_t FormatHundredths(std::int32_t value, char* out) {
    // value / 100 has at most 10 significant digits and lies between 0.01
    // and 2.2 x 10^7 in magnitude: fixed notation, and its decimal text is
    // exactly the 15-digit rounding of the double nearest to it.
    const std::uint32_t magnitude =
        value < 0 ? 0u - static_cast<std::uint32_t>(value) : static_cast<std::uint32_t>(value);
    const std::uint32_t whole = magnitude / 100;
    const std::uint32_t cents = magnitude % 100;
    if (whole == 0 && cents == 0) {
        out[0] = '0';
        return 1;
    }
    char* p = out;
    if (value < 0) {
        *p++ = '-';
    }
    if (whole == 0) {
        *p++ = '0';
    } else {
        p += WholeDigits(whole, p);
    }
    if (cents != 0) {
        *p++ = '.';
        *p++ = static_cast<char>('0' + cents / 10);
        if (cents % 10 != 0) {
            *p++ = static_cast<char>('0' + cents % 10);
        }
    }
    return static_cast<std::size_t>(p - out);
}

} // namespace numtext
