// Text and number helpers of the print engine.
#pragma once

#include <string>

namespace printing {

// The part before the first line feed, or the whole text when it holds none.
std::string FirstLineOf(const std::string& text);

// The part after the first line feed, or the whole text when it holds none.
std::string TextAfterFirstLine(const std::string& text);

// Inserts `separator` every `group` characters to the left of the first '.'
// (or of the end): 1234567 -> 1,234,567, 1234.56 -> 1,234.56. Characters are
// counted, not digits; a double-byte character counts once and is never
// split. A leading sign is not grouped: -123456 -> -123,456. A group of 0 or
// less leaves the text unchanged.
std::string GroupDigits(const std::string& text, int group, char separator);

// "\" (the code page 932 yen sign) and the grouped digits; an empty text stays
// empty. The amount form of the header and the totals row.
std::string YenAmount(const std::string& text);

// number * numerator / denominator rounded to the nearest integer, halves away
// from zero, with a 64-bit intermediate; -1 when the denominator is 0 or the
// result does not fit in 32 bits.
int MulDiv(int number, int numerator, int denominator);

} // namespace printing
