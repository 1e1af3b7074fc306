// Reads the bytes as a note file and as a master file through one of the
// archive classes: an archive error is the expected outcome of bad input;
// a crash, a sanitizer report, a hang or a huge allocation is a finding.
#pragma once

#include "ArchiveObjects.h"
#include "Archives.h"

#include <sstream>
#include <string>

namespace fuzzing {

template <class IArchive> void ReadNote(const std::string& bytes) {
    NoteContainers note;
    std::istringstream in(bytes);
    try {
        IArchive ar(in);
        persistence::ReadNoteObjects(ar, note);
        if constexpr (requires { ar.Finish(); }) {
            ar.Finish();
        }
    } catch (...) { // the file commands report every exception as a message
    }
}

template <class IArchive> void ReadMaster(const std::string& bytes) {
    NoteContainers note;
    ownerlist issuers;
    customerlist customers;
    wordlist w1, w2, w3;
    std::istringstream in(bytes);
    try {
        IArchive ar(in);
        persistence::ReadMasterObjects(ar, note, issuers, customers, w1, w2, w3);
        if constexpr (requires { ar.Finish(); }) {
            ar.Finish();
        }
    } catch (...) { // the file commands report every exception as a message
    }
}

} // namespace fuzzing
