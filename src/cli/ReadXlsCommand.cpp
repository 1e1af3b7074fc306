// notorio-cli read-xls FILE: loads FILE with the spreadsheet reader component
// and prints one JSON object per event, one per line.
#include "Commands.h"

#include "Cp932.h"
#include "JsonText.h"
#include "Xbiff.h"

#include <cstdio>
#include <iostream>
#include <string>

namespace {

// A CP932 text as a JSON string literal (UTF-8).
std::string JsonString(const std::string& cp932Text) {
    return cli::JsonUtf8(cp932::ToUtf8(cp932Text));
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
