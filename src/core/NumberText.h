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

// An amount of the grid: a decimal integer within 64 bits, or a
// hexadecimal one read as a 32-bit bit pattern ("$FFFFFFFF" is -1), as the
// note's records have always stored it; `fallback` for any other text. The
// amount total and the saved line both read amounts this way, so the total
// counts what the file keeps wherever the file can hold it.
std::int64_t StrToAmountDef(std::string_view text, std::int64_t fallback);

// The longest leading decimal number (after leading white space) as a double;
// 0 when the text does not start with one.
double StrToFloatPrefix(std::string_view text);

// Plain decimal digits with a leading "-" when negative.
std::string IntToStr(std::int64_t value);

// Shortest decimal form with at most 15 significant digits, no decimal point
// when whole, no digit grouping.
std::string FloatToStr(double value);

// A whole value within 64 bits in plain decimal digits (2000000000000000,
// not 2E15), so that it reads back as the same integer; any other value as
// FloatToStr.
std::string WholeToStr(double value);

} // namespace numtext
