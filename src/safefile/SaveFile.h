// Replacing a file safely: the new content goes to a temporary file in the
// target's folder, is flushed to disk and only then renamed over the target,
// so the old file stays in place, whole, until the new one is complete.
#pragma once

#include <cstddef>
#include <limits>
#include <string>
#include <string_view>

namespace safefile {

enum class SaveError {
    None,
    WriteProtected, // the target exists and its write permission is taken away
    NotAFile,       // the target is a folder, a device or a link loop
    TooLarge,       // the content exceeds the size cap
    CannotCreate,   // no temporary file could be made in the target's folder
    WriteFailed,    // writing or flushing the temporary file failed
    CannotReplace,  // the temporary file could not take the target's place
    Exists,         // a new file was asked for and the name is taken
};

constexpr std::size_t kNoSizeCap = std::numeric_limits<std::size_t>::max();

// One replacement of one file, used like QSaveFile: Open, Write (or write
// into TemporaryPath from elsewhere), then Commit; Cancel or destruction
// without Commit leaves the target untouched and removes what was written.
//
// - A symbolic link is followed to the file it names, which is replaced; the
//   link stays.
// - A replaced file keeps its permissions (and owner, where allowed); a new
//   file gets 0666 less the umask.
// - A target without any write permission (or one this process may not
//   write) is refused: the user protected it.
// - The temporary file is unnamed (O_TMPFILE) where the file system allows
//   and gets a short fixed-length name only for the moment before the
//   rename; otherwise it has that short name from the start. Either way the
//   target's name may use the whole name-length limit. Temporary files that
//   an earlier run of this program left behind in the folder are removed.
class SaveFile {
public:
    explicit SaveFile(std::string path, std::size_t sizeCap = kNoSizeCap);
    ~SaveFile();
    SaveFile(const SaveFile&) = delete;
    SaveFile& operator=(const SaveFile&) = delete;

    bool Open();
    bool Write(std::string_view bytes);
    // Flushes, sets the mode, and puts the new file in the target's place.
    bool Commit();
    void Cancel();

    // A new file that never replaces one: OpenNew makes the temporary file
    // in the folder of the path given at construction without looking at
    // any file of that name; CommitNew(path) then puts it under `path` (in
    // that folder) only when no file has that name, in one step, so that no
    // other writer can come between the test and the placing. When the name
    // is taken it returns false with Exists and keeps the temporary, and
    // another name may be tried; any other failure ends the save.
    bool OpenNew();
    bool CommitNew(const std::string& path);

    // A path under which other code (a PDF printer) may open the temporary
    // file for writing; valid between Open and Commit.
    std::string TemporaryPath() const;

    // The file that is replaced: the target with its links followed.
    const std::string& ResolvedPath() const { return resolved_; }
    SaveError Error() const { return error_; }
    // The failure in words (English, for logs and the command line).
    std::string ErrorString() const;

private:
    bool Fail(SaveError error, int systemError);
    bool CreateTemporary();
    bool PlaceTemporary();
    bool Finish(unsigned mode);
    void Discard();

    std::string path_;
    std::string resolved_;
    std::string folder_;
    std::string tempName_; // named temporary, empty while unnamed
    std::size_t sizeCap_;
    std::size_t written_ = 0;
    int fd_ = -1;
    bool targetExists_ = false;
    unsigned targetMode_ = 0;
    unsigned targetUid_ = 0;
    unsigned targetGid_ = 0;
    SaveError error_ = SaveError::None;
    int systemError_ = 0;
};

// Replaces `path` by `bytes` in one step; false (with the reason in
// `error`) when anything failed, the old file then being as it was.
bool ReplaceFile(const std::string& path, std::string_view bytes, std::size_t sizeCap,
                 SaveError& error, std::string& message);

// Removes this program's temporary files in `folder` that no running save
// holds, with those that earlier versions named after `target` (".NAME." and
// six letters); returns how many were removed. Called by every Open.
int RemoveStaleTemporaries(const std::string& folder, std::string_view target = {});

// True for a name this program gives its temporary files, or gave them
// beside `target` in earlier versions.
bool IsTemporaryName(std::string_view name, std::string_view target = {});

} // namespace safefile
