// Helpers for the writer tests: hex dumps, temporary folders, record walks.
#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace bifftest {

// "09 00 04 00" -> bytes.
inline std::string Hex(const std::string& spaced) {
    std::string out;
    std::istringstream in(spaced);
    std::string byte;
    while (in >> byte) {
        out.push_back(static_cast<char>(std::stoi(byte, nullptr, 16)));
    }
    return out;
}

inline std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A fresh folder under the system's temporary folder, removed afterwards.
class TempDir {
public:
    TempDir() {
        std::random_device rd;
        path_ = std::filesystem::temp_directory_path() /
                ("biffwriter-" + std::to_string(rd()) + "-" + std::to_string(rd()));
        std::filesystem::create_directories(path_);
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ec);
        std::filesystem::remove_all(path_, ec);
    }
    std::string File(const std::string& name) const { return (path_ / name).string(); }
    const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path path_;
};

struct Record {
    unsigned number;
    std::string data;
};

// Splits a BIFF stream into its records; stops at a record cut short.
inline std::vector<Record> Records(const std::string& bytes) {
    std::vector<Record> records;
    std::size_t pos = 0;
    while (pos + 4 <= bytes.size()) {
        unsigned number = static_cast<unsigned char>(bytes[pos]) |
                          static_cast<unsigned char>(bytes[pos + 1]) << 8;
        std::size_t length = static_cast<unsigned char>(bytes[pos + 2]) |
                             static_cast<unsigned char>(bytes[pos + 3]) << 8;
        if (pos + 4 + length > bytes.size()) {
            break;
        }
        records.push_back({number, bytes.substr(pos + 4, length)});
        pos += 4 + length;
    }
    return records;
}

inline unsigned U16(const std::string& data, std::size_t at) {
    return static_cast<unsigned char>(data[at]) | static_cast<unsigned char>(data[at + 1]) << 8;
}

} // namespace bifftest
