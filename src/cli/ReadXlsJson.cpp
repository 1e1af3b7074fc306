#include "ReadXlsJson.h"

#include "Cp932.h"
#include "JsonText.h"

#include <array>
#include <charconv>
#include <cstring>

namespace cli {
namespace {

template <std::size_t N> char* Literal(char* out, const char (&text)[N]) {
    std::memcpy(out, text, N - 1);
    return out + N - 1;
}

char* Int(char* out, int value) {
    return std::to_chars(out, out + 12, value).ptr;
}

// Room a line needs besides its text: the keys and five numbers.
constexpr std::size_t kLine = 160;
// Room after the text: the closing brace and the line end.
constexpr std::size_t kLineEnd = 2;

// The UTF-8 of every CP932 character: a double-byte one by its two bytes,
// a single byte by itself. Each holds its length (1 to 3) and the bytes.
struct Utf8Of {
    std::uint8_t length = 0;
    char bytes[3] = {};
};

class Cp932Table {
public:
    Cp932Table() {
        // Every lead byte with every byte after it, then every single byte
        // that is not a lead byte: one call of the converter, which gives
        // exactly one character for each (U+FFFD for those that are not
        // CP932), read back in order.
        std::string input;
        for (int lead = 0x80; lead < 0x100; ++lead) {
            if (cp932::IsLeadByte(static_cast<unsigned char>(lead))) {
                for (int trail = 0; trail < 0x100; ++trail) {
                    input.push_back(static_cast<char>(lead));
                    input.push_back(static_cast<char>(trail));
                }
            }
        }
        for (int single = 0x80; single < 0x100; ++single) {
            if (!cp932::IsLeadByte(static_cast<unsigned char>(single))) {
                input.push_back(static_cast<char>(single));
            }
        }
        const std::string utf8 = cp932::ToUtf8(input);
        std::size_t at = 0;
        const auto next = [&](Utf8Of& entry) {
            const unsigned char first = static_cast<unsigned char>(utf8[at]);
            const std::size_t length = first < 0x80 ? 1 : first < 0xE0 ? 2 : 3;
            if (at + length > utf8.size() || first >= 0xF0) {
                return false;
            }
            entry.length = static_cast<std::uint8_t>(length);
            std::memcpy(entry.bytes, utf8.data() + at, length);
            at += length;
            return true;
        };
        for (int lead = 0x80; lead < 0x100 && ok_; ++lead) {
            if (cp932::IsLeadByte(static_cast<unsigned char>(lead))) {
                for (int trail = 0; trail < 0x100 && ok_; ++trail) {
                    ok_ = next(doubles_[(lead - 0x80) * 0x100 + trail]);
                }
            }
        }
        for (int single = 0x80; single < 0x100 && ok_; ++single) {
            if (!cp932::IsLeadByte(static_cast<unsigned char>(single))) {
                ok_ = next(singles_[single - 0x80]);
            }
        }
        ok_ = ok_ && at == utf8.size();
        for (int byte = 0; byte < 0x100; ++byte) {
            lead_[byte] = cp932::IsLeadByte(static_cast<unsigned char>(byte));
        }
    }

