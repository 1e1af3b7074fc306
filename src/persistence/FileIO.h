// Whole-file reads with a size limit and whole-file writes that replace
// the target only when the new content is complete.
#pragma once

#include <cstddef>
#include <string>

namespace persistence {

// Note and master files are small; anything larger is not one of them.
constexpr std::size_t kMaxArchiveFileBytes = 16u * 1024u * 1024u;

enum class ReadStatus { Ok, CannotOpen, TooLarge, ReadError };

// Reads the whole file at `path` into `bytes` when it is at most `limit`
// bytes long.
ReadStatus ReadWholeFile(const std::string& path, std::string& bytes,
                         std::size_t limit = kMaxArchiveFileBytes);

// Writes `bytes` to a new temporary file in the folder of `path`, flushes
// it to disk and renames it over `path`. On any failure the temporary file
// is removed, `path` is left as it was, and std::runtime_error is thrown.
// A new file gets the usual permissions (0666 less the umask); a replaced
// file keeps its own.
void ReplaceFile(const std::string& path, const std::string& bytes);

bool FileExists(const std::string& path);

// Copies `from` to `to` byte for byte (through ReplaceFile); false when
// either step fails.
bool CopyFile(const std::string& from, const std::string& to);

} // namespace persistence
