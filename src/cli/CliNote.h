// Opening a note file on a fresh in-memory window, as the window program's
// open command does, for the commands of notorio-cli.
#pragma once

#include "Basedata.h"
#include "MemoryWindow.h"

#include <string>

namespace cli {

// Puts `window` into its start-up state (today's date, no master file),
// then reads the note at `path` and shows it as the open command does
// (records to window, recalculation) and sets the title of grid column 6
// from the note's tax mode. With no master file, the note's own first
// issuer and customer take the place of the chosen register entries in
// `owner1` and `customer1`, so a following save keeps every field; the
// header and lines as read are kept in `basedata1` and `hinmokulist`.
// Message texts go to standard error (UTF-8); false when the note could
// not be opened.
bool OpenNoteHeadless(const std::string& path, MemoryWindow& window, NoteContainers& note);

// Writes every message box the window has shown to standard error.
void PrintMessages(const MemoryWindow& window);

} // namespace cli
