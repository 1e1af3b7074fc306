#include "ClipboardText.h"

namespace editing {

namespace {

constexpr char Quote = '"';
constexpr char Comma = ',';

// Space and control characters, which separate fields outside quotes.
bool IsBlank(char c) {
    unsigned char byte = static_cast<unsigned char>(c);
    return byte >= 0x01 && byte <= 0x20;
}

bool NeedsQuotes(const std::string& cell) {
    for (char c : cell) {
        if (IsBlank(c) || c == Quote || c == Comma) {
            return true;
        }
    }
    return false;
}

std::size_t SkipBlanks(const std::string& line, std::size_t pos) {
    while (pos < line.size() && IsBlank(line[pos])) {
        ++pos;
    }
    return pos;
}

// The quoted field whose opening quote is at `pos`; returns the position after
// its closing quote, or the line's end when the closing quote is missing.
std::size_t ReadQuotedField(const std::string& line, std::size_t pos, std::string& field) {
    ++pos; // opening quote
    while (pos < line.size()) {
        if (line[pos] != Quote) {
            field.push_back(line[pos++]);
        } else if (pos + 1 < line.size() && line[pos + 1] == Quote) {
            field.push_back(Quote);
            pos += 2;
        } else {
            return pos + 1;
        }
    }
    return pos;
}

// The run of bytes up to the next comma or blank.
std::size_t ReadPlainField(const std::string& line, std::size_t pos, std::string& field) {
    std::size_t start = pos;
    while (pos < line.size() && line[pos] != Comma && !IsBlank(line[pos])) {
        ++pos;
    }
    field.assign(line, start, pos - start);
    return pos;
}

} // namespace

std::string QuoteClipboardField(const std::string& cell) {
    if (!NeedsQuotes(cell)) {
        return cell;
    }
    std::string quoted(1, Quote);
    for (char c : cell) {
        if (c == Quote) {
            quoted.push_back(Quote);
        }
        quoted.push_back(c);
    }
    quoted.push_back(Quote);
    return quoted;
}

std::string FormatClipboardLine(const std::vector<std::string>& cells) {
    if (cells.size() == 1 && cells[0].empty()) {
        return "\"\"";
    }
    std::string line;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (i > 0) {
            line.push_back(Comma);
        }
        line += QuoteClipboardField(cells[i]);
    }
    return line;
}

std::string FormatClipboardText(const std::vector<std::vector<std::string>>& rows) {
    std::string text;
    for (const auto& row : rows) {
        text += FormatClipboardLine(row);
        text += "\r\n";
    }
    return text;
}

std::vector<std::string> SplitClipboardLines(const std::string& text) {
    std::vector<std::string> lines;
    std::string::size_type end = text.find('\0');
    if (end == std::string::npos) {
        end = text.size();
    }
    std::size_t pos = 0;
    while (pos < end) {
        std::size_t stop = pos;
        while (stop < end && text[stop] != '\r' && text[stop] != '\n') {
            ++stop;
        }
        lines.push_back(text.substr(pos, stop - pos));
        if (stop < end && text[stop] == '\r' && stop + 1 < end && text[stop + 1] == '\n') {
            ++stop;
        }
        pos = stop + 1;
    }
    return lines;
}

std::vector<std::string> SplitClipboardFields(const std::string& line) {
    std::vector<std::string> fields;
    std::size_t pos = SkipBlanks(line, 0);
    while (pos < line.size()) {
        std::string field;
        if (line[pos] == Quote) {
            pos = ReadQuotedField(line, pos, field);
        } else {
            pos = ReadPlainField(line, pos, field);
        }
        fields.push_back(std::move(field));
        pos = SkipBlanks(line, pos);
        if (pos < line.size() && line[pos] == Comma) {
            if (pos + 1 == line.size()) {
                fields.emplace_back();
            }
            pos = SkipBlanks(line, pos + 1);
        }
    }
    return fields;
}

} // namespace editing
