// Whole-file reads with a size limit and whole-file writes that replace
// the target only when the new content is complete (through safefile's
// SaveFile). Both go through a replaceable file layer, so that tests can
// meet failures that the test's user could not otherwise cause (a file
// root may read, a disk that is not full).
#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>

namespace persistence {

// Note and master files are small; anything larger is not one of them. A
// save whose archive would be larger is refused, so that whatever is
// written opens again.
constexpr std::size_t kMaxArchiveFileBytes = 16u * 1024u * 1024u;

enum class ReadStatus {
    Ok,
    Missing,    // there is no file of that name
    CannotOpen, // there is one, but it cannot be opened (permissions)
    TooLarge,
    ReadError,
};

// The file operations of persistence. The default reads and writes the
// file system; a test installs its own for a while (ScopedFileLayer).
class FileLayer {
public:
    virtual ~FileLayer() = default;
    // Reads the whole file at `path` into `bytes` when it is at most
    // `limit` bytes long; `bytes` is empty unless Ok.
    virtual ReadStatus Read(const std::string& path, std::string& bytes, std::size_t limit);
    // Replaces `path` by `bytes` (at most `limit` bytes); empty on success,
    // otherwise why it failed, the old file being then as it was.
    virtual std::string Replace(const std::string& path, std::string_view bytes, std::size_t limit);
};

// The layer in use.
FileLayer& Files();

// Installs `layer` for its own lifetime.
class ScopedFileLayer {
public:
    explicit ScopedFileLayer(FileLayer& layer);
    ~ScopedFileLayer();
    ScopedFileLayer(const ScopedFileLayer&) = delete;
    ScopedFileLayer& operator=(const ScopedFileLayer&) = delete;

private:
    FileLayer* previous_;
};

ReadStatus ReadWholeFile(const std::string& path, std::string& bytes,
                         std::size_t limit = kMaxArchiveFileBytes);

// A file that could not be replaced; the old one is as it was.
class SaveFailure : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Replaces `path` by `bytes` through the file layer: a symbolic link is
// written through, a write-protected file is refused, the mode of a
// replaced file is kept, content above `limit` is refused. Throws
// SaveFailure when anything failed.
void ReplaceFile(const std::string& path, std::string_view bytes,
                 std::size_t limit = kMaxArchiveFileBytes);

// True when something (a file, a folder, a dangling link) has that name.
bool FileExists(const std::string& path);

// Copies `from` to `to` byte for byte (files of up to 16 times the archive
// limit); false when the read or the write failed.
bool CopyFile(const std::string& from, const std::string& to);

} // namespace persistence
