#include "PrintTexts.h"

#include "Cp932.h"

#include <cstdint>
#include <cstdlib>
#include <limits>
#include <vector>

namespace printing {

std::string FirstLineOf(const std::string& text) {
    size_t lf = text.find('\n');
    return lf == std::string::npos ? text : text.substr(0, lf);
}

std::string TextAfterFirstLine(const std::string& text) {
    size_t lf = text.find('\n');
    return lf == std::string::npos ? text : text.substr(lf + 1);
}

namespace {

// Byte offsets at which the characters of a code page 932 text begin.
std::vector<size_t> CharacterStarts(const std::string& text) {
    std::vector<size_t> starts;
    size_t i = 0;
    while (i < text.size()) {
        starts.push_back(i);
        bool pair = cp932::IsLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size();
        i += pair ? 2 : 1;
    }
    return starts;
}

} // namespace

std::string GroupDigits(const std::string& text, int group, char separator) {
    if (group <= 0) {
        return text;
    }
    std::vector<size_t> starts = CharacterStarts(text);
    const int count = static_cast<int>(starts.size());
    // p is 1-based: the character before which the next separator goes.
    int p = count + 1;
    for (int i = 0; i < count; ++i) {
        if (text[starts[static_cast<size_t>(i)]] == '.') {
            p = i + 1;
            break;
        }
    }
    const int first = (count > 0 && (text[0] == '-' || text[0] == '+')) ? 2 : 1;
    std::string out = text;
    for (p -= group; p > first; p -= group) {
        out.insert(starts[static_cast<size_t>(p - 1)], 1, separator);
    }
    return out;
}

std::string YenAmount(const std::string& text) {
    if (text.empty()) {
        return text;
    }
    return "\\" + GroupDigits(text, 3, ',');
}

int MulDiv(int number, int numerator, int denominator) {
    if (denominator == 0) {
        return -1;
    }
    std::int64_t product = static_cast<std::int64_t>(number) * numerator;
    std::int64_t magnitude = (std::llabs(product) + std::llabs(denominator) / 2) /
                             std::llabs(static_cast<std::int64_t>(denominator));
    bool negative = (product < 0) != (denominator < 0);
    std::int64_t result = negative ? -magnitude : magnitude;
    if (result > std::numeric_limits<int>::max() || result < std::numeric_limits<int>::min()) {
        return -1;
    }
    return static_cast<int>(result);
}

} // namespace printing
