#include "JsonText.h"

#include <cstdint>
#include <cstring>

namespace cli {

namespace {

constexpr std::uint64_t kOnes = 0x0101010101010101;
constexpr std::uint64_t kHighBits = 0x8080808080808080;

// True when one of the eight bytes needs escaping: a control character,
// '"' or '\\' (each test answers for all eight bytes at once).
bool NeedsEscape(std::uint64_t bytes) {
    const auto hasZero = [](std::uint64_t v) { return ((v - kOnes) & ~v & kHighBits) != 0; };
    const bool control = ((bytes - kOnes * 0x20) & ~bytes & kHighBits) != 0;
    return control || hasZero(bytes ^ (kOnes * '"')) || hasZero(bytes ^ (kOnes * '\\'));
}

} // namespace

char* WriteJsonUtf8(char* out, std::string_view utf8) {
    static constexpr char kHex[] = "0123456789abcdef";
    *out++ = '"';
    // Eight bytes at a time while none needs escaping.
    while (utf8.size() >= 8) {
        std::uint64_t bytes;
        std::memcpy(&bytes, utf8.data(), 8);
        if (NeedsEscape(bytes)) {
            break;
        }
        std::memcpy(out, utf8.data(), 8);
        out += 8;
        utf8.remove_prefix(8);
    }
    for (char ch : utf8) {
        const unsigned char c = static_cast<unsigned char>(ch);
        if (c >= 0x20 && c != '"' && c != '\\') {
            *out++ = ch;
            continue;
        }
        *out++ = '\\';
        switch (c) {
        case '"':
        case '\\':
            *out++ = ch;
            break;
        case '\n':
            *out++ = 'n';
            break;
        case '\r':
            *out++ = 'r';
            break;
        case '\t':
            *out++ = 't';
            break;
        default:
            *out++ = 'u';
            *out++ = '0';
            *out++ = '0';
            *out++ = kHex[c >> 4];
            *out++ = kHex[c & 0x0F];
        }
    }
    *out++ = '"';
    return out;
}

void AppendJsonUtf8(std::string& out, std::string_view utf8) {
    const std::size_t start = out.size();
    out.resize(start + JsonUtf8Room(utf8.size()));
    char* end = WriteJsonUtf8(out.data() + start, utf8);
    out.resize(static_cast<std::size_t>(end - out.data()));
}

std::string JsonUtf8(const std::string& utf8) {
    std::string out;
    AppendJsonUtf8(out, utf8);
    return out;
}

} // namespace cli
