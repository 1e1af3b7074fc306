// notorio-cli read-xls FILE: loads FILE with the spreadsheet reader component
// and prints one JSON object per event, one per line.
#include "Commands.h"

#include "Cp932.h"
#include "Xbiff.h"

#include <cstdio>
#include <iostream>
#include <string>

namespace {

// A CP932 text as a JSON string literal (UTF-8).
std::string JsonString(const std::string& cp932Text) {
    const std::string utf8 = cp932::ToUtf8(cp932Text);
    std::string out;
    out.reserve(utf8.size() + 2);
    out.push_back('"');
    for (char ch : utf8) {
        const unsigned char c = static_cast<unsigned char>(ch);
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
        default:
            if (c < 0x20) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
                out += escaped;
            } else {
                out.push_back(ch);
            }
        }
    }
    out.push_back('"');
    return out;
}

int ReadXls(const std::vector<std::string>& args) {
    if (args.size() != 1) {
        std::cerr << "usage: notorio-cli read-xls FILE\n";
        return 1;
    }
    TXBiff reader;
    reader.OnReadSheetName = [](TXBiff*, const std::string& name) {
        std::cout << "{\"event\":\"sheet\",\"name\":" << JsonString(name) << "}\n";
    };
    reader.OnReadColW = [](TXBiff*, int sheet, int col, int width) {
        std::cout << "{\"event\":\"colw\",\"sheet\":" << sheet << ",\"col\":" << col
                  << ",\"width\":" << width << "}\n";
    };
    reader.OnReadCell = [](TXBiff*, int sheet, int row, int col, int attr, const std::string& data,
                           bool&) {
        std::cout << "{\"event\":\"cell\",\"sheet\":" << sheet << ",\"row\":" << row
                  << ",\"col\":" << col << ",\"attr\":" << attr << ",\"data\":" << JsonString(data)
                  << "}\n";
    };
    try {
        reader.LoadFile(args[0]);
    } catch (const EXBiffError& e) {
        std::cout.flush();
        cli::PrintError(e.what());
        return 1;
    }
    std::cout.flush();
    return std::cout ? 0 : 1;
}

const cli::CommandRegistration registration("read-xls", "read-xls FILE", ReadXls);

} // namespace
