#include "FileIO.h"

#include "SaveFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace persistence {
namespace {

FileLayer& SystemFiles() {
    static FileLayer files;
    return files;
}

FileLayer* current = nullptr;

class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

} // namespace

ReadStatus FileLayer::Read(const std::string& path, std::string& bytes, std::size_t limit) {
    bytes.clear();
    const Descriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (file.get() < 0) {
        return errno == ENOENT ? ReadStatus::Missing : ReadStatus::CannotOpen;
    }
    struct stat info {};
    if (::fstat(file.get(), &info) != 0) {
        return ReadStatus::ReadError;
    }
    if (S_ISREG(info.st_mode)) {
        if (static_cast<unsigned long long>(info.st_size) > limit) {
            return ReadStatus::TooLarge;
        }
        bytes.reserve(static_cast<std::size_t>(info.st_size));
    }
    char chunk[64 * 1024];
    while (true) {
        const ssize_t got = ::read(file.get(), chunk, sizeof chunk);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            bytes.clear();
            return ReadStatus::ReadError;
        }
        if (got == 0) {
            return ReadStatus::Ok;
        }
        // A file that grows while it is read is held to the same limit.
        if (static_cast<std::size_t>(got) > limit - bytes.size()) {
            bytes.clear();
            return ReadStatus::TooLarge;
        }
        bytes.append(chunk, static_cast<std::size_t>(got));
    }
}

std::string FileLayer::Replace(const std::string& path, std::string_view bytes, std::size_t limit) {
    safefile::SaveError error = safefile::SaveError::None;
    std::string message;
    if (safefile::ReplaceFile(path, bytes, limit, error, message)) {
        return std::string();
    }
    return message.empty() ? "cannot write " + path : message;
}

FileLayer& Files() {
    return current != nullptr ? *current : SystemFiles();
}

ScopedFileLayer::ScopedFileLayer(FileLayer& layer) : previous_(current) {
    current = &layer;
}

ScopedFileLayer::~ScopedFileLayer() {
    current = previous_;
}

ReadStatus ReadWholeFile(const std::string& path, std::string& bytes, std::size_t limit) {
    return Files().Read(path, bytes, limit);
}

void ReplaceFile(const std::string& path, std::string_view bytes, std::size_t limit) {
    const std::string failure = Files().Replace(path, bytes, limit);
    if (!failure.empty()) {
        throw SaveFailure(failure);
    }
}

bool FileExists(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0;
}

bool CopyFile(const std::string& from, const std::string& to) {
    constexpr std::size_t kCopyLimit = 16 * kMaxArchiveFileBytes;
    std::string bytes;
    if (ReadWholeFile(from, bytes, kCopyLimit) != ReadStatus::Ok) {
        return false;
    }
    return Files().Replace(to, bytes, kCopyLimit).empty();
}

} // namespace persistence
