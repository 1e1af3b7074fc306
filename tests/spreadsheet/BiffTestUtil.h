// Helpers for the writer tests: hex dumps, temporary folders, record walks.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <utility>
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

struct SheetCell {
    unsigned record;
    std::string value; // decimal text of INTEGER/NUMBER, bytes of LABEL
};

// (sheet row, sheet column) -> cell, read back from the written records.
inline std::map<std::pair<unsigned, unsigned>, SheetCell> SheetCells(const std::string& bytes) {
    std::map<std::pair<unsigned, unsigned>, SheetCell> cells;
    for (const auto& r : Records(bytes)) {
        if (r.number < 2 || r.number > 4) {
            continue;
        }
        std::pair<unsigned, unsigned> at{U16(r.data, 0), U16(r.data, 2)};
        if (r.number == 2) {
            cells[at] = {2, std::to_string(U16(r.data, 7))};
        } else if (r.number == 3) {
            double value = 0;
            std::memcpy(&value, r.data.data() + 7, sizeof value);
            cells[at] = {3, std::to_string(value)};
        } else {
            cells[at] = {4, r.data.substr(8, static_cast<unsigned char>(r.data[7]))};
        }
    }
    return cells;
}

using SheetMap = std::map<std::pair<unsigned, unsigned>, SheetCell>;

// The cell at (row, column), or record 0 when none was written there.
inline SheetCell CellAt(const SheetMap& cells, unsigned row, unsigned column) {
    auto it = cells.find({row, column});
    return it == cells.end() ? SheetCell{0, "(none)"} : it->second;
}

} // namespace bifftest
