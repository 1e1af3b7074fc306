#include "CliNote.h"

#include "Commands.h"
#include "Cp932.h"
#include "NoteFiles.h"
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
    bool opened = false;
    if (!notefiles::ReadNoteFile(path, note, window)) {
        window.ShowMessage(S("注意"), S("読み込めない形式です4"));
    } else if (!notefiles::HasEveryPart(note)) {
        window.ShowMessage(S("注意"), S("読み込めない形式です3"));
    } else {
        note.basedata1 = note.basedata_load;
        note.hinmokulist = note.hinmokulist_load;
        note.owner1 = {note.owner_load.front()};
        note.customer1 = {note.customer_load.front()};
        notefiles::ShowReadNote(note, window);
        opened = true;
    }
    note.ClearReadBuffers();
    window.SetCell(col::Amount, 0, wintext::AmountTitle(window.TaxMode()));
    PrintMessages(window);
    window.ClearMessages();
    return opened;
}

} // namespace cli
