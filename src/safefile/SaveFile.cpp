#include "SaveFile.h"

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <random>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace safefile {
namespace {

// ".~notorio-" and six letters or digits: short and of one length, so any
// target name within the limit leaves room for it.
constexpr std::string_view kTemporaryPrefix = ".~notorio-";
constexpr std::size_t kTemporaryRandomLength = 6;
constexpr int kMaxLinkHops = 40;

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string InFolder(const std::string& folder, std::string_view name) {
    return folder == "/" ? "/" + std::string(name) : folder + "/" + std::string(name);
}

std::string RandomTemporaryName() {
    static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    static thread_local std::mt19937 random{std::random_device{}()};
    std::uniform_int_distribution<int> pick(0, sizeof kLetters - 2);
    std::string name(kTemporaryPrefix);
    for (std::size_t i = 0; i < kTemporaryRandomLength; ++i) {
        name += kLetters[pick(random)];
    }
    return name;
}

unsigned ModeForNewFile() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            if (n == 0) {
                errno = EIO;
            }
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

void SyncFolder(const std::string& folder) {
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
}

bool SameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// The last `count` bytes are lower-case letters or digits (or upper-case
// letters too, as mkstemp gives).
bool EndsInLetters(std::string_view name, std::size_t count, bool upperToo) {
    for (const char c : name.substr(name.size() - count)) {
        const bool upper = c >= 'A' && c <= 'Z';
        if (!((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || (upperToo && upper))) {
            return false;
        }
    }
    return true;
}

// mkstemp draws from upper- and lower-case letters and digits; a suffix of
// only lower-case or only upper-case letters is far more likely a word the
// user chose (".note.srt.backup") than a temporary name, and stays.
bool LooksLikeAWord(std::string_view suffix) {
    bool lower = true;
    bool upper = true;
    for (const char c : suffix) {
        lower = lower && c >= 'a' && c <= 'z';
        upper = upper && c >= 'A' && c <= 'Z';
    }
    return lower || upper;
}

} // namespace

bool IsTemporaryName(std::string_view name, std::string_view target) {
    const bool legacy = !target.empty() && name.size() == target.size() + 8 &&
                        name.front() == '.' && name.substr(1, target.size()) == target &&
                        name[target.size() + 1] == '.';
    if (legacy) {
        return EndsInLetters(name, 6, true) && !LooksLikeAWord(name.substr(name.size() - 6));
    }
    return name.size() == kTemporaryPrefix.size() + kTemporaryRandomLength &&
           name.substr(0, kTemporaryPrefix.size()) == kTemporaryPrefix &&
           EndsInLetters(name, kTemporaryRandomLength, false);
}

int RemoveStaleTemporaries(const std::string& folder, std::string_view target) {
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) {
        return 0;
    }
    int removed = 0;
    while (const dirent* entry = ::readdir(dir)) {
        if (!IsTemporaryName(entry->d_name, target)) {
            continue;
        }
        const std::string path = InFolder(folder, entry->d_name);
        const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) {
            continue;
        }
        // A save in progress holds a lock on its temporary file.
        struct stat opened {
        }, named{};
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::fstat(fd, &opened) == 0 &&
            S_ISREG(opened.st_mode) && ::lstat(path.c_str(), &named) == 0 &&
            SameFile(opened, named) && ::unlink(path.c_str()) == 0) {
            ++removed;
        }
        ::close(fd);
    }
    ::closedir(dir);
    return removed;
}

SaveFile::SaveFile(std::string path, std::size_t sizeCap)
    : path_(std::move(path)), sizeCap_(sizeCap) {}

SaveFile::~SaveFile() {
    Discard();
}

bool SaveFile::Fail(SaveError error, int systemError) {
    if (error_ == SaveError::None) {
        error_ = error;
        systemError_ = systemError;
    }
    Discard();
    return false;
}

void SaveFile::Discard() {
    if (!tempName_.empty()) {
        ::unlink(InFolder(folder_, tempName_).c_str());
        tempName_.clear();
    }
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
}

