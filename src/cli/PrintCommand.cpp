// notorio-cli print NOTE [--kind 0|1|2|3] [--printer QUEUE]: opens the note as
// the window's open command does and prints the pages of the kind on a print
// queue (the default one unless named) without a dialog, as the print
// command does after its dialog.
#include "CliNote.h"
#include "Commands.h"

#include "Basedata.h"
#include "GuiApplication.h"
#include "MemoryWindow.h"
#include "NoteLayout.h"
#include "PrintJobs.h"

#include <iostream>
#include <string>
#include <vector>

namespace {

constexpr const char* kUsage = "print NOTE [--kind 0|1|2|3] [--printer QUEUE]";

int RunPrint(const std::vector<std::string>& args) {
    std::vector<std::string> files;
    int kind = printing::kAllThree;
    std::string queue;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--kind" || arg == "--printer") {
            if (i + 1 >= args.size()) {
                std::cerr << arg << " needs a value\n";
                return 1;
            }
            const std::string& value = args[++i];
            if (arg == "--printer") {
                queue = value;
            } else if (value.size() == 1 && value[0] >= '0' && value[0] <= '3') {
                kind = value[0] - '0';
            } else {
                std::cerr << "--kind must be 0, 1, 2 or 3\n";
                return 1;
            }
        } else if (arg.rfind("--", 0) == 0) {
            std::cerr << "unknown option " << arg << '\n';
            return 1;
        } else {
            files.push_back(arg);
        }
    }
    if (files.size() != 1) {
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
    if (!printing::PrintNotesOnQueue(window, kind, queue, error)) {
        std::cerr << error << '\n';
        return 1;
    }
    return 0;
}

const cli::CommandRegistration kPrint("print", kUsage, RunPrint);

} // namespace
