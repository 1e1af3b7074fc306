#include "Xwritebiff.h"

#include "Cp932.h"
#include "SaveFile.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <stdexcept>
#include <string_view>

namespace {

constexpr unsigned RecordDimensions = 0x0000;
constexpr unsigned RecordInteger = 0x0002;
constexpr unsigned RecordNumber = 0x0003;
constexpr unsigned RecordLabel = 0x0004;
constexpr unsigned RecordBof = 0x0009;
constexpr unsigned RecordEof = 0x000A;
constexpr unsigned RecordFont = 0x0031;
constexpr unsigned RecordCodePage = 0x0042;
constexpr unsigned RecordFormat = 0x0043; // XF

constexpr unsigned BiffVersion = 2;
constexpr unsigned DocumentWorksheet = 0x0010;
constexpr unsigned FontHeight = 220; // twentieths of a point: 11 points
constexpr std::size_t MaxLabelBytes = 255;
constexpr unsigned CodePage932 = 932;
constexpr unsigned CellLocked = 0x40; // XF byte 2, bit 6

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsBlankByte(char c) {
    return static_cast<unsigned char>(c) <= 0x20;
}

// The text without leading and trailing bytes up to 0x20.
std::string_view TrimBlankBytes(std::string_view text) {
    while (!text.empty() && IsBlankByte(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlankByte(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

bool ContainsSpace(std::string_view text) {
    return text.find(' ') != std::string_view::npos ||
           text.find("\x81\x40") != std::string_view::npos; // full-width space
}

// A decimal text with one '.' as a double; nothing when it has no digits
// ("-.") or its value is beyond the range of a double.
bool ParseDecimal(std::string_view text, double& value) {
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value, std::chars_format::fixed);
    return ec == std::errc() && ptr == end && std::isfinite(value);
}

// An optional '-' and digits as a 64-bit signed integer.
bool ParseInt64(std::string_view text, std::int64_t& value) {
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value, 10);
    return ec == std::errc() && ptr == end;
}

std::string CreateErrorMessage(const std::string& path) {
    return S("ファイル ") + cp932::FromUtf8(path) + S(" を作成できません");
}

} // namespace

TWriteBiff::TWriteBiff(const std::string& path, int rows, int cols, Layout layout) : path_(path) {
    WriteBof();
    if (layout == Layout::Readable) {
        WriteCodePage();
    }
    WriteDimentions(rows, cols);
    WriteFonts();
    if (layout == Layout::Readable) {
        WriteDefaultFormat();
    }
}

TWriteBiff::~TWriteBiff() {
    try {
        Finish();
    } catch (...) {
        // A destructor must not throw; callers that want the error call Finish.
    }
}

void TWriteBiff::Finish() {
    if (finished_) {
        return;
    }
    finished_ = true;
    WriteEof();
    safefile::SaveError error = safefile::SaveError::None;
    std::string reason;
    if (!safefile::ReplaceFile(path_, buffer_, safefile::kNoSizeCap, error, reason)) {
        throw std::runtime_error(CreateErrorMessage(path_));
    }
}

void TWriteBiff::Put8(unsigned value) {
    buffer_.push_back(static_cast<char>(value & 0xFF));
}

void TWriteBiff::Put16(unsigned value) {
    Put8(value);
    Put8(value >> 8);
}

// BOF: version 2, worksheet.
void TWriteBiff::WriteBof() {
    Put16(RecordBof);
    Put16(4);
    Put16(BiffVersion);
    Put16(DocumentWorksheet);
}

// DIMENSIONS: rows 0 .. rows + 2, columns 0 .. cols + 2 (sums in 16 bits).
void TWriteBiff::WriteDimentions(int rows, int cols) {
    Put16(RecordDimensions);
    Put16(8);
    Put16(0);
    Put16(static_cast<unsigned>(rows + 2) & 0xFFFF);
    Put16(0);
    Put16(static_cast<unsigned>(cols + 2) & 0xFFFF);
}

// FONT: one record with the given option flags.
void TWriteBiff::PutFont(unsigned options) {
    static const std::string face = S("ＭＳ Ｐゴシック");
    Put16(RecordFont);
    Put16(static_cast<unsigned>(face.size() + 5));
    Put16(FontHeight);
    Put16(options);
    Put8(static_cast<unsigned>(face.size()));
    buffer_ += face;
}

// FONT x4: regular, bold, italic, underlined.
void TWriteBiff::WriteFonts() {
    for (unsigned options : {0u, 1u, 2u, 4u}) {
        PutFont(options);
    }
}

// CODEPAGE: the texts are code page 932.
void TWriteBiff::WriteCodePage() {
    Put16(RecordCodePage);
    Put16(2);
    Put16(CodePage932);
}

// XF: the one cell format the cells' attribute 0 refers to: font 0, general
// number format, locked, no alignment, borders or shading.
void TWriteBiff::WriteDefaultFormat() {
    Put16(RecordFormat);
    Put16(4);
    Put8(0);
    Put8(0);
    Put8(CellLocked);
    Put8(0);
}

// EOF.
void TWriteBiff::WriteEof() {
    Put16(RecordEof);
    Put16(0);
}

// Cell record header: record number, length, row, column, 3 attribute bytes.
void TWriteBiff::WriteStruct(int record, int row, int col, unsigned attr, int textLength) {
    unsigned length = 0;
    switch (record) {
    case RecordInteger:
        length = 9;
        break;
    case RecordNumber:
        length = 15;
        break;
    default:
        length = static_cast<unsigned>(textLength) + 8;
        break;
    }
    Put16(static_cast<unsigned>(record));
    Put16(length);
    Put16(static_cast<unsigned>(row));
    Put16(static_cast<unsigned>(col));
    Put8(attr >> 16);
    Put8(attr >> 8);
    Put8(attr);
}

// INTEGER: header and the 16-bit value.
void TWriteBiff::WriteInt(int row, int col, unsigned attr, std::uint16_t value) {
    WriteStruct(RecordInteger, row, col, attr, 0);
    Put16(value);
}

// NUMBER: header and the IEEE 754 double, little-endian.
void TWriteBiff::WriteNumber(int row, int col, unsigned attr, double value) {
    WriteStruct(RecordNumber, row, col, attr, 0);
    std::uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    for (int i = 0; i < 8; ++i) {
        Put8(static_cast<unsigned>(bits >> (8 * i)));
    }
}

std::size_t TWriteBiff::WholeCharacterLength(const std::string& text, std::size_t limit) {
    if (text.size() <= limit) {
        return text.size();
    }
    // Walk from the start: a trail byte can look like a lead byte.
    std::size_t length = 0;
    while (length < limit) {
        const std::size_t step =
            cp932::IsLeadByte(static_cast<unsigned char>(text[length])) ? 2 : 1;
        if (length + step > limit) {
            break;
        }
        length += step;
    }
    return length;
}

// LABEL: header, length byte and at most 255 text bytes, ending on a whole
// character.
void TWriteBiff::WriteLabel(int row, int col, unsigned attr, const std::string& text) {
    std::size_t length = WholeCharacterLength(text, MaxLabelBytes);
    WriteStruct(RecordLabel, row, col, attr, static_cast<int>(length));
    Put8(static_cast<unsigned>(length));
    buffer_.append(text, 0, length);
}

int TWriteBiff::DataKind(const std::string& text) {
    if (text.empty()) {
        return KindEmpty;
    }
    std::string_view trimmed = TrimBlankBytes(text);
    if (trimmed == "-" || trimmed == ".") {
        return KindText;
    }
    if (ContainsSpace(text)) {
        return KindText;
    }
    if (std::string_view("-.1234567890").find(text[0]) == std::string_view::npos) {
        return KindText;
    }
    int points = text[0] == '.' ? 1 : 0;
    for (std::size_t i = 1; i < text.size(); ++i) {
        if (text[i] == '.') {
            ++points;
        } else if (!IsDigit(text[i])) {
            return KindText;
        }
    }
    if (points >= 2) {
        return KindText;
    }
    if (points == 1) {
        double value = 0;
        // "-." has no digits: a text, not a number that fails to convert.
        return ParseDecimal(text, value) ? KindNumber : KindText;
    }
    std::int64_t value = 0;
    if (!ParseInt64(text, value)) {
        return KindText; // beyond 64 bits
    }
    return value >= 0 && value <= 32767 ? KindInteger : KindNumber;
}

void TWriteBiff::WriteCell(int row, int col, unsigned attr, const std::string& text) {
    if (finished_) {
        return;
    }
    switch (DataKind(text)) {
    case KindInteger: {
        std::int64_t value = 0;
        ParseInt64(text, value);
        WriteInt(row, col, attr, static_cast<std::uint16_t>(value));
        break;
    }
    case KindNumber: {
        double value = 0;
        std::int64_t whole = 0;
        if (ParseInt64(text, whole)) {
            value = static_cast<double>(whole);
        } else {
            ParseDecimal(text, value);
        }
        WriteNumber(row, col, attr, value);
        break;
    }
    case KindText:
        WriteLabel(row, col, attr, text);
        break;
    default:
        break;
    }
}
