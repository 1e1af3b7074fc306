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

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>

namespace {

class JsonLines {
public:
    ~JsonLines() { Flush(); }

    void Literal(const char* text, std::size_t length) { buffer_.append(text, length); }
    template <std::size_t N> void Literal(const char (&text)[N]) { buffer_.append(text, N - 1); }

    void Int(int value) {
        char digits[16];
        const auto result = std::to_chars(digits, digits + sizeof digits, value);
        buffer_.append(digits, result.ptr);
    }

    // A CP932 text as a JSON string literal (UTF-8); ASCII is the same in both.
    void String(const std::string& cp932Text) {
        for (unsigned char c : cp932Text) {
            if (c >= 0x80) {
                cli::AppendJsonUtf8(buffer_, cp932::ToUtf8(cp932Text));
                return;
            }
        }
        cli::AppendJsonUtf8(buffer_, cp932Text);
    }

    void EndLine() {
        buffer_.push_back('\n');
        if (buffer_.size() >= kBlock) {
            Flush();
        }
    }

    // Writes what is buffered; false once any write has failed.
    bool Flush() {
        if (!buffer_.empty() && !failed_) {
            if (std::fwrite(buffer_.data(), 1, buffer_.size(), stdout) != buffer_.size()) {
                failed_ = true;
                error_ = errno;
            }
        }
        buffer_.clear();
        return !failed_;
    }
    bool Failed() const { return failed_; }
    int Error() const { return error_; }

private:
    static constexpr std::size_t kBlock = 1 << 16;
    std::string buffer_;
    bool failed_ = false;
    int error_ = 0;
};

int ReadXls(const std::vector<std::string>& args) {
    if (args.size() != 1) {
        std::cerr << "usage: notorio-cli read-xls FILE\n";
        return 1;
    }
    JsonLines out;
    TXBiff reader;
    reader.OnReadSheetName = [&out](TXBiff*, const std::string& name) {
        out.Literal("{\"event\":\"sheet\",\"name\":");
        out.String(name);
        out.Literal("}");
        out.EndLine();
    };
    reader.OnReadColW = [&out](TXBiff*, int sheet, int col, int width) {
        out.Literal("{\"event\":\"colw\",\"sheet\":");
        out.Int(sheet);
        out.Literal(",\"col\":");
        out.Int(col);
        out.Literal(",\"width\":");
        out.Int(width);
        out.Literal("}");
        out.EndLine();
    };
    reader.OnReadCell = [&out](TXBiff*, int sheet, int row, int col, int attr,
                               const std::string& data, bool& cancel) {
        out.Literal("{\"event\":\"cell\",\"sheet\":");
        out.Int(sheet);
        out.Literal(",\"row\":");
        out.Int(row);
        out.Literal(",\"col\":");
        out.Int(col);
        out.Literal(",\"attr\":");
        out.Int(attr);
        out.Literal(",\"data\":");
        out.String(data);
        out.Literal("}");
        out.EndLine();
        cancel = out.Failed(); // nothing more can be printed
    };
    int status = 0;
    try {
        reader.LoadFile(args[0]);
    } catch (const EXBiffError& e) {
        out.Flush();
        std::fflush(stdout);
        cli::PrintError(e.what());
        status = 1;
    }
    if (!out.Flush() || std::fflush(stdout) != 0) {
        const int error = out.Failed() ? out.Error() : errno;
        std::cerr << "notorio-cli: cannot write the output: " << std::strerror(error) << "\n";
        return 1;
    }
    return status;
}

const cli::CommandRegistration registration("read-xls", "read-xls FILE", ReadXls);

} // namespace
