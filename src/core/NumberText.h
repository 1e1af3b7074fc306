// The text-to-number and number-to-text rules used wherever the window's
// texts are read or written as numbers.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace numtext {

// A whole integer after optional leading spaces: optional sign, then decimal
// digits or a hexadecimal number with a "$" or "0x" prefix, nothing after it.
// Returns nothing when the text is not such an integer or does not fit in
// `bits` (32 or 64) signed bits; hexadecimal numbers are bit patterns of that
// width.
std::optional<std::int64_t> ParseInteger(std::string_view text, int bits);

// 32-bit integer, or `fallback` for any text that is not one.
std::int32_t StrToIntDef(std::string_view text, std::int32_t fallback);

// 64-bit integer, or `fallback` for any text that is not one.
std::int64_t StrToInt64Def(std::string_view text, std::int64_t fallback);

// The longest leading decimal number (after leading white space) as a double;
// 0 when the text does not start with one.
double StrToFloatPrefix(std::string_view text);

// Plain decimal digits with a leading "-" when negative.
std::string IntToStr(std::int64_t value);

// Shortest decimal form with at most 15 significant digits, no decimal point
// when whole, no digit grouping.
std::string FloatToStr(double value);

} // namespace numtext
