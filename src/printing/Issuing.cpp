#include "Issuing.h"

#include "Cp932.h"
#include "SaveFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#include <vector>

namespace issuing {

namespace {

// ---- UTF-8 as code points ----

// Decodes UTF-8; a malformed sequence becomes U+FFFD, one byte consumed.
std::u32string Decode(const std::string& utf8) {
    std::u32string out;
    size_t i = 0;
    while (i < utf8.size()) {
        const unsigned char lead = static_cast<unsigned char>(utf8[i]);
        size_t length = lead < 0x80           ? 1
                        : (lead >> 5) == 0x6  ? 2
                        : (lead >> 4) == 0xE  ? 3
                        : (lead >> 3) == 0x1E ? 4
                                              : 0;
        if (length == 0 || i + length > utf8.size()) {
            out.push_back(0xFFFD);
            ++i;
            continue;
        }
        char32_t cp = length == 1 ? lead : lead & (0x7F >> length);
        bool valid = true;
        for (size_t k = 1; k < length; ++k) {
            const unsigned char next = static_cast<unsigned char>(utf8[i + k]);
            if ((next & 0xC0) != 0x80) {
                valid = false;
                break;
            }
            cp = (cp << 6) | (next & 0x3F);
        }
        if (!valid) {
            out.push_back(0xFFFD);
            ++i;
            continue;
        }
        out.push_back(cp);
        i += length;
    }
    return out;
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// ---- dates ----

// Full-width digits, letters and signs as their ASCII forms, letters upper
// case, spaces removed.
std::u32string NormalisedDate(const std::string& utf8) {
    std::u32string out;
    for (char32_t cp : Decode(utf8)) {
        if (cp >= 0xFF01 && cp <= 0xFF5E) {
            cp -= 0xFEE0; // full-width ASCII
        } else if (cp == 0x2212 || cp == 0x2010 || cp == 0x2011 || cp == 0x2013 || cp == 0x30FC) {
            cp = U'-'; // minus sign, hyphens, long vowel mark typed for a dash
        }
        if (cp >= U'a' && cp <= U'z') {
            cp -= 0x20;
        }
        if (cp == U' ' || cp == U'\t' || cp == 0x3000) {
            continue;
        }
        out.push_back(cp);
    }
    return out;
}

struct Era {
    std::u32string name;
    char32_t letter;
    int yearBeforeFirst;
};

const std::vector<Era>& Eras() {
    static const std::vector<Era> eras{{U"令和", U'R', 2018},
                                       {U"平成", U'H', 1988},
                                       {U"昭和", U'S', 1925},
                                       {U"大正", U'T', 1911},
                                       {U"明治", U'M', 1867}};
    return eras;
}

bool IsLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
    static constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : days[month - 1];
}

std::optional<Date> ValidDate(int year, int month, int day) {
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 ||
        day > DaysInMonth(year, month)) {
        return std::nullopt;
    }
    return Date{year, month, day};
}

bool IsDigit(char32_t c) {
    return c >= U'0' && c <= U'9';
}

bool IsDateSeparator(char32_t c) {
    return c == U'/' || c == U'.' || c == U'-' || c == U'年' || c == U'月' || c == U'日' ||
           c == U',' || c == U'、';
}

// Digits from `pos` as a number (at most 8 of them); advances `pos`.
std::optional<long> Number(const std::u32string& text, size_t& pos, size_t& digits) {
    digits = 0;
    long value = 0;
    while (pos < text.size() && IsDigit(text[pos])) {
        if (++digits > 8) {
            return std::nullopt;
        }
        value = value * 10 + static_cast<long>(text[pos] - U'0');
        ++pos;
    }
    if (digits == 0) {
        return std::nullopt;
    }
    return value;
}

} // namespace

