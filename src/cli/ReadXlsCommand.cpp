// notorio-cli read-xls FILE: loads FILE with the spreadsheet reader component
// and prints one JSON object per event, one per line.
//
// The output is built in a buffer of its own and written in large blocks:
// a sheet of a million cells prints as fast as the reader reads it. Texts
// of plain ASCII are escaped as they are; others go through the codec.
#include "Commands.h"

#include "Cp932.h"
#include "JsonText.h"
#include "Xbiff.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <memory>
#include <string>

namespace {

// JSON lines written into a block of memory that goes to standard output
// when it is full.
class JsonLines {
public:
    ~JsonLines() { Flush(); }

    // Room for `n` more bytes at Cursor() (n at most kBlock).
    char* Reserve(std::size_t n) {
        if (kBlock - used_ < n) {
            Flush();
        }
        return block_.get() + used_;
    }
    void Advance(char* end) { used_ = static_cast<std::size_t>(end - block_.get()); }

    template <std::size_t N> static char* Literal(char* out, const char (&text)[N]) {
        std::memcpy(out, text, N - 1);
        return out + N - 1;
    }

    static char* Int(char* out, int value) { return std::to_chars(out, out + 12, value).ptr; }

    // A CP932 text as a JSON string literal (UTF-8); ASCII is the same in
    // both. A line with a text too long for the block is written by itself.
    void String(char*& out, const std::string& cp932Text) {
        const bool ascii = std::all_of(cp932Text.begin(), cp932Text.end(),
                                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
        const std::string utf8 = ascii ? std::string() : cp932::ToUtf8(cp932Text);
        const std::string_view text = ascii ? std::string_view(cp932Text) : std::string_view(utf8);
        const std::size_t room = cli::JsonUtf8Room(text.size()) + kLineEnd;
        if (room <= static_cast<std::size_t>(block_.get() + kBlock - out)) {
            out = cli::WriteJsonUtf8(out, text);
            return;
        }
        Advance(out);
        Flush();
        std::string line;
        cli::AppendJsonUtf8(line, text);
        Write(line.data(), line.size());
        out = block_.get();
    }

    // Ends a line written from Reserve's cursor.
    void EndLine(char* out) {
        *out++ = '\n';
        Advance(out);
    }

    // Writes what is in the block; false once any write has failed.
    bool Flush() {
        Write(block_.get(), used_);
        used_ = 0;
        return !failed_;
    }
    bool Failed() const { return failed_; }

    // Room a line needs besides its text: the keys and five numbers.
    static constexpr std::size_t kLine = 160;
    // Room after the text: the closing brace and the line end.
    static constexpr std::size_t kLineEnd = 2;

private:
    void Write(const char* data, std::size_t size) {
        if (size > 0 && !failed_ && std::fwrite(data, 1, size, stdout) != size) {
            failed_ = true;
        }
    }

    static constexpr std::size_t kBlock = 1 << 17;
    std::unique_ptr<char[]> block_{new char[kBlock]};
    std::size_t used_ = 0;
    bool failed_ = false;
};

int ReadXls(const std::vector<std::string>& args) {
    if (args.size() != 1) {
        std::cerr << "usage: notorio-cli read-xls FILE\n";
        return 1;
    }
    JsonLines out;
    TXBiff reader;
    reader.OnReadSheetName = [&out](TXBiff*, const std::string& name) {
        char* p = out.Reserve(JsonLines::kLine);
        p = JsonLines::Literal(p, "{\"event\":\"sheet\",\"name\":");
        out.String(p, name);
        *p++ = '}';
        out.EndLine(p);
    };
    reader.OnReadColW = [&out](TXBiff*, int sheet, int col, int width) {
        char* p = out.Reserve(JsonLines::kLine);
        p = JsonLines::Literal(p, "{\"event\":\"colw\",\"sheet\":");
        p = JsonLines::Int(p, sheet);
        p = JsonLines::Literal(p, ",\"col\":");
        p = JsonLines::Int(p, col);
        p = JsonLines::Literal(p, ",\"width\":");
        p = JsonLines::Int(p, width);
        *p++ = '}';
        out.EndLine(p);
    };
    reader.OnReadCell = [&out](TXBiff*, int sheet, int row, int col, int attr,
                               const std::string& data, bool& cancel) {
        char* p = out.Reserve(JsonLines::kLine);
        p = JsonLines::Literal(p, "{\"event\":\"cell\",\"sheet\":");
        p = JsonLines::Int(p, sheet);
        p = JsonLines::Literal(p, ",\"row\":");
        p = JsonLines::Int(p, row);
        p = JsonLines::Literal(p, ",\"col\":");
        p = JsonLines::Int(p, col);
        p = JsonLines::Literal(p, ",\"attr\":");
        p = JsonLines::Int(p, attr);
        p = JsonLines::Literal(p, ",\"data\":");
        out.String(p, data);
        *p++ = '}';
        out.EndLine(p);
        cancel = out.Failed(); // nothing more can be printed
    };
    try {
        reader.LoadFile(args[0]);
    } catch (const EXBiffError& e) {
        out.Flush();
        std::fflush(stdout);
        cli::PrintError(e.what());
        return 1;
    }
    // A lost write leaves stdout's error flag set; main reports it
    // (cli::FinishOutput) and ends with 1.
    return out.Flush() ? 0 : 1;
}

const cli::CommandRegistration registration("read-xls", "read-xls FILE", ReadXls);

} // namespace
