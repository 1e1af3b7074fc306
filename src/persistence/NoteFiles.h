// Reading a note file into the window and writing the window's note to a
// file: a text archive for ".srt" and ".txt", an XML archive for ".xml",
// in the current or the 0.4 layout.
#pragma once

#include "Basedata.h"
#include "FileKinds.h"
#include "NoteWindow.h"

#include <string>

namespace notefiles {

using Layout = filekinds::Layout;
enum class WriteResult { Written, NotANoteName, Failed };

// Empties the read buffers and reads the four objects of the note at
// `path` into them: an XML archive when the extension is ".xml", a text
// archive otherwise. On failure shows "読み込めない形式です1" (an archive or
// file error) or "読み込めない形式です2" (anything else) and returns false;
// what was read before the error stays in the buffers.
bool ReadNoteFile(const std::string& path, NoteContainers& note, NoteWindow& window);

// True when none of the four read buffers is empty.
bool HasEveryPart(const NoteContainers& note);

// Shows the read buffers in the window (the first header, issuer and
// customer, every line), recalculates and empties the buffers.
void ShowReadNote(NoteContainers& note, NoteWindow& window);

// The open command after a file was chosen: reads `path` and shows it.
// "読み込めない形式です4" when it was not read, "読み込めない形式です3" when a
// part is missing; in both cases the window is not changed and the read
// buffers are emptied.
void OpenNote(const std::string& path, NoteContainers& note, NoteWindow& window);

// Writes the window's note to `path` in the current layout.
WriteResult WriteNoteFile(const std::string& path, NoteContainers& note, NoteWindow& window);

// Runs the window-to-record transfers (the 0.4 header for Format04, which
// leaves `basedata1` alone), then writes the note when the extension is a
// note extension (".srt", ".txt": text; ".xml": XML; compared case-
// sensitively). Another extension writes nothing: NotANoteName. The file is
// replaced only when complete; on failure "保存に失敗しました2" is shown and
// the old file stays as it was.
WriteResult WriteNoteFileAs(const std::string& path, Layout layout, NoteContainers& note,
                            NoteWindow& window);

// Status-line texts of the save commands; `path` is a file-system path
// (UTF-8), shown in code page 932.
std::string SavedStatus(const std::string& path);       // path + "で保存"
std::string OverwrittenStatus(const std::string& path); // path + "で上書き保存"
std::string OpeningStatus(const std::string& path);     // path + "を開いてます"
std::string InvalidNameStatus();                        // "ファイル名が不正です"

// The overwrite save (上書き保存) on the window's current file: with no
// file, only the status "ファイル名が不正です". Otherwise `saveTarget` :=
// `currentFile` and the note is written there; the status then reports
// "で上書き保存", or "ファイル名が不正です" when the name is not a note name,
// and stays as it was when the write failed. Returns the write's result
// (NotANoteName also for an empty `currentFile`).
WriteResult SaveNoteOverwrite(const std::string& currentFile, std::string& saveTarget,
                              NoteContainers& note, NoteWindow& window);

// The writing half of the save-as command, once the dialog's name has
// become `saveTarget` (and the spreadsheet export did not take it): writes
// the note there in `layout`; the status reports "で保存", or
// "ファイル名が不正です" for a name that is not a note name, and stays as it
// was after a failed write.
WriteResult SaveNoteAsTarget(const std::string& saveTarget, Layout layout, NoteContainers& note,
                             NoteWindow& window);

} // namespace notefiles