std::optional<Date> ParseDate(const std::string& utf8) {
    std::u32string text = NormalisedDate(utf8);
    // A weekday or a note in brackets after the date.
    if (const size_t bracket = text.find(U'('); bracket != std::u32string::npos && bracket > 0) {
        text.resize(bracket);
    }
    size_t pos = 0;
    const Era* era = nullptr;
    for (const Era& e : Eras()) {
        if (text.compare(0, e.name.size(), e.name) == 0) {
            era = &e;
            pos = e.name.size();
            break;
        }
        if (!text.empty() && text[0] == e.letter) {
            era = &e;
            pos = 1;
            break;
        }
    }
    std::vector<long> numbers;
    size_t firstDigits = 0;
    if (era != nullptr && pos < text.size() && text[pos] == U'元') {
        numbers.push_back(1);
        firstDigits = 1;
        ++pos;
    }
    while (pos < text.size()) {
        if (IsDateSeparator(text[pos])) {
            if (numbers.empty()) {
                return std::nullopt;
            }
            // One separator between numbers; 日 may close the date.
            ++pos;
            continue;
        }
        size_t digits = 0;
        const std::optional<long> n = Number(text, pos, digits);
        if (!n || numbers.size() == 3) {
            return std::nullopt;
        }
        if (numbers.empty()) {
            firstDigits = digits;
        }
        numbers.push_back(*n);
        if (pos < text.size() && !IsDateSeparator(text[pos])) {
            return std::nullopt;
        }
    }
    if (era == nullptr && numbers.size() == 1 && firstDigits == 8) {
        const long n = numbers[0];
        return ValidDate(static_cast<int>(n / 10000), static_cast<int>(n / 100 % 100),
                         static_cast<int>(n % 100));
    }
    if (numbers.size() != 3) {
        return std::nullopt;
    }
    long year = numbers[0];
    if (era != nullptr) {
        if (year < 1 || year > 99) {
            return std::nullopt;
        }
        year += era->yearBeforeFirst;
    } else if (firstDigits != 4) {
        return std::nullopt; // a two-digit year could be of either count
    }
    return ValidDate(static_cast<int>(year), static_cast<int>(numbers[1]),
                     static_cast<int>(numbers[2]));
}

namespace {

std::string TwoDigits(int n) {
    return std::string(1, static_cast<char>('0' + n / 10 % 10)) + static_cast<char>('0' + n % 10);
}

std::string FourDigits(int n) {
    return TwoDigits(n / 100) + TwoDigits(n % 100);
}

} // namespace

std::string CompactDate(const Date& date) {
    return FourDigits(date.year) + TwoDigits(date.month) + TwoDigits(date.day);
}

std::string IndexDate(const Date& date) {
    return FourDigits(date.year) + "/" + TwoDigits(date.month) + "/" + TwoDigits(date.day);
}

std::string FileNamePart(const std::string& utf8) {
    std::string out;
    for (const char32_t cp : Decode(utf8)) {
        switch (cp) {
        case U'/':
        case U'\\':
        case U':':
        case U'*':
        case U'?':
        case U'"':
        case U'<':
        case U'>':
        case U'|':
        case U'_':
            AppendUtf8(out, cp + 0xFEE0); // the full-width form
            break;
        default:
            if (cp < 0x20 || cp == 0x7F) {
                break;
            }
            AppendUtf8(out, cp);
        }
    }
    return out;
}

namespace {

// The longest start of a UTF-8 text within `bytes` bytes, at a character
// boundary.
std::string CutToBytes(const std::string& utf8, size_t bytes) {
    if (utf8.size() <= bytes) {
        return utf8;
    }
    size_t end = bytes;
    while (end > 0 && (static_cast<unsigned char>(utf8[end]) & 0xC0) == 0x80) {
        --end;
    }
    return utf8.substr(0, end);
}

} // namespace

std::string IssueFileName(const IssueFacts& facts, int copy) {
    const std::string date = CompactDate(facts.date);
    std::string customer = FileNamePart(facts.customer);
    std::string total = FileNamePart(facts.total);
    std::string number = FileNamePart(facts.number);
    const std::string tail = (copy > 1 ? "-" + std::to_string(copy) : std::string()) + ".pdf";
    const size_t fixed = date.size() + 3 + tail.size(); // three separators
    // Room for the three parts, shared out: the customer's name gives way
    // first, then the number, then the amount.
    const size_t room = kMaxFileNameBytes - fixed;
    if (customer.size() + total.size() + number.size() > room) {
        const size_t others = std::min(total.size() + number.size(), room);
        customer = CutToBytes(customer, room - others);
    }
    if (customer.size() + total.size() + number.size() > room) {
        number = CutToBytes(number, room - customer.size() - std::min(total.size(), room));
    }
    if (customer.size() + total.size() + number.size() > room) {
        total = CutToBytes(total, room - customer.size() - number.size());
    }
    return date + "_" + customer + "_" + total + "_" + number + tail;
}

std::string CsvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) {
        return text;
    }
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"') {
            out += '"';
        }
        out += c;
    }
    return out + "\"";
}

std::string IndexHeader() {
    return "日付,取引先,金額,消費税,No,種別,ファイル名\r\n";
}

std::string IndexLine(const IssueFacts& facts, const std::string& fileName) {
    std::string line;
    for (const std::string& field : {IndexDate(facts.date), facts.customer, facts.total, facts.tax,
                                     facts.number, facts.kind}) {
        line += CsvField(field) + ",";
    }
    return line + CsvField(fileName) + "\r\n";
}

