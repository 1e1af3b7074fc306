#include "JsonText.h"

#include <cstdio>

namespace cli {

void AppendJsonUtf8(std::string& out, std::string_view utf8) {
    out.push_back('"');
    std::size_t plain = 0; // start of the bytes not yet appended
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(utf8[i]);
        if (c >= 0x20 && c != '"' && c != '\\') {
            continue;
        }
        out.append(utf8, plain, i - plain);
        plain = i + 1;
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default: {
            char buffer[8];
            std::snprintf(buffer, sizeof buffer, "\\u%04x", c);
            out += buffer;
        }
        }
    }
    out.append(utf8, plain, std::string_view::npos);
    out.push_back('"');
}

// A JSON string of a UTF-8 text: quotes, backslashes and control
// characters escaped; other characters as they are.
std::string JsonUtf8(const std::string& utf8) {
    std::string out;
    AppendJsonUtf8(out, utf8);
    return out;
}

} // namespace cli
