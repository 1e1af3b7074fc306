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

constexpr char Tab = '\t';

std::size_t SkipBlanks(std::string_view line, std::size_t pos) {
    while (pos < line.size() && IsBlank(line[pos])) {
        ++pos;
    }
    return pos;
}

// The position after the closing quote of the quoted field whose opening
// quote is at `pos`, or the line's end when the closing quote is missing.
// The field's text (doubled quotes read as one) is appended to `field`
// when one is given.
std::size_t ReadQuotedField(std::string_view line, std::size_t pos, std::string* field) {
    ++pos; // opening quote
    while (pos < line.size()) {
        const std::size_t quote = line.find(Quote, pos);
        const std::size_t stop = quote == std::string_view::npos ? line.size() : quote;
        if (field != nullptr) {
            field->append(line.substr(pos, stop - pos));
        }
        if (stop == line.size()) {
            return stop;
        }
        if (stop + 1 < line.size() && line[stop + 1] == Quote) {
            if (field != nullptr) {
                field->push_back(Quote);
            }
            pos = stop + 2;
        } else {
            return stop + 1;
        }
    }
    return pos;
}

// The end of the run of bytes from `pos` up to the next comma or blank.
std::size_t EndOfPlainField(std::string_view line, std::size_t pos) {
    while (pos < line.size() && line[pos] != Comma && !IsBlank(line[pos])) {
        ++pos;
    }
    return pos;
}

std::vector<std::string> SplitAtTabs(std::string_view line, std::size_t maxFields) {
    std::vector<std::string> fields;
    std::size_t pos = 0;
    while (fields.size() < maxFields) {
        const std::size_t tab = line.find(Tab, pos);
        if (tab == std::string_view::npos) {
            fields.emplace_back(line.substr(pos));
            break;
        }
        fields.emplace_back(line.substr(pos, tab - pos));
        pos = tab + 1;
    }
    return fields;
}

std::vector<std::string> SplitCommaForm(std::string_view line, std::size_t maxFields) {
    std::vector<std::string> fields;
    std::size_t pos = SkipBlanks(line, 0);
    while (pos < line.size() && fields.size() < maxFields) {
        std::string field;
        if (line[pos] == Quote) {
            pos = ReadQuotedField(line, pos, &field);
        } else {
            const std::size_t end = EndOfPlainField(line, pos);
            field.assign(line.substr(pos, end - pos));
            pos = end;
        }
        fields.push_back(std::move(field));
        pos = SkipBlanks(line, pos);
        if (pos < line.size() && line[pos] == Comma) {
            if (pos + 1 == line.size() && fields.size() < maxFields) {
                fields.emplace_back();
            }
            pos = SkipBlanks(line, pos + 1);
        }
    }
    return fields;
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

ClipboardLines::ClipboardLines(std::string_view text) : text_(text.substr(0, text.find('\0'))) {}

bool ClipboardLines::Next(std::string_view& line) {
    if (pos_ >= text_.size()) {
        return false;
    }
    std::size_t stop = text_.find_first_of("\r\n", pos_);
    if (stop == std::string_view::npos) {
        stop = text_.size();
    }
    line = text_.substr(pos_, stop - pos_);
    if (stop + 1 < text_.size() && text_[stop] == '\r' && text_[stop + 1] == '\n') {
        ++stop;
    }
    pos_ = stop + 1;
    return true;
}

std::vector<std::string> SplitClipboardLines(std::string_view text) {
    std::vector<std::string> lines;
    ClipboardLines reader(text);
    std::string_view line;
    while (reader.Next(line)) {
        lines.emplace_back(line);
    }
    return lines;
}

bool IsTabSeparated(std::string_view line) {
    std::size_t pos = 0;
    while (pos < line.size()) {
        const char c = line[pos];
        if (c == Tab) {
            return true;
        }
        if (c == Quote) {
            pos = ReadQuotedField(line, pos, nullptr);
        } else if (c == Comma || IsBlank(c)) {
            ++pos;
        } else {
            pos = EndOfPlainField(line, pos);
        }
    }
    return false;
}

std::vector<std::string> SplitClipboardFields(std::string_view line, std::size_t maxFields) {
    return IsTabSeparated(line) ? SplitAtTabs(line, maxFields) : SplitCommaForm(line, maxFields);
}

} // namespace editing
