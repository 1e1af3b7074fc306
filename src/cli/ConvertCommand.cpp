// notorio-cli convert NOTE OUT [--format04]: opens the note as the window
// does and saves it to OUT as the save-as command would (the kind follows
// OUT's extension; --format04 writes the 0.4 layout).
#include "CliNote.h"
#include "Commands.h"

#include "NoteCommands.h"

#include <iostream>

namespace {

int Convert(const std::vector<std::string>& args) {
    const bool old = args.size() == 3 && args[2] == "--format04";
    if (args.size() != 2 && !old) {
        std::cerr << "usage: notorio-cli convert NOTE OUT [--format04]\n";
        return 1;
    }
    MemoryWindow window;
    NoteContainers note;
    if (!cli::OpenNoteHeadless(args[0], window, note)) {
        return 1;
    }
    const auto layout = old ? filekinds::Layout::Format04 : filekinds::Layout::Current;
    const commands::WriteResult result = commands::SaveNoteTo(args[1], layout, note, window);
    cli::PrintMessages(window);
    if (result != commands::WriteResult::Written) {
        if (result == commands::WriteResult::NotANoteName) {
            cli::PrintError(window.Status());
        }
        return 1;
    }
    return 0;
}

const cli::CommandRegistration registration("convert", "convert NOTE OUT [--format04]", Convert);

} // namespace
