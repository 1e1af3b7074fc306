// The master file: the issuer and customer registers, the positions of the
// chosen entries and the three word lists. Read once at start-up from
// "master.xml" in the current working directory, written at close as
// "master.dat" (text archive, never read) and "master.xml" (XML archive).
#pragma once

#include "Basedata.h"
#include "NoteWindow.h"

#include <string>

namespace masterfile {

// Bare names, resolved against the working directory at the moment of use.
inline const char* const kMasterXml = "master.xml";
inline const char* const kMasterDat = "master.dat";

// Reads the master file at `path` into the five lists and into
// `note.int_owner_no` / `note.int_customer_no`; true when all seven objects
// were read. A file that cannot be opened gives false without a message;
// any other error shows "読み込めない形式です21" and gives false, keeping
// what was read before it.
bool ReadMasterFile(const std::string& path, NoteContainers& note, ownerlist& issuers,
                    customerlist& customers, wordlist& w1, wordlist& w2, wordlist& w3,
                    NoteWindow& window);

// The first-run sample issuer (number 1001) and customer (number 10001):
// placeholder data only.
owner SampleIssuer();
customer SampleCustomer();

// Start-up: reads "master.xml" and fills the registers, the positions, the
// note's issuer and customer and the word lists; installs the sample data
// and words (status "no masterfile then default data") when it cannot be
// used. A position outside its register selects the first entry; the
// issuers' registration numbers come from the side file beside it. A
// damaged "master.xml" is copied aside (see BackupName) so that the close
// may replace it; one that cannot be opened, or whose copy failed, is
// recorded in `note.masterfileKept`, and the close leaves it alone. The
// caller then shows the chosen issuer and customer and rebuilds the word
// menus.
void LoadMasterAtStartup(NoteContainers& note, NoteWindow& window);

// The name the copy of an unreadable "master.xml" gets: "master.xml.bak",
// or "master.xml.bak2", "master.xml.bak3", ... when that exists already;
// empty when a hundred copies exist.
std::string BackupName(const std::string& path);

// Close: writes "master.dat", then "master.xml", then the side file of the
// registration numbers, each replacing the old file only when complete
// (protected files are refused, links written through, archives beyond the
// read limit refused); "保存に失敗しました1" for each one that fails. Writes
// nothing when the issuer register is empty; nor when start-up kept the
// master file (`note.masterfileKept`), which is then reported as
// "保存に失敗しました1" with the file's path and why.
void SaveMasterFiles(const NoteContainers& note, NoteWindow& window);

// The two archives of the master file as bytes (used by SaveMasterFiles).
std::string MasterTextBytes(const NoteContainers& note);
std::string MasterXmlBytes(const NoteContainers& note);

} // namespace masterfile