bool SaveFile::Open() {
    Discard();
    error_ = SaveError::None;
    systemError_ = 0;
    written_ = 0;
    targetExists_ = false;
    resolved_ = path_;
    for (int hop = 0;; ++hop) {
        struct stat info {};
        if (::lstat(resolved_.c_str(), &info) != 0) {
            if (errno != ENOENT) {
                return Fail(SaveError::CannotCreate, errno);
            }
            break;
        }
        if (!S_ISLNK(info.st_mode)) {
            if (!S_ISREG(info.st_mode)) {
                return Fail(SaveError::NotAFile, 0);
            }
            targetExists_ = true;
            targetMode_ = info.st_mode & 07777;
            targetUid_ = info.st_uid;
            targetGid_ = info.st_gid;
            break;
        }
        if (hop == kMaxLinkHops) {
            return Fail(SaveError::NotAFile, ELOOP);
        }
        std::string link(static_cast<std::size_t>(info.st_size) + 256, '\0');
        const ssize_t n = ::readlink(resolved_.c_str(), link.data(), link.size());
        if (n < 0 || static_cast<std::size_t>(n) >= link.size()) {
            return Fail(SaveError::NotAFile, n < 0 ? errno : ENAMETOOLONG);
        }
        link.resize(static_cast<std::size_t>(n));
        resolved_ = link.front() == '/' ? link : InFolder(FolderOf(resolved_), link);
    }
    // Without any write bit the file is protected even from root, who may
    // write every file.
    if (targetExists_ && (targetMode_ & 0222) == 0) {
        return Fail(SaveError::WriteProtected, EACCES);
    }
    if (targetExists_ && ::access(resolved_.c_str(), W_OK) != 0) {
        return Fail(SaveError::WriteProtected, errno);
    }
    folder_ = FolderOf(resolved_);
    const std::size_t slash = resolved_.rfind('/');
    RemoveStaleTemporaries(folder_,
                           slash == std::string::npos ? resolved_ : resolved_.substr(slash + 1));
    return CreateTemporary();
}

bool SaveFile::CreateTemporary() {
    fd_ = ::open(folder_.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
    if (fd_ >= 0) {
        ::flock(fd_, LOCK_EX);
        return true;
    }
    // No unnamed files here: a named one, locked at once, and checked to be
    // still under its name in case a stale-file sweep came between.
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string name = RandomTemporaryName();
        const std::string path = InFolder(folder_, name);
        const int fd = ::open(path.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0600);
        if (fd < 0) {
            if (errno == EEXIST) {
                continue;
            }
            return Fail(SaveError::CannotCreate, errno);
        }
        struct stat opened {
        }, named{};
        if (::flock(fd, LOCK_EX) == 0 && ::fstat(fd, &opened) == 0 &&
            ::lstat(path.c_str(), &named) == 0 && SameFile(opened, named)) {
            fd_ = fd;
            tempName_ = name;
            return true;
        }
        ::close(fd);
    }
    return Fail(SaveError::CannotCreate, EEXIST);
}

bool SaveFile::Write(std::string_view bytes) {
    if (fd_ < 0 || error_ != SaveError::None) {
        return Fail(error_ == SaveError::None ? SaveError::WriteFailed : error_, EBADF);
    }
    if (bytes.size() > sizeCap_ - written_) {
        return Fail(SaveError::TooLarge, EFBIG);
    }
    if (!WriteAll(fd_, bytes)) {
        return Fail(SaveError::WriteFailed, errno);
    }
    written_ += bytes.size();
    return true;
}

std::string SaveFile::TemporaryPath() const {
    if (fd_ < 0) {
        return std::string();
    }
    return tempName_.empty() ? "/proc/self/fd/" + std::to_string(fd_)
                             : InFolder(folder_, tempName_);
}

bool SaveFile::PlaceTemporary() {
    if (tempName_.empty()) {
        const std::string procPath = "/proc/self/fd/" + std::to_string(fd_);
        for (int attempt = 0; attempt < 100 && tempName_.empty(); ++attempt) {
            const std::string name = RandomTemporaryName();
            const std::string path = InFolder(folder_, name);
            if (::linkat(fd_, "", AT_FDCWD, path.c_str(), AT_EMPTY_PATH) == 0 ||
                ::linkat(AT_FDCWD, procPath.c_str(), AT_FDCWD, path.c_str(), AT_SYMLINK_FOLLOW) ==
                    0) {
                tempName_ = name;
            } else if (errno != EEXIST) {
                return Fail(SaveError::CannotReplace, errno);
            }
        }
        if (tempName_.empty()) {
            return Fail(SaveError::CannotReplace, EEXIST);
        }
    }
    if (::rename(InFolder(folder_, tempName_).c_str(), resolved_.c_str()) != 0) {
        return Fail(SaveError::CannotReplace, errno);
    }
    tempName_.clear();
    return true;
}

