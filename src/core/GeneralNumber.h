// The general number format, fast: the shortest text with at most 15
// significant digits, as printf's "%.15G" rounds it, trailing zeros and a
// trailing point dropped, E notation for exponents below -4 or from 15 on
// written "1E15" and "1E-7" (no plus sign, no leading zeros), "0" for both
// zeros, "NAN", "INF" and "-INF".
#pragma once

#include <cstddef>
#include <cstdint>

namespace numtext {

// Room FormatGeneral needs: sign, 15 digits, point, "E-308", and the
// copies of a fixed length it makes.
constexpr std::size_t kGeneralBufferSize = 48;

// Writes the text of `value` to `out` (at least kGeneralBufferSize bytes,
// not terminated; bytes after the text may be written too) and returns its
// length.
std::size_t FormatGeneral(double value, char* out);

// The same text for a whole number (|value| < 10^15), straight from its
// digits: FormatGeneral(value) without the double.
std::size_t FormatWhole(std::int64_t value, char* out);

// The same text for value / 100 (a number stored as whole hundredths):
// FormatGeneral(value / 100.0), written from the digits of `value`.
std::size_t FormatHundredths(std::int32_t value, char* out);

} // namespace numtext