std::string IndexFileName() {
    return "索引簿.csv";
}

namespace {

std::string KindName(int kind) {
    switch (kind) {
    case 0:
        return "納品書(控)";
    case 1:
        return "納品書";
    case 2:
        return "請求書";
    default:
        return std::string();
    }
}

std::string InFolder(const std::string& folder, const std::string& name) {
    if (folder.empty()) {
        return name;
    }
    return folder.back() == '/' ? folder + name : folder + "/" + name;
}

// The whole content of an existing file; false when it exists and cannot be
// read. A missing file reads as empty.
bool ReadWhole(const std::string& path, std::string& content) {
    content.clear();
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return errno == ENOENT;
    }
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            ::close(fd);
            return n == 0;
        }
        content.append(buffer, static_cast<size_t>(n));
    }
}

// Holds the issue folder for one issuer at a time from naming the file to
// writing its index line; released when destroyed. Without a lock (a file
// system that has none) issuing goes on: the names stay race-free anyway.
class FolderLock {
public:
    explicit FolderLock(const std::string& folder)
        : fd_(::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {
        if (fd_ >= 0) {
            while (::flock(fd_, LOCK_EX) != 0 && errno == EINTR) {
            }
        }
    }
    ~FolderLock() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

private:
    int fd_;
};

} // namespace

std::optional<IssueFacts> FactsOfWindow(const NoteWindow& window, int kind, std::string& error) {
    IssueFacts facts;
    facts.kind = KindName(kind);
    if (facts.kind.empty()) {
        error = "発行する種類は 0 (納品書(控))、1 (納品書)、2 (請求書) のどれかです";
        return std::nullopt;
    }
    const std::string dateText = cp932::ToUtf8(window.Field(field::Date));
    const std::optional<Date> date = ParseDate(dateText);
    if (!date) {
        error = "日付を読み取れません: " + dateText;
        return std::nullopt;
    }
    facts.date = *date;
    facts.customer = cp932::ToUtf8(window.Field(field::CustomerName));
    facts.total = cp932::ToUtf8(window.Field(field::TaxInclusiveTotal));
    facts.tax = cp932::ToUtf8(window.Field(field::Tax));
    facts.number = cp932::ToUtf8(window.Field(field::Number));
    return facts;
}

bool AppendIndexLine(const std::string& folder, const std::string& line, std::string& error) {
    const std::string path = InFolder(folder, IndexFileName());
    std::string content;
    if (!ReadWhole(path, content)) {
        error = "索引簿を読めません: " + path + ": " + std::strerror(errno);
        return false;
    }
    if (content.empty()) {
        content = "\xEF\xBB\xBF" + IndexHeader();
    } else if (content.back() != '\n') {
        content += "\r\n"; // a last line left without its line end
    }
    content += line;
    safefile::SaveError failure = safefile::SaveError::None;
    std::string message;
    if (!safefile::ReplaceFile(path, content, safefile::kNoSizeCap, failure, message)) {
        error = "索引簿に書き込めません: " + message;
        return false;
    }
    return true;
}

std::string IssueNote(const NoteWindow& window, int kind, const std::string& folder,
                      const PdfWriter& write, std::string& error) {
    const std::optional<IssueFacts> facts = FactsOfWindow(window, kind, error);
    if (!facts) {
        return std::string();
    }
    safefile::SaveFile pdf(InFolder(folder, IssueFileName(*facts, 1)));
    if (!pdf.OpenNew()) {
        error = "書き込めません: " + pdf.ErrorString();
        return std::string();
    }
    if (!write(pdf.TemporaryPath(), error)) {
        return std::string();
    }
    const FolderLock lock(folder);
    constexpr int kMostCopies = 9999;
    std::string path;
    for (int copy = 1; copy <= kMostCopies && path.empty(); ++copy) {
        const std::string candidate = InFolder(folder, IssueFileName(*facts, copy));
        if (pdf.CommitNew(candidate)) {
            path = candidate;
        } else if (pdf.Error() != safefile::SaveError::Exists) {
            error = "書き込めません: " + pdf.ErrorString();
            return std::string();
        }
    }
    if (path.empty()) {
        error = "同じ名前のファイルが多すぎます: " + InFolder(folder, IssueFileName(*facts, 1));
        return std::string();
    }
    const std::string fileName = path.substr(path.find_last_of('/') + 1);
    if (!AppendIndexLine(folder, IndexLine(*facts, fileName), error)) {
        // Not issued: no document outside the index.
        ::unlink(path.c_str());
        error = path + " を索引簿に記入できないため発行しませんでした。" + error;
        return std::string();
    }
    return path;
}

} // namespace issuing
