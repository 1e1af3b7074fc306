// notorio_cp932_tables OUTPUT.cpp: writes the tables Cp932Tables.h declares,
// asking the system's converter for every character. Run by the build; fails
// when the converter does not answer one character for each.
#include "Cp932.h"
#include "Cp932Converter.h"
#include "Cp932Tables.h"

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

using cp932::IsLeadByte;
namespace converter = cp932::converter;

// Keeps the codes of the `count` characters from `first` on, given one
// CP932 character each in `cp932`; false when the converter did not answer
// one to one.
bool Store(std::vector<std::uint16_t>& codes, char32_t first, std::size_t count,
           std::string_view cp932) {
    std::size_t at = 0;
    for (char32_t c = first; c < first + count; ++c) {
        if (at >= cp932.size()) {
            return false;
        }
        const unsigned char lead = static_cast<unsigned char>(cp932[at]);
        if (IsLeadByte(lead) && at + 1 < cp932.size()) {
            codes.at(c) =
                static_cast<std::uint16_t>(lead << 8 | static_cast<unsigned char>(cp932[at + 1]));
            at += 2;
        } else {
            codes.at(c) = lead;
            at += 1;
        }
    }
    return at == cp932.size();
}

// Every character of the basic plane, a block of 256 code points at a time
// (as code points: one step of the converter, which from UTF-8 converts the
// rest of its input again at each character it cannot take); then the JIS
// forms, which CP932 spells with other code points.
bool FillBasicPlane(std::vector<std::uint16_t>& codes) {
    for (char32_t block = 0; block < 0x100; ++block) {
        if (block >= 0xD8 && block <= 0xDF) {
            continue; // surrogates: never looked up
        }
        std::u32string points;
        for (char32_t c = block << 8; c < (block + 1) << 8; ++c) {
            points.push_back(c);
        }
        if (!Store(codes, block << 8, points.size(), converter::FromCodePoints(points))) {
            return false;
        }
    }
    for (const converter::Alias& alias : converter::kAliases) {
        char32_t from = 0;
        std::size_t length = 0;
        if (!converter::DecodeBasicPlane(alias.from, from, length) ||
            !Store(codes, from, 1, converter::FromUtf8(alias.from))) {
            return false;
        }
    }
    return true;
}

// Reads the character at `at` of the converter's UTF-8 into `packed`.
bool Next(const std::string& utf8, std::size_t& at, std::uint32_t& packed) {
    if (at >= utf8.size()) {
        return false;
    }
    const unsigned char first = static_cast<unsigned char>(utf8[at]);
    const std::size_t length = first < 0x80 ? 1 : first < 0xE0 ? 2 : 3;
    if (at + length > utf8.size() || first >= 0xF0) {
        return false;
    }
    packed = static_cast<std::uint32_t>(length) << 24;
    for (std::size_t k = 0; k < length; ++k) {
        packed |= static_cast<std::uint32_t>(static_cast<unsigned char>(utf8[at + k]))
                  << (16 - 8 * k);
    }
    at += length;
    return true;
}

// Every single byte from 0x80 on, in one call of the converter.
bool FillSingles(std::vector<std::uint32_t>& singles) {
    std::string input;
    for (int byte = 0x80; byte < 0x100; ++byte) {
        if (!IsLeadByte(static_cast<unsigned char>(byte))) {
            input.push_back(static_cast<char>(byte));
        }
    }
    const std::string utf8 = cp932::ToUtf8ByConverter(input);
    std::size_t at = 0;
    for (int byte = 0x80; byte < 0x100; ++byte) {
        if (!IsLeadByte(static_cast<unsigned char>(byte)) &&
            !Next(utf8, at, singles[byte - 0x80])) {
            return false;
        }
    }
    return at == utf8.size();
}

// Each lead byte with every byte after it, a lead byte's 256 pairs in one
// call of the converter, which gives exactly one character for each pair.
bool FillDoubles(std::vector<std::uint32_t>& doubles) {
    for (int lead = 0x80; lead < 0x100; ++lead) {
        if (!IsLeadByte(static_cast<unsigned char>(lead))) {
            continue;
        }
        std::string input;
        for (int trail = 0; trail < 0x100; ++trail) {
            input.push_back(static_cast<char>(lead));
            input.push_back(static_cast<char>(trail));
        }
        const std::string utf8 = cp932::ToUtf8ByConverter(input);
        const std::size_t row = cp932::tables::LeadRow(static_cast<unsigned char>(lead));
        std::size_t at = 0;
        for (int trail = 0; trail < 0x100; ++trail) {
            if (!Next(utf8, at, doubles[row * 0x100 + trail])) {
                return false;
            }
        }
        if (at != utf8.size()) {
            return false;
        }
    }
    return true;
}

// `values` as the body of a C++ array of hex literals, `digits` wide.
template <typename T> std::string ArrayBody(const std::vector<T>& values, int digits, int perLine) {
    std::string body;
    char literal[16];
    for (std::size_t i = 0; i < values.size(); ++i) {
        std::snprintf(literal, sizeof literal, "0x%0*X,", digits, static_cast<unsigned>(values[i]));
        body += i % perLine == 0 ? "\n    " : " ";
        body += literal;
    }
    return body + "\n";
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: notorio_cp932_tables OUTPUT.cpp\n");
        return 2;
    }
    std::vector<std::uint16_t> basicPlane(0x10000, 0);
    std::vector<std::uint32_t> singles(0x80, 0);
    std::vector<std::uint32_t> doubles(cp932::tables::kLeadRows * 0x100, 0);
    if (!FillBasicPlane(basicPlane) || !FillSingles(singles) || !FillDoubles(doubles)) {
        std::fprintf(stderr, "notorio_cp932_tables: the converter did not answer one CP932 "
                             "character for each character\n");
        return 1;
    }
    std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
    out << "// Generated by notorio_cp932_tables from the system's converter; do not edit.\n"
        << "#include \"Cp932Tables.h\"\n\nnamespace cp932::tables {\n\n"
        << "const std::uint16_t kBasicPlane[0x10000] = {" << ArrayBody(basicPlane, 4, 12)
        << "};\n\nconst std::uint32_t kSingles[0x80] = {" << ArrayBody(singles, 8, 8)
        << "};\n\nconst std::uint32_t kDoubles[kLeadRows * 0x100] = {" << ArrayBody(doubles, 8, 8)
        << "};\n\n} // namespace cp932::tables\n";
    out.close();
    if (!out) {
        std::fprintf(stderr, "notorio_cp932_tables: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
