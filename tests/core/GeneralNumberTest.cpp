// The fast general format against printf's "%.15G" rewritten as the
// number-to-text rule writes it (the formatter it replaces), on many doubles
// of every kind.
#include "GeneralNumber.h"
#include "NumberText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace {

// The rule as printf computes it: "%.15G", then the exponent without its
// plus sign and leading zeros.
std::string Reference(double value) {
    if (std::isnan(value)) {
        return "NAN";
    }
    if (std::isinf(value)) {
        return value > 0 ? "INF" : "-INF";
    }
    if (value == 0.0) {
        return "0";
    }
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.15G", value);
    std::string s(buffer);
    const auto e = s.find('E');
    if (e == std::string::npos) {
        return s;
    }
    std::string exponent = s.substr(e + 1);
    const bool negative = exponent[0] == '-';
    exponent.erase(0, 1);
    exponent.erase(0, std::min(exponent.find_first_not_of('0'), exponent.size() - 1));
    return s.substr(0, e) + "E" + (negative ? "-" : "") + exponent;
}

std::string Fast(double value) {
    char buffer[numtext::kGeneralBufferSize];
    return std::string(buffer, numtext::FormatGeneral(value, buffer));
}

double FromBits(std::uint64_t bits) {
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

} // namespace

TEST(GeneralNumber, KnownTexts) {
    EXPECT_EQ(Fast(0.0), "0");
    EXPECT_EQ(Fast(-0.0), "0");
    EXPECT_EQ(Fast(1500), "1500");
    EXPECT_EQ(Fast(-2.5), "-2.5");
    EXPECT_EQ(Fast(0.1 + 0.2), "0.3");
    EXPECT_EQ(Fast(1.0 / 3), "0.333333333333333");
    EXPECT_EQ(Fast(2.0 / 3), "0.666666666666667");
    EXPECT_EQ(Fast(1e15), "1E15");
    EXPECT_EQ(Fast(999999999999999.0), "999999999999999");
    EXPECT_EQ(Fast(9999999999999999.0), "1E16");
    EXPECT_EQ(Fast(0.0001), "0.0001");
    EXPECT_EQ(Fast(0.00001), "1E-5");
    EXPECT_EQ(Fast(-1.25e-7), "-1.25E-7");
    EXPECT_EQ(Fast(1e100), "1E100");
    EXPECT_EQ(Fast(123456789012345678.0), "1.23456789012346E17");
    EXPECT_EQ(Fast(std::numeric_limits<double>::denorm_min()), "4.94065645841247E-324");
    EXPECT_EQ(Fast(std::numeric_limits<double>::max()), "1.79769313486232E308");
    EXPECT_EQ(Fast(std::nan("")), "NAN");
    EXPECT_EQ(Fast(-INFINITY), "-INF");
    EXPECT_EQ(numtext::FloatToStr(0.1 + 0.2), "0.3");
}

// Random bit patterns (every exponent), random decimals of a few digits
// (what sheets hold), whole numbers around 10^15, and decimals that end on
// a 15-digit midpoint, where the shortest text alone cannot decide.
TEST(GeneralNumber, MatchesPrintfOnManyDoubles) {
    std::mt19937_64 random(20261209);
    int checked = 0;
    auto check = [&](double value) {
        ASSERT_EQ(Fast(value), Reference(value)) << std::hexfloat << value;
        ++checked;
    };
    for (int i = 0; i < 400000; ++i) {
        check(FromBits(random()));
    }
    std::uniform_int_distribution<std::int64_t> mantissa(-99999999, 99999999);
    std::uniform_int_distribution<int> scale(0, 12);
    for (int i = 0; i < 400000; ++i) {
        check(static_cast<double>(mantissa(random)) / std::pow(10.0, scale(random)));
    }
    for (std::int64_t n = -2000; n <= 2000; ++n) {
        check(1e15 + static_cast<double>(n));
        check(1e16 + static_cast<double>(n) * 2);
        check((1e15 + static_cast<double>(n)) / 10);
    }
    std::uniform_int_distribution<std::uint64_t> digits(100000000000000, 999999999999999);
    std::uniform_int_distribution<int> exponent(-30, 30);
    for (int i = 0; i < 200000; ++i) {
        // d.dddddddddddddd5 x 10^e and its neighbours.
        char text[48];
        std::snprintf(text, sizeof text, "%llu5e%d",
                      static_cast<unsigned long long>(digits(random)), exponent(random));
        const double value = std::strtod(text, nullptr);
        check(value);
        check(std::nextafter(value, 0.0));
        check(std::nextafter(value, INFINITY));
    }
    EXPECT_GT(checked, 1000000);
}

