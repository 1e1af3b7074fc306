// notorio-cli issue NOTE DIR [--kind 0|1|2]: opens the note as the window's
// open command does and issues it as a PDF in DIR under its rule-based name,
// with its line in DIR's index; prints the path written.
#include "CliNote.h"
#include "Commands.h"

#include "Basedata.h"
#include "GuiApplication.h"
#include "MemoryWindow.h"
#include "PrintJobs.h"

#include <iostream>
#include <string>
#include <vector>

namespace {

constexpr const char* kUsage = "issue NOTE DIR [--kind 0|1|2]";

int RunIssue(const std::vector<std::string>& args) {
    std::vector<std::string> files;
    int kind = 2;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--kind") {
            if (i + 1 >= args.size() || args[i + 1].size() != 1 || args[i + 1][0] < '0' ||
                args[i + 1][0] > '2') {
                std::cerr << "--kind must be 0, 1 or 2\n";
                return 1;
            }
            kind = args[++i][0] - '0';
        } else if (args[i].rfind("--", 0) == 0) {
            std::cerr << "unknown option " << args[i] << '\n';
            return 1;
        } else {
            files.push_back(args[i]);
        }
    }
    if (files.size() != 2) {
        std::cerr << "usage: notorio-cli " << kUsage << '\n';
        return 1;
    }
    MemoryWindow window;
    NoteContainers note;
    if (!cli::OpenNoteHeadless(files[0], window, note)) {
        return 1;
    }
    const auto app = cli::StartGuiApplication();
    std::string error;
    const std::string path = printing::IssuePdf(window, kind, files[1], error);
    if (path.empty()) {
        std::cerr << error << '\n';
        return 1;
    }
    std::cout << path << '\n';
    return 0;
}

const cli::CommandRegistration kIssue("issue", kUsage, RunIssue);

} // namespace
