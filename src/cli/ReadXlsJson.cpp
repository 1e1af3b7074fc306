#include "ReadXlsJson.h"

#include "Cp932.h"
#include "JsonText.h"

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

} // namespace

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
            cp932::AppendToUtf8(cp932Text, utf8_);
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
