#include "CliNote.h"

#include "Commands.h"
#include "Cp932.h"
#include "NoteFiles.h"
#include "RegistrationFile.h"
#include "WindowTexts.h"

namespace cli {

void PrintMessages(const MemoryWindow& window) {
    for (const auto& [caption, text] : window.Messages()) {
        PrintError(text);
    }
}

bool TakeIssuerOptions(std::vector<std::string>& args, IssuerOptions& options, std::string& error) {
    std::vector<std::string> rest;
    for (size_t i = 0; i < args.size(); ++i) {
        const bool registration = args[i] == "--registration";
        if (!registration && args[i] != "--master") {
            rest.push_back(args[i]);
            continue;
        }
        if (i + 1 >= args.size()) {
            error = args[i] + " needs a value";
            return false;
        }
        (registration ? options.registration : options.masterFolder) = args[++i];
    }
    args = rest;
    return true;
}

bool OpenNoteHeadless(const std::string& path, MemoryWindow& window, NoteContainers& note,
                      const IssuerOptions& issuer) {
    window.ApplyStartupTexts(wintext::TodayText());
    window.ClearMessages();
    if (issuer.masterFolder) {
        registrationfile::ReadRegisters(*issuer.masterFolder + "/master.xml", note, window);
    }
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
        if (issuer.registration) {
            window.SetField(field::Registration, cp932::FromUtf8(*issuer.registration));
        }
        opened = true;
    }
    note.ClearReadBuffers();
    window.SetCell(col::Amount, 0, wintext::AmountTitle(window.TaxMode()));
    PrintMessages(window);
    window.ClearMessages();
    return opened;
}

} // namespace cli
