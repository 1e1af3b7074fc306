// notorio-cli: the headless companion of the window program.
#include "Commands.h"
#include "Output.h"

#include "Cp932.h"

#include <exception>
#include <iostream>

namespace cli {

std::map<std::string, CommandInfo>& Registry() {
    static std::map<std::string, CommandInfo> registry;
    return registry;
}

void PrintError(const std::string& cp932Message) {
    std::cerr << cp932::ToUtf8(cp932Message) << '\n';
}

} // namespace cli

namespace {

int Usage() {
    std::cerr << "usage:\n";
    for (const auto& [name, info] : cli::Registry()) {
        std::cerr << "  notorio-cli " << info.usage << '\n';
    }
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        return Usage();
    }
    auto it = cli::Registry().find(argv[1]);
    if (it == cli::Registry().end()) {
        return Usage();
    }
    std::vector<std::string> args(argv + 2, argv + argc);
    int status = 1;
    try {
        status = it->second.run(args);
    } catch (const std::exception& e) {
        std::cerr << e.what() << '\n';
    }
    return cli::FinishOutput(status);
}
