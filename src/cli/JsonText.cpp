#include "JsonText.h"

namespace cli {

char* WriteJsonUtf8(char* out, std::string_view utf8) {
    static constexpr char kHex[] = "0123456789abcdef";
    *out++ = '"';
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
