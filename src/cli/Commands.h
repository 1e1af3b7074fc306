// Subcommands of notorio-cli. Each command's source file registers itself
// with a static CommandRegistration, so adding a command touches no table.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace cli {

// Runs a command on its arguments (after the command name); returns the
// process exit status. Texts written to stdout are UTF-8.
using CommandFn = std::function<int(const std::vector<std::string>& args)>;

struct CommandInfo {
    std::string usage;
    CommandFn run;
};

std::map<std::string, CommandInfo>& Registry();

struct CommandRegistration {
    CommandRegistration(const std::string& name, const std::string& usage, CommandFn fn) {
        Registry()[name] = CommandInfo{usage, std::move(fn)};
    }
};

// Writes a CP932 message to standard error as UTF-8, on a line of its own.
void PrintError(const std::string& cp932Message);

} // namespace cli
