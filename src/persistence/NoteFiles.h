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

} // namespace notefiles
