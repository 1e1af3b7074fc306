#include "FileIO.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace persistence {
namespace {

std::string Folder(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string BaseName(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

[[noreturn]] void Fail(const std::string& what, int error) {
    throw std::runtime_error(what + ": " + std::strerror(error));
}

mode_t NewFileMode(const std::string& path) {
    struct stat existing {};
    if (::stat(path.c_str(), &existing) == 0) {
        return existing.st_mode & 07777;
    }
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

bool WriteAll(int fd, const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

} // namespace

ReadStatus ReadWholeFile(const std::string& path, std::string& bytes, std::size_t limit) {
    bytes.clear();
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return ReadStatus::CannotOpen;
    }
    std::vector<char> chunk(64 * 1024);
    while (true) {
        in.read(chunk.data(), static_cast<std::streamsize>(chunk.size()));
        const std::streamsize got = in.gcount();
        if (static_cast<std::size_t>(got) > limit - bytes.size()) {
            bytes.clear();
            return ReadStatus::TooLarge;
        }
        bytes.append(chunk.data(), static_cast<size_t>(got));
        if (in.eof()) {
            return ReadStatus::Ok;
        }
        if (!in) {
            bytes.clear();
            return ReadStatus::ReadError;
        }
    }
}

void ReplaceFile(const std::string& path, const std::string& bytes) {
    const mode_t mode = NewFileMode(path);
    std::string temp = Folder(path) + "/." + BaseName(path) + ".XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) {
        Fail("cannot create a temporary file beside " + path, errno);
    }
    int error = 0;
    if (!WriteAll(fd, bytes)) {
        error = errno;
    } else if (::fchmod(fd, mode) != 0) {
        error = errno;
    } else if (::fsync(fd) != 0) {
        error = errno;
    }
    if (::close(fd) != 0 && error == 0) {
        error = errno;
    }
    if (error == 0 && ::rename(temp.c_str(), path.c_str()) != 0) {
        error = errno;
    }
    if (error != 0) {
        ::unlink(temp.c_str());
        Fail("cannot write " + path, error);
    }
}

bool FileExists(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0;
}

bool CopyFile(const std::string& from, const std::string& to) {
    std::string bytes;
    if (ReadWholeFile(from, bytes, 16 * kMaxArchiveFileBytes) != ReadStatus::Ok) {
        return false;
    }
    try {
        ReplaceFile(to, bytes);
    } catch (const std::runtime_error&) {
        return false;
    }
    return true;
}

} // namespace persistence
