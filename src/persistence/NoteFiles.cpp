#include "NoteFiles.h"

#include "ArchiveObjects.h"
#include "Archives.h"
#include "Calculation.h"
#include "Cp932.h"
#include "FileIO.h"
#include "FileKinds.h"
#include "Transfer.h"

#include <boost/archive/archive_exception.hpp>

#include <sstream>

namespace notefiles {
namespace {

using boost::archive::archive_exception;

using filekinds::Archive;

// The archive a note is written as: the kind its name stands for, when
// that kind is written by the note writer.
Archive WrittenArchive(const std::string& path) {
    const filekinds::FileKind* kind = filekinds::KindOfName(path);
    return kind != nullptr && kind->writer == filekinds::Writer::Note ? kind->archive
                                                                      : Archive::None;
}

void ReadArchive(const std::string& path, NoteContainers& note) {
    std::string bytes;
    if (persistence::ReadWholeFile(path, bytes) != persistence::ReadStatus::Ok) {
        throw archive_exception(archive_exception::input_stream_error, path.c_str());
    }
    std::istringstream in(bytes);
    if (filekinds::ArchiveToRead(path) == Archive::Xml) {
        persistence::XmlIArchive ar(in);
        ar.LimitCollections(persistence::kMaxNoteListElements);
        persistence::ReadNoteObjects(ar, note);
        ar.Finish();
    } else {
        persistence::TextIArchive ar(in);
        ar.LimitCollections(persistence::kMaxNoteListElements);
        persistence::ReadNoteObjects(ar, note);
    }
}

template <class HeaderList>
std::string ArchiveBytes(Archive kind, const HeaderList& headers, const NoteContainers& note) {
    std::ostringstream out;
    if (kind == Archive::Xml) {
        persistence::XmlOArchive ar(out);
        persistence::WriteNoteObjects(ar, headers, note);
        ar.Finish();
    } else {
        persistence::TextOArchive ar(out);
        persistence::WriteNoteObjects(ar, headers, note);
    }
    if (!out) {
        throw archive_exception(archive_exception::output_stream_error);
    }
    return out.str();
}

void ShowCaution(NoteWindow& window, const char* utf8Text) {
    window.ShowMessage(S("注意"), S(utf8Text));
}

} // namespace

bool ReadNoteFile(const std::string& path, NoteContainers& note, NoteWindow& window) {
    note.ClearReadBuffers();
    try {
        ReadArchive(path, note);
    } catch (const std::exception&) {
        ShowCaution(window, "読み込めない形式です1");
        return false;
    } catch (...) {
        ShowCaution(window, "読み込めない形式です2");
        return false;
    }
    return true;
}

bool HasEveryPart(const NoteContainers& note) {
    return !note.basedata_load.empty() && !note.hinmokulist_load.empty() &&
           !note.owner_load.empty() && !note.customer_load.empty();
}

void ShowReadNote(NoteContainers& note, NoteWindow& window) {
    transfer::RecordsToWindow(window, note);
    calc::Recalculate(window);
    note.ClearReadBuffers();
}

void OpenNote(const std::string& path, NoteContainers& note, NoteWindow& window) {
    if (!ReadNoteFile(path, note, window)) {
        ShowCaution(window, "読み込めない形式です4");
        note.ClearReadBuffers();
        return;
    }
    if (!HasEveryPart(note)) {
        ShowCaution(window, "読み込めない形式です3");
        note.ClearReadBuffers();
        return;
    }
    ShowReadNote(note, window);
}

WriteResult WriteNoteFile(const std::string& path, NoteContainers& note, NoteWindow& window) {
    return WriteNoteFileAs(path, Layout::Current, note, window);
}

WriteResult WriteNoteFileAs(const std::string& path, Layout layout, NoteContainers& note,
                            NoteWindow& window) {
    if (layout == Layout::Format04) {
        transfer::WindowToHeader04(window, note.basedatav2list);
    } else {
        transfer::WindowToHeader(window, note.basedata1);
    }
    transfer::WindowToIssuer(window, note.owner1);
    transfer::WindowToCustomer(window, note.customer1);
    transfer::GridToLines(window, note.hinmokulist);

    const Archive kind = WrittenArchive(path);
    if (kind == Archive::None) {
        return WriteResult::NotANoteName;
    }
    try {
        const std::string bytes = layout == Layout::Format04
                                      ? ArchiveBytes(kind, note.basedatav2list, note)
                                      : ArchiveBytes(kind, note.basedata1, note);
        persistence::ReplaceFile(path, bytes);
    } catch (const std::exception&) {
        ShowCaution(window, "保存に失敗しました2");
        return WriteResult::Failed;
    }
    return WriteResult::Written;
}

std::string SavedStatus(const std::string& path) {
    return cp932::FromUtf8(path) + S("で保存");
}

std::string OverwrittenStatus(const std::string& path) {
    return cp932::FromUtf8(path) + S("で上書き保存");
}

std::string OpeningStatus(const std::string& path) {
    return cp932::FromUtf8(path) + S("を開いてます");
}

std::string InvalidNameStatus() {
    return S("ファイル名が不正です");
}

WriteResult SaveNoteOverwrite(const std::string& currentFile, std::string& saveTarget,
                              NoteContainers& note, NoteWindow& window) {
    if (currentFile.empty()) {
        window.SetStatus(InvalidNameStatus());
        return WriteResult::NotANoteName;
    }
    saveTarget = currentFile;
    const WriteResult result = WriteNoteFile(saveTarget, note, window);
    if (result == WriteResult::Written) {
        window.SetStatus(OverwrittenStatus(saveTarget));
    } else if (result == WriteResult::NotANoteName) {
        window.SetStatus(InvalidNameStatus());
    }
    return result;
}

WriteResult SaveNoteAsTarget(const std::string& saveTarget, Layout layout, NoteContainers& note,
                             NoteWindow& window) {
    const WriteResult result = WriteNoteFileAs(saveTarget, layout, note, window);
    if (result == WriteResult::Written) {
        window.SetStatus(SavedStatus(saveTarget));
    } else if (result == WriteResult::NotANoteName) {
        window.SetStatus(InvalidNameStatus());
    }
    return result;
}

} // namespace notefiles
