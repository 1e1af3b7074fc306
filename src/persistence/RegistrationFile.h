// The side file of the registration numbers (登録番号): "master-touroku.xml"
// beside "master.xml", read at start-up and written at close with the
// master files. Only this program reads it; installations that do not know
// it go on reading and writing "master.xml" alone. Each number is stored
// with a full copy of its issuer, so that after another program rewrote the
// master file a number attaches only to the very issuer it was given to.
#pragma once

#include "Basedata.h"
#include "NoteWindow.h"

#include <string>

namespace registrationfile {

// The side file of the master file at `masterXmlPath`: the same folder,
// the name "master-touroku.xml".
std::string PathBeside(const std::string& masterXmlPath);

// The file's bytes: an XML archive of the issuers ("owner_ma", as the
// master file writes them) and their numbers ("touroku", one text each).
std::string Bytes(const ownerlist& issuers, const wordlist& numbers);

enum class ReadResult { Read, Missing, Unreadable };

// Reads the side file at `path`; on anything but Read both lists are empty.
ReadResult Read(const std::string& path, ownerlist& issuers, wordlist& numbers);
// The same on the file's bytes: Read or Unreadable.
ReadResult ReadBytes(const std::string& bytes, ownerlist& issuers, wordlist& numbers);

// Start-up, after the registers were set: the numbers of the register's
// issuers from the side file beside `masterXmlPath` into
// `note.owner_touroku` (one per issuer). An unreadable side file is kept as
// a copy beside it and reported in the status line; its numbers are lost
// to this run only.
void LoadNumbers(const std::string& masterXmlPath, NoteContainers& note, NoteWindow& window);

// The issuer register of the master file at `masterXmlPath` with its
// registration numbers, read as start-up reads them (the sample issuer
// when the file is missing or broken before its second issuer) but
// changing no file: for
// notorio-cli, which writes no master file. Message 21 when the master file
// is unreadable.
void ReadRegisters(const std::string& masterXmlPath, NoteContainers& note, NoteWindow& window);

// Close: writes the side file when an issuer has a number or the file
// exists already (so that removed numbers stay removed), replacing it only
// when complete. False after a failed write.
bool SaveNumbers(const std::string& masterXmlPath, const NoteContainers& note);

} // namespace registrationfile
