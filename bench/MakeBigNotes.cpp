// Writes the note files of the open-time measurement (bench/big_notes.sh):
// valid notes just below the 16 MiB read limit whose lines, issuer list or
// header list hold hundreds of thousands of small elements. Usage:
//   make_big_notes FOLDER
#include "ArchiveObjects.h"
#include "Archives.h"
#include "FileIO.h"

#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

namespace {

// The worked example's one line, issuer and customer.
NoteContainers SmallNote() {
    NoteContainers note;
    note.basedata1 = {basedata("2007", "", "0001", 0, 0, 1, 5)};
    note.hinmokulist[1] = hinmoku(1, "a", "", 2, "", 1000, 2000, "");
    note.owner1 = {owner("A", "", "", "", "", "", 1001, "", "", "")};
    note.customer1 = {customer("B", "", "", "", "", "", 10001)};
    return note;
}

std::string TextArchive(const NoteContainers& note) {
    std::ostringstream out;
    {
        persistence::TextOArchive ar(out);
        persistence::WriteNoteObjects(ar, note.basedata1, note);
    }
    return out.str();
}

// Grows one list of `note` by `add` until the archive reaches the limit.
template <class Add> std::string FillToTheLimit(NoteContainers note, Add add) {
    std::string bytes = TextArchive(note);
    std::size_t step = 100000;
    while (step > 0) {
        NoteContainers bigger = note;
        for (std::size_t i = 0; i < step; ++i) {
            add(bigger);
        }
        std::string candidate = TextArchive(bigger);
        if (candidate.size() <= persistence::kMaxArchiveFileBytes) {
            note = std::move(bigger);
            bytes = std::move(candidate);
        } else {
            step /= 4;
        }
    }
    return bytes;
}

void Write(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
    std::cout << path << " " << bytes.size() << " bytes\n";
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: make_big_notes FOLDER\n";
        return 1;
    }
    const std::string folder = argv[1];
    Write(folder + "/many-lines.srt", FillToTheLimit(SmallNote(), [](NoteContainers& n) {
              const int key = static_cast<int>(n.hinmokulist.size()) + 1;
              n.hinmokulist[key] = hinmoku(key, "", "", 0, "", 0, 0, "");
          }));
    Write(folder + "/many-issuers.srt",
          FillToTheLimit(SmallNote(), [](NoteContainers& n) { n.owner1.push_back(owner()); }));
    Write(folder + "/many-headers.srt", FillToTheLimit(SmallNote(), [](NoteContainers& n) {
              n.basedata1.push_back(basedata());
          }));
    // Version-0 headers of three bytes each (" 0 ": an empty date), as an
    // early layout allows, followed by the rest of the small note.
    const std::string small = TextArchive(SmallNote());
    const std::string head = "22 serialization::archive 3 0 0 1 0 3 ";
    const std::string afterHeader = small.substr(small.find(" 0001 0 0 1 5") + 13);
    std::string v0 = "22 serialization::archive 3 0 0 ";
    const std::size_t room = persistence::kMaxArchiveFileBytes - afterHeader.size() - 64;
    const std::size_t count = room / 3;
    v0 += std::to_string(count) + " 0 0";
    v0.reserve(room + 64);
    for (std::size_t i = 0; i < count; ++i) {
        v0 += " 0 ";
    }
    v0 += afterHeader;
    Write(folder + "/v0-headers.srt", v0);
    (void)head;
    return 0;
}
