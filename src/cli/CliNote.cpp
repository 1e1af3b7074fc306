#include "CliNote.h"

#include "Commands.h"
#include "Cp932.h"
#include "NoteCommands.h"
#include "WindowTexts.h"

namespace cli {

void PrintMessages(const MemoryWindow& window) {
    for (const auto& [caption, text] : window.Messages()) {
        PrintError(text);
    }
}

bool OpenNoteHeadless(const std::string& path, MemoryWindow& window, NoteContainers& note) {
    window.ApplyStartupTexts(wintext::TodayText());
    window.ClearMessages();
    const bool opened = commands::OpenNote(path, note, window, commands::Records::Note);
    window.SetCell(col::Amount, 0, wintext::AmountTitle(window.TaxMode()));
    PrintMessages(window);
    window.ClearMessages();
    return opened;
}

} // namespace cli
