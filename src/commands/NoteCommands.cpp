#include "NoteCommands.h"

#include "Cp932.h"
#include "GridExport.h"
#include "NoteFiles.h"
#include "Transfer.h"

#include <stdexcept>

namespace commands {
namespace {

WriteResult FromNoteFiles(notefiles::WriteResult result) {
    switch (result) {
    case notefiles::WriteResult::Written:
        return WriteResult::Written;
    case notefiles::WriteResult::NotANoteName:
        return WriteResult::NotANoteName;
    default:
        return WriteResult::Failed;
    }
}

void Adopt(NoteContainers& note) {
    note.basedata1 = note.basedata_load;
    note.hinmokulist = note.hinmokulist_load;
    note.owner1 = {note.owner_load.front()};
    note.customer1 = {note.customer_load.front()};
}

spreadsheet::Answer ToExportAnswer(Answer answer) {
    switch (answer) {
    case Answer::Yes:
        return spreadsheet::Answer::Yes;
    case Answer::No:
        return spreadsheet::Answer::No;
    default:
        return spreadsheet::Answer::Cancel;
    }
}

} // namespace

std::string SavedStatus(const std::string& path) {
    return cp932::FromUtf8(path) + S("で保存");
}

std::string OverwrittenStatus(const std::string& path) {
    return cp932::FromUtf8(path) + S("で上書き保存");
}

std::string ExportedStatus(const std::string& path) {
    return cp932::FromUtf8(path) + S("で書きだし");
}

std::string OpeningStatus(const std::string& path) {
    return cp932::FromUtf8(path) + S("を開いてます");
}

std::string InvalidNameStatus() {
    return S("ファイル名が不正です");
}

std::string NewNoteStatus() {
    return S("表は新規です");
}

std::string NoFileStatus() {
    return "Nofile";
}

std::string CloseQuestion() {
    return S("データが編集されてます\n上書き保存しますか名前を付けて保存はいいえを押してください");
}

bool OpenNote(const std::string& path, NoteContainers& note, NoteWindow& window, Records records) {
    bool shown = false;
    if (!notefiles::ReadNoteFile(path, note, window)) {
        window.ShowMessage(S("注意"), S("読み込めない形式です4"));
    } else if (!notefiles::HasEveryPart(note)) {
        window.ShowMessage(S("注意"), S("読み込めない形式です3"));
    } else {
        if (records == Records::Note) {
            Adopt(note);
        }
        notefiles::ShowReadNote(note, window);
        shown = true;
    }
    note.ClearReadBuffers();
    return shown;
}

WriteResult SaveNoteTo(const std::string& path, filekinds::Layout layout, NoteContainers& note,
                       NoteWindow& window) {
    const WriteResult result =
        FromNoteFiles(notefiles::WriteNoteFileAs(path, layout, note, window));
    if (result == WriteResult::Written) {
        window.SetStatus(SavedStatus(path));
    } else if (result == WriteResult::NotANoteName) {
        window.SetStatus(InvalidNameStatus());
    }
    return result;
}

NoteCommands::NoteCommands(NoteWindow& window, NoteContainers& note, NoteDialogs& dialogs)
    : window_(window), note_(note), dialogs_(dialogs) {}

void NoteCommands::NewNote() {
    transfer::ClearGridData(window_);
    window_.SetStatus(NewNoteStatus());
}

bool NoteCommands::Open() {
    const std::optional<std::string> chosen = dialogs_.ChooseNoteToOpen();
    if (!chosen) {
        window_.SetStatus(NoFileStatus());
        return false;
    }
    transfer::ClearGridData(window_);
    currentFile = *chosen;
    window_.SetStatus(OpeningStatus(currentFile));
    return OpenNamed(currentFile);
}

bool NoteCommands::OpenNamed(const std::string& path) {
    currentFile = path;
    const bool shown = OpenNote(path, note_, window_);
    if (shown) {
        MarkSaved();
    }
    return shown;
}

WriteResult NoteCommands::Save() {
    if (currentFile.empty()) {
        window_.SetStatus(InvalidNameStatus());
        return WriteResult::NotANoteName;
    }
    saveTarget = currentFile;
    const WriteResult result = FromNoteFiles(
        notefiles::WriteNoteFileAs(saveTarget, filekinds::Layout::Current, note_, window_));
    if (result == WriteResult::Written) {
        window_.SetStatus(OverwrittenStatus(saveTarget));
        MarkSaved();
    } else if (result == WriteResult::NotANoteName) {
        window_.SetStatus(InvalidNameStatus());
    }
    return result;
}

bool NoteCommands::SaveAs() {
    const std::optional<SaveChoice> choice = dialogs_.ChooseSaveName();
    if (!choice) {
        return false;
    }
    const filekinds::FileKind* kind = filekinds::SaveKindAt(choice->kindPosition);
    if (kind == nullptr) {
        kind = filekinds::SaveKindAt(filekinds::kFirstSavePosition);
    }
    if (!choice->path.empty()) {
        saveTarget = filekinds::NameWithExtension(choice->path, *kind);
        currentFile = saveTarget;
    }
    const filekinds::FileKind* named = filekinds::KindOfName(saveTarget);
    if (named != nullptr && named->writer == filekinds::Writer::Spreadsheet) {
        try {
            if (spreadsheet::ExportGridToXls(saveTarget, window_, [this](const std::string& q) {
                    return ToExportAnswer(dialogs_.Ask(q));
                })) {
                window_.SetStatus(SavedStatus(saveTarget));
                return true;
            }
        } catch (const std::exception& e) {
            dialogs_.ShowError(e.what());
            return false;
        }
    }
    const bool written =
        SaveNoteTo(saveTarget, kind->layout, note_, window_) == WriteResult::Written;
    if (written) {
        MarkSaved();
    }
    return written;
}

bool NoteCommands::MayClose() {
    if (!HasUnsavedChanges()) {
        return true;
    }
    switch (dialogs_.Ask(CloseQuestion())) {
    case Answer::Yes:
        return currentFile.empty() ? SaveAs() : Save() == WriteResult::Written;
    case Answer::No:
        return SaveAs();
    default:
        return true;
    }
}

bool NoteCommands::HasUnsavedChanges() const {
    return !(NoteSnapshot::Of(window_) == saved_);
}

void NoteCommands::MarkSaved() {
    saved_ = NoteSnapshot::Of(window_);
}

} // namespace commands
