// The note commands of the window and of notorio-cli, without widgets: new
// note, open, overwrite save, save as with its file-kind choice, and the
// question asked before the window closes. The commands reach the user
// through the small NoteDialogs port; their message and status texts live
// here.
#pragma once

#include "Basedata.h"
#include "FileKinds.h"
#include "NoteSnapshot.h"
#include "NoteWindow.h"

#include <optional>
#include <string>

namespace commands {

enum class Answer { Yes, No, Cancel };

// What the save dialog returned: the native path as chosen and the 1-based
// position of the file kind chosen with it.
struct SaveChoice {
    std::string path;
    int kindPosition = filekinds::kFirstSavePosition;
};

// The dialogs the commands need. The window implements it with its file
// dialogs and question boxes; tests with answers given in advance.
class NoteDialogs {
public:
    virtual ~NoteDialogs() = default;
    // The open dialog: the chosen native path; nothing when cancelled.
    virtual std::optional<std::string> ChooseNoteToOpen() = 0;
    // The save dialog of save as (an empty name field): nothing when
    // cancelled.
    virtual std::optional<SaveChoice> ChooseSaveName() = 0;
    // A question answered with はい, いいえ or キャンセル (code page 932 text).
    virtual Answer Ask(const std::string& text) = 0;
    // An error box (code page 932 text).
    virtual void ShowError(const std::string& text) = 0;
};

enum class WriteResult { Written, NotANoteName, Failed };

// Status-line texts; `path` is a file-system path (UTF-8), shown in code
// page 932.
std::string SavedStatus(const std::string& path);       // path + "で保存"
std::string OverwrittenStatus(const std::string& path); // path + "で上書き保存"
std::string OpeningStatus(const std::string& path);     // path + "を開いてます"
std::string ExportedStatus(const std::string& path);    // path + "で書きだし"
std::string InvalidNameStatus();                        // "ファイル名が不正です"
std::string NewNoteStatus();                            // "表は新規です"
std::string NoFileStatus();                             // "Nofile"
// The close question.
std::string CloseQuestion();

// Whose issuer, customer, header and lines a following save writes.
enum class Records {
    // The window's: the registers' chosen issuer and customer stay.
    Window,
    // The note's own as read (no master file supplies them): its header,
    // lines, first issuer and first customer.
    Note,
};

// The open sequence once a file is named: reads `path` and shows it
// (records to window, recalculation). "読み込めない形式です4" when it was
// not read, "読み込めない形式です3" when a part is missing; then the window
// is not changed. The read buffers are empty afterwards. True when shown.
bool OpenNote(const std::string& path, NoteContainers& note, NoteWindow& window,
              Records records = Records::Window);

// Writes the note to `path` as save as does once the name is known: the
// window's texts into the records, then the file in `layout` when the
// name is a note name. The status reports "で保存", or
// "ファイル名が不正です" for another name, and stays as it was after a
// failed write (which shows its message).
WriteResult SaveNoteTo(const std::string& path, filekinds::Layout layout, NoteContainers& note,
                       NoteWindow& window);

// The note open in a window and its commands.
class NoteCommands {
public:
    NoteCommands(NoteWindow& window, NoteContainers& note, NoteDialogs& dialogs);

    // The native path of the open note (empty for a new one) and of the
    // file last written.
    std::string currentFile;
    std::string saveTarget;

    // 新規: the grid's data cells are emptied; fields, file and tax mode stay.
    void NewNote();
    // 開く: the open dialog, then the note read into the window. A chosen
    // file empties the grid first and becomes the current file; cancelling
    // only says "Nofile". True when a note was shown.
    bool Open();
    // The note named at start-up.
    bool OpenNamed(const std::string& path);
    // 上書き保存 on the current file: with none, only "ファイル名が不正です".
    WriteResult Save();
    // 保存 (save as): the save dialog, then the spreadsheet export for a
    // name of that kind the user confirms, otherwise the note in the layout
    // of the chosen kind. A name typed without an extension takes the
    // chosen kind's. True when a file was written.
    bool SaveAs();
    // The close check: asks whenever the note differs from what was last
    // opened or saved. Yes saves over the open file (save as when there is
    // none), No saves under a new name, Cancel saves nothing. False when a
    // save the user asked for did not happen, so the window stays open.
    bool MayClose();

    // True when the note differs from what was last opened or saved.
    bool HasUnsavedChanges() const;
    // The note as it is now counts as the saved one (start-up's end).
    void MarkSaved();

private:
    NoteWindow& window_;
    NoteContainers& note_;
    NoteDialogs& dialogs_;
    NoteSnapshot saved_;
};

} // namespace commands