    void Append(std::string_view text, std::string& out) const {
        if (!ok_) {
            out += cp932::ToUtf8(text); // the converter did not answer one to one
            return;
        }
        // At most three bytes of UTF-8 a byte (a single-byte katakana),
        // written in place, each character's three bytes at once.
        const std::size_t start = out.size();
        out.resize(start + 3 * text.size() + 3);
        char* p = out.data() + start;
        const char* const end = text.data() + text.size();
        for (const char* at = text.data(); at != end; ++at) {
            const unsigned char c = static_cast<unsigned char>(*at);
            if (c < 0x80) {
                *p++ = static_cast<char>(c);
                continue;
            }
            const Utf8Of* entry;
            if (!lead_[c]) {
                entry = &singles_[c - 0x80];
            } else if (at + 1 != end) {
                entry = &doubles_[(c - 0x80) * 0x100 + static_cast<unsigned char>(*++at)];
            } else {
                entry = &kCutOff; // a lead byte that ends the text
            }
            std::memcpy(p, entry->bytes, 3);
            p += entry->length;
        }
        out.resize(static_cast<std::size_t>(p - out.data()));
    }

private:
    static constexpr Utf8Of kCutOff{3, {'\xEF', '\xBF', '\xBD'}};
    std::array<Utf8Of, 0x80 * 0x100> doubles_{};
    std::array<Utf8Of, 0x80> singles_{};
    std::array<bool, 0x100> lead_{}; // cp932::IsLeadByte of every byte
    bool ok_ = true;
};

} // namespace

void AppendCp932AsUtf8(std::string_view cp932Text, std::string& out) {
    static const Cp932Table table;
    table.Append(cp932Text, out);
}

XlsJsonLines::XlsJsonLines(Sink sink) : sink_(std::move(sink)), block_(new char[kBlock]) {}

XlsJsonLines::~XlsJsonLines() {
    Flush();
}

void XlsJsonLines::Attach(TXBiff& reader) {
    reader.OnReadSheetName = [this](TXBiff*, const std::string& name) { SheetLine(name); };
    reader.OnReadColW = [this](TXBiff*, int sheet, int col, int width) {
        ColumnWidthLine(sheet, col, width);
    };
    reader.OnReadCell = [this](TXBiff*, int sheet, int row, int col, int attr,
                               const std::string& data, bool& cancel) {
        CellLine(sheet, row, col, attr, data);
        cancel = failed_; // nothing more can be printed
    };
}

void XlsJsonLines::SheetLine(const std::string& name) {
    char* p = Reserve(kLine);
    p = Literal(p, "{\"event\":\"sheet\",\"name\":");
    String(p, name);
    *p++ = '}';
    EndLine(p);
}

void XlsJsonLines::ColumnWidthLine(int sheet, int col, int width) {
    char* p = Reserve(kLine);
    p = Literal(p, "{\"event\":\"colw\",\"sheet\":");
    p = Int(p, sheet);
    p = Literal(p, ",\"col\":");
    p = Int(p, col);
    p = Literal(p, ",\"width\":");
    p = Int(p, width);
    *p++ = '}';
    EndLine(p);
}

void XlsJsonLines::CellLine(int sheet, int row, int col, int attr, const std::string& data) {
    char* p = Reserve(kLine);
    p = Literal(p, "{\"event\":\"cell\",\"sheet\":");
    p = Int(p, sheet);
    p = Literal(p, ",\"row\":");
    p = Int(p, row);
    p = Literal(p, ",\"col\":");
    p = Int(p, col);
    p = Literal(p, ",\"attr\":");
    p = Int(p, attr);
    p = Literal(p, ",\"data\":");
    String(p, data);
    *p++ = '}';
    EndLine(p);
}

char* XlsJsonLines::Reserve(std::size_t n) {
    if (kBlock - used_ < n) {
        Flush();
    }
    return block_.get() + used_;
}

void XlsJsonLines::EndLine(char* end) {
    *end++ = '\n';
    used_ = static_cast<std::size_t>(end - block_.get());
}

// A CP932 text as a JSON string literal (UTF-8); ASCII is the same in both.
// A line with a text too long for the block is written by itself.
void XlsJsonLines::String(char*& out, const std::string& cp932Text) {
    std::string_view text = cp932Text;
    for (char c : cp932Text) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            utf8_.clear();
            AppendCp932AsUtf8(cp932Text, utf8_);
            text = utf8_;
            break;
        }
    }
    const std::size_t room = JsonUtf8Room(text.size()) + kLineEnd;
    if (room <= static_cast<std::size_t>(block_.get() + kBlock - out)) {
        out = WriteJsonUtf8(out, text);
        return;
    }
    used_ = static_cast<std::size_t>(out - block_.get());
    Flush();
    std::string line;
    AppendJsonUtf8(line, text);
    Write(line.data(), line.size());
    out = block_.get();
}

bool XlsJsonLines::Flush() {
    Write(block_.get(), used_);
    used_ = 0;
    return !failed_;
}

void XlsJsonLines::Write(const char* data, std::size_t size) {
    if (size > 0 && !failed_ && !sink_(data, size)) {
        failed_ = true;
    }
}

} // namespace cli