// Checks the size, gives the file its owner and mode and flushes it.
bool SaveFile::Finish(unsigned mode) {
    if (fd_ < 0 || error_ != SaveError::None) {
        return Fail(error_ == SaveError::None ? SaveError::WriteFailed : error_, EBADF);
    }
    struct stat info {};
    if (::fstat(fd_, &info) != 0) {
        return Fail(SaveError::WriteFailed, errno);
    }
    if (static_cast<std::size_t>(info.st_size) > sizeCap_) {
        return Fail(SaveError::TooLarge, EFBIG);
    }
    if (targetExists_ && (info.st_uid != targetUid_ || info.st_gid != targetGid_)) {
        // Only possible with the right to; otherwise the new file is ours.
        [[maybe_unused]] const int ignored = ::fchown(fd_, targetUid_, targetGid_);
    }
    if (::fchmod(fd_, mode) != 0 || ::fsync(fd_) != 0) {
        return Fail(SaveError::WriteFailed, errno);
    }
    return true;
}

bool SaveFile::Commit() {
    if (!Finish(targetExists_ ? targetMode_ : ModeForNewFile()) || !PlaceTemporary()) {
        return false;
    }
    SyncFolder(folder_);
    const int closed = ::close(fd_);
    fd_ = -1;
    (void)closed; // the content is on disk already
    return true;
}

bool SaveFile::OpenNew() {
    Discard();
    error_ = SaveError::None;
    systemError_ = 0;
    written_ = 0;
    targetExists_ = false;
    resolved_ = path_;
    folder_ = FolderOf(path_);
    RemoveStaleTemporaries(folder_);
    return CreateTemporary();
}

bool SaveFile::CommitNew(const std::string& path) {
    if (error_ == SaveError::Exists) {
        error_ = SaveError::None; // an earlier name was taken; this is the next try
        systemError_ = 0;
    }
    resolved_ = path;
    if (FolderOf(path) != folder_) {
        return Fail(SaveError::CannotReplace, EXDEV);
    }
    if (!Finish(ModeForNewFile())) {
        return false;
    }
    // A link fails when the name exists, whatever it is: the test and the
    // placing are one step.
    int placed = -1;
    if (tempName_.empty()) {
        const std::string procPath = "/proc/self/fd/" + std::to_string(fd_);
        placed = ::linkat(fd_, "", AT_FDCWD, path.c_str(), AT_EMPTY_PATH);
        if (placed != 0 && errno != EEXIST) {
            placed =
                ::linkat(AT_FDCWD, procPath.c_str(), AT_FDCWD, path.c_str(), AT_SYMLINK_FOLLOW);
        }
    } else {
        placed = ::link(InFolder(folder_, tempName_).c_str(), path.c_str());
    }
    if (placed != 0) {
        if (errno == EEXIST) {
            error_ = SaveError::Exists;
            systemError_ = EEXIST;
            return false;
        }
        return Fail(SaveError::CannotReplace, errno);
    }
    if (!tempName_.empty()) {
        ::unlink(InFolder(folder_, tempName_).c_str());
        tempName_.clear();
    }
    SyncFolder(folder_);
    const int closed = ::close(fd_);
    fd_ = -1;
    (void)closed;
    return true;
}

void SaveFile::Cancel() {
    Discard();
}

std::string SaveFile::ErrorString() const {
    const std::string target = resolved_.empty() ? path_ : resolved_;
    const std::string reason = systemError_ != 0 ? std::strerror(systemError_) : "";
    switch (error_) {
    case SaveError::None:
        return std::string();
    case SaveError::WriteProtected:
        return target + " is write-protected";
    case SaveError::NotAFile:
        return target + " is not a regular file";
    case SaveError::TooLarge:
        return "the content for " + target + " exceeds the size limit";
    case SaveError::CannotCreate:
        return "cannot create a temporary file beside " + target + ": " + reason;
    case SaveError::WriteFailed:
        return "cannot write " + target + ": " + reason;
    case SaveError::CannotReplace:
        return "cannot replace " + target + ": " + reason;
    case SaveError::Exists:
        return target + " exists already";
    }
    return std::string();
}

bool ReplaceFile(const std::string& path, std::string_view bytes, std::size_t sizeCap,
                 SaveError& error, std::string& message) {
    SaveFile file(path, sizeCap);
    const bool ok = file.Open() && file.Write(bytes) && file.Commit();
    error = file.Error();
    message = file.ErrorString();
    return ok;
}

} // namespace safefile
