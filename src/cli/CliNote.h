// Opening a note file on a fresh in-memory window, as the window program's
// open command does, for the commands of notorio-cli.
#pragma once

#include "Basedata.h"
#include "MemoryWindow.h"

#include <optional>
#include <string>
#include <vector>

namespace cli {

// Where the issuer's registration number comes from: the number given
// (--registration T…), or the registers and side file of a working folder
// (--master DIR) as start-up would read them there; neither means none.
struct IssuerOptions {
    std::optional<std::string> registration; // UTF-8, as given
    std::optional<std::string> masterFolder;
};

// Takes --registration VALUE and --master DIR out of `args`; false with a
// message in `error` when one lacks its value.
bool TakeIssuerOptions(std::vector<std::string>& args, IssuerOptions& options, std::string& error);

// Puts `window` into its start-up state (today's date, no master file),
// then reads the note at `path` and shows it as the open command does
// (records to window, recalculation) and sets the title of grid column 6
// from the note's tax mode. With no master file, the note's own first
// issuer and customer take the place of the chosen register entries in
// `owner1` and `customer1`, so a following save keeps every field; the
// header and lines as read are kept in `basedata1` and `hinmokulist`.
// With `issuer` options the registers of the master folder are read first
// (so that opening the note finds its issuer's number), and a number given
// outright is shown in place of any other. Message texts go to standard
// error (UTF-8); false when the note could not be opened.
bool OpenNoteHeadless(const std::string& path, MemoryWindow& window, NoteContainers& note,
                      const IssuerOptions& issuer = {});

// Writes every message box the window has shown to standard error.
void PrintMessages(const MemoryWindow& window);

} // namespace cli
