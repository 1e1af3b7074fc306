// Builds BIFF record streams byte by byte for the reader tests, and records
// what the reader reports.
#pragma once

#include "Xbiff.h"

#include <cstdint>
#include <cstring>
#include <optional>
#include <ostream>
#include <string>
#include <tuple>
#include <vector>

namespace biff {

struct Bytes {
    std::string s;
    Bytes& u8(unsigned v) {
        s.push_back(static_cast<char>(v & 0xFF));
        return *this;
    }
    Bytes& u16(unsigned v) { return u8(v).u8(v >> 8); }
    Bytes& u32(std::uint32_t v) { return u16(v & 0xFFFF).u16(v >> 16); }
    Bytes& f64(double d) {
        std::uint64_t bits;
        std::memcpy(&bits, &d, 8);
        return u32(static_cast<std::uint32_t>(bits)).u32(static_cast<std::uint32_t>(bits >> 32));
    }
    Bytes& raw(const std::string& bytes) {
        s += bytes;
        return *this;
    }
    Bytes& utf16(const std::u16string& text) {
        for (char16_t c : text) {
            u16(c);
        }
        return *this;
    }
    operator std::string() const { return s; }
};

inline std::string Record(unsigned number, const std::string& body) {
    return Bytes().u16(number).u16(static_cast<unsigned>(body.size())).raw(body);
}
inline std::string Bof(unsigned number, unsigned version, unsigned type) {
    Bytes body;
    body.u16(version).u16(type);
    if (number == 0x0809) {
        body.raw(std::string(version == 0x0600 ? 12 : 4, '\0'));
    }
    return Record(number, body);
}
inline std::string Eof() {
    return Record(0x000A, "");
}

// One worksheet substream of the given BIFF version (2, 3, 4, 5 or 8).
inline std::string Sheet(int version, const std::string& records) {
    switch (version) {
    case 2:
        return Bof(0x0009, 2, 0x10) + records + Eof();
    case 3:
        return Bof(0x0209, 0, 0x10) + records + Eof();
    case 4:
        return Bof(0x0409, 0, 0x10) + records + Eof();
    case 5:
        return Bof(0x0809, 0x0500, 0x10) + records + Eof();
    default:
        return Bof(0x0809, 0x0600, 0x10) + records + Eof();
    }
}

struct Cell {
    int sheet, row, col, attr;
    std::string data;
    bool operator==(const Cell&) const = default;
};

inline std::ostream& operator<<(std::ostream& os, const Cell& c) {
    return os << "{" << c.sheet << "," << c.row << "," << c.col << "," << c.attr << ",\"" << c.data
              << "\"}";
}

// Everything a load reports.
struct Recorder {
    std::vector<Cell> cells;
    std::vector<std::string> sheetNames;
    std::vector<std::tuple<int, int, int>> widths; // sheet, column, width
    std::vector<int> progress;
    int cancelAfter = -1; // cells reported before a handler sets Cancel

    void Attach(TXBiff& reader) {
        reader.OnReadCell = [this](TXBiff*, int sheet, int row, int col, int attr,
                                   const std::string& data, bool& cancel) {
            cells.push_back({sheet, row, col, attr, data});
            if (cancelAfter >= 0 && static_cast<int>(cells.size()) >= cancelAfter) {
                cancel = true;
            }
        };
        reader.OnReadSheetName = [this](TXBiff*, const std::string& name) {
            sheetNames.push_back(name);
        };
        reader.OnReadColW = [this](TXBiff*, int sheet, int col, int width) {
            widths.emplace_back(sheet, col, width);
        };
        reader.OnProgress = [this](TXBiff*, int value) { progress.push_back(value); };
    }
};

// Loads `data` and returns what was reported.
inline Recorder Load(const std::string& data) {
    TXBiff reader;
    Recorder r;
    r.Attach(reader);
    reader.LoadData(data);
    return r;
}

// The failure a load of `data` ends with, nothing when it succeeds.
inline std::optional<xbiff::Failure> FailureOf(const std::string& data) {
    TXBiff reader;
    try {
        reader.LoadData(data);
    } catch (const EXBiffError& e) {
        return e.failure();
    }
    return std::nullopt;
}

} // namespace biff
