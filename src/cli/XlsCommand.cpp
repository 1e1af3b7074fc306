// notorio-cli xls NOTE OUT.xls: opens the note as the window does and writes
// its line grid to OUT.xls as the export command would, without asking.
#include "CliNote.h"
#include "Commands.h"

#include "GridExport.h"

#include <iostream>
#include <stdexcept>

namespace {

int Xls(const std::vector<std::string>& args) {
    if (args.size() != 2) {
        std::cerr << "usage: notorio-cli xls NOTE OUT.xls\n";
        return 1;
    }
    const std::string& out = args[1];
    // The export writes only names ending in ".xls"; say so before opening.
    if (!spreadsheet::HasXlsExtension(out)) {
        std::cerr << "notorio-cli xls: the output name must end in \".xls\"\n";
        return 1;
    }
    MemoryWindow window;
    NoteContainers note;
    if (!cli::OpenNoteHeadless(args[0], window, note)) {
        return 1;
    }
    try {
        spreadsheet::WriteGridToXls(out, window);
    } catch (const std::runtime_error& e) {
        cli::PrintError(e.what());
        return 1;
    }
    return 0;
}

const cli::CommandRegistration registration("xls", "xls NOTE OUT.xls", Xls);

} // namespace