// Values of 10^-6 to 10^23, where the rounding is computed in integers:
// random doubles of every mantissa, and binary fractions that lie exactly
// on a 15-digit midpoint (printf rounds those half to even).
TEST(GeneralNumber, MatchesPrintfWhereSheetsHoldNumbers) {
    EXPECT_EQ(Fast(100000000000000.5), "100000000000000");
    EXPECT_EQ(Fast(100000000000001.5), "100000000000002");
    EXPECT_EQ(Fast(-999999999999999.5), "-1E15");
    EXPECT_EQ(Fast(0.00001 * 0.99999999999999999), "1E-5");
    std::mt19937_64 random(14);
    std::uniform_real_distribution<double> logarithm(-6.0, 23.0);
    std::uniform_int_distribution<int> shift(1, 12);
    std::uniform_int_distribution<std::int64_t> whole(1, 999999999999999);
    for (int i = 0; i < 300000; ++i) {
        const double value = std::pow(10.0, logarithm(random));
        ASSERT_EQ(Fast(value), Reference(value)) << std::hexfloat << value;
        const double tie = static_cast<double>(whole(random)) + 0.5;
        ASSERT_EQ(Fast(tie), Reference(tie)) << std::hexfloat << tie;
        const double fraction = std::ldexp(static_cast<double>(whole(random)), -shift(random));
        ASSERT_EQ(Fast(fraction), Reference(fraction)) << std::hexfloat << fraction;
    }
}

// Subnormal values (fewer than 15 digits of precision), every power of ten
// that a double comes near and its two neighbours, whole numbers on both
// sides of 10^15 (written as digits below it), and 15-digit midpoints of
// numbers with a fractional part, each with its sign.
TEST(GeneralNumber, MatchesPrintfOnSubnormalsPowersOfTenAndMidpoints) {
    std::mt19937_64 random(932);
    int checked = 0;
    auto check = [&](double value) {
        ASSERT_EQ(Fast(value), Reference(value)) << std::hexfloat << value;
        ASSERT_EQ(Fast(-value), Reference(-value)) << std::hexfloat << -value;
        ++checked;
    };
    const std::uint64_t kMantissa = (std::uint64_t{1} << 52) - 1;
    for (int i = 0; i < 100000; ++i) {
        check(FromBits(random() & kMantissa));
        // the smallest subnormals, where 15-digit rounding reaches far
        // beyond the value's precision
        check(FromBits(random() % 4096 + 1));
    }
    check(std::numeric_limits<double>::min());
    check(std::nextafter(std::numeric_limits<double>::min(), 0.0));
    for (int e = -325; e <= 308; ++e) {
        const double power = std::strtod(("1e" + std::to_string(e)).c_str(), nullptr);
        check(power);
        check(std::nextafter(power, 0.0));
        check(std::nextafter(power, INFINITY));
        check(power * 9.99999999999999);
        check(power * 9.999999999999995);
        check(power * 9.9999999999999949);
    }
    std::uniform_int_distribution<std::uint64_t> whole(0, 2000000000000000);
    for (int i = 0; i < 200000; ++i) {
        const double value = static_cast<double>(whole(random));
        check(value);
        check(value + 0.5);
    }
    // Decimal midpoints d.dddddddddddddd5 x 10^e with fewer digits before
    // the point, as prices and quantities hold them.
    std::uniform_int_distribution<std::uint64_t> digits(100000000000000, 999999999999999);
    std::uniform_int_distribution<int> point(0, 20);
    for (int i = 0; i < 200000; ++i) {
        char text[48];
        std::snprintf(text, sizeof text, "%llu5e-%d",
                      static_cast<unsigned long long>(digits(random)), point(random));
        const double value = std::strtod(text, nullptr);
        check(value);
        check(std::nextafter(value, 0.0));
        check(std::nextafter(value, INFINITY));
    }
    EXPECT_GT(checked, 1000000);
}

// Whole numbers and whole hundredths written from their integers give the
// text of their double: every 32-bit edge, the first and last values of
// every digit count, and random values of both signs.
TEST(GeneralNumber, WholeNumbersAndHundredthsMatchPrintf) {
    const auto whole = [](std::int64_t value) {
        char buffer[numtext::kGeneralBufferSize];
        return std::string(buffer, numtext::FormatWhole(value, buffer));
    };
    const auto hundredths = [](std::int32_t value) {
        char buffer[numtext::kGeneralBufferSize];
        return std::string(buffer, numtext::FormatHundredths(value, buffer));
    };
    std::vector<std::int64_t> values = {0,   1,   -1,  5,          10,          99,
                                        100, 101, 110, 2147483647, -2147483647, -2147483647 - 1};
    for (std::int64_t power = 1; power <= 100000000000000; power *= 10) {
        for (std::int64_t v : {power - 1, power, power + 1, 9 * power, power * 10 - 1}) {
            values.push_back(v);
            values.push_back(-v);
        }
    }
    std::mt19937_64 random(100);
    std::uniform_int_distribution<std::int64_t> any(-999999999999999, 999999999999999);
    std::uniform_int_distribution<std::int32_t> any32(INT32_MIN, INT32_MAX);
    std::uniform_int_distribution<std::int32_t> small(-100000, 100000);
    for (int i = 0; i < 200000; ++i) {
        values.push_back(any(random));
        values.push_back(any32(random));
        values.push_back(small(random));
    }
    for (std::int64_t v : values) {
        ASSERT_EQ(whole(v), Reference(static_cast<double>(v))) << v;
        if (v >= INT32_MIN && v <= INT32_MAX) {
            const auto v32 = static_cast<std::int32_t>(v);
            ASSERT_EQ(hundredths(v32), Reference(static_cast<double>(v32) / 100)) << v32;
        }
    }
}
