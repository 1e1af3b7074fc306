// The tables of code page 932, made from the system's converter when the
// program is built (notorio_cp932_tables, Cp932TablesMaker.cpp): every
// character of the basic plane to CP932 and every CP932 byte and pair to
// UTF-8, so that no text waits for the converter to fill a table.
#pragma once

#include <cstdint>

namespace cp932::tables {

// The CP932 code of each character of the basic plane: one byte below
// 0x100, two above; "?" for a character CP932 cannot hold, the JIS forms
// their CP932 characters. Surrogates are 0 (never looked up).
extern const std::uint16_t kBasicPlane[0x10000];

// The UTF-8 of a CP932 character, packed: its length (1 to 3) << 24, then
// its bytes from the highest byte down, the unused ones 0.
constexpr std::uint32_t Utf8Length(std::uint32_t packed) {
    return packed >> 24;
}

// Each byte from 0x80 on that is not a lead byte, at byte - 0x80 (U+FFFD
// for those that are not CP932); the lead bytes' places are unused.
extern const std::uint32_t kSingles[0x80];

// The 60 lead bytes' rows: 0x81 ... 0x9F, then 0xE0 ... 0xFC.
constexpr int kLeadRows = 60;
constexpr int LeadRow(unsigned char lead) {
    return lead <= 0x9F ? lead - 0x81 : lead - 0xE0 + 31;
}
// Each lead byte with each byte after it, at LeadRow(lead) * 0x100 + byte:
// one character each, U+FFFD for a pair that is not CP932 (both bytes
// taken).
extern const std::uint32_t kDoubles[kLeadRows * 0x100];

} // namespace cp932::tables
