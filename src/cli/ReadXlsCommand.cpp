// notorio-cli read-xls FILE: loads FILE with the spreadsheet reader component
// and prints one JSON object per event, one per line (ReadXlsJson.h).
#include "Commands.h"

#include "ReadXlsJson.h"
#include "Xbiff.h"

#include <cstdio>
#include <iostream>
#include <string>

namespace {

int ReadXls(const std::vector<std::string>& args) {
    if (args.size() != 1) {
        std::cerr << "usage: notorio-cli read-xls FILE\n";
        return 1;
    }
    cli::XlsJsonLines out([](const char* data, std::size_t size) {
        return std::fwrite(data, 1, size, stdout) == size;
    });
    TXBiff reader;
    out.Attach(reader);
    try {
        reader.LoadFile(args[0]);
    } catch (const EXBiffError& e) {
        out.Flush();
        std::fflush(stdout);
        cli::PrintError(e.what());
        return 1;
    }
    // A lost write leaves stdout's error flag set; main reports it
    // (cli::FinishOutput) and ends with 1.
    return out.Flush() ? 0 : 1;
}

const cli::CommandRegistration registration("read-xls", "read-xls FILE", ReadXls);

} // namespace
