// Issuing a note as a PDF file that is kept as data: one folder holds the
// issued files under rule-based names (YYYYMMDD_顧客名_金額_No.pdf) and an
// index "索引簿.csv" with one line per file, so that the documents can be
// found by date, amount and counterparty. No Qt here: the PDF itself is
// written by a function the caller hands in.
#pragma once

#include "NoteWindow.h"

#include <functional>
#include <optional>
#include <string>

namespace issuing {

struct Date {
    int year = 0;
    int month = 0;
    int day = 0;
    bool operator==(const Date&) const = default;
};

// The date of a date field as an office types it (UTF-8): 2026年12月9日,
// 2026/12/9, 2026-12-09, 2026.12.9, 20261209, R8.12.9, 令和8年12月9日,
// 令和元年5月1日, H31.4.30, with full-width digits and signs, spaces, and a
// weekday in brackets after it. Nothing when it is not a calendar date.
std::optional<Date> ParseDate(const std::string& utf8);

// "20261209".
std::string CompactDate(const Date& date);
// "2026/12/09", as the index holds it.
std::string IndexDate(const Date& date);

// A text made fit for one part of a file name: characters that a file
// system refuses or that Windows shares do not take (/ \ : * ? " < > |)
// become their full-width forms, "_" (the parts' separator) becomes "＿",
// control characters are dropped.
std::string FileNamePart(const std::string& utf8);

// What the name and the index line are made of (UTF-8).
struct IssueFacts {
    Date date;
    std::string customer;
    std::string total; // tax-inclusive total
    std::string tax;
    std::string number; // note number ("No")
    std::string kind;   // 納品書, 納品書(控) or 請求書
};

// The longest file name the file systems take, in bytes.
constexpr size_t kMaxFileNameBytes = 255;

// YYYYMMDD_顧客名_金額_No.pdf, with "-<copy>" before ".pdf" for copy 2, 3 …
// (copy 1 has none). Parts are cut at character boundaries, the customer's
// name first, so that the name stays within kMaxFileNameBytes.
std::string IssueFileName(const IssueFacts& facts, int copy);

// One CSV field: quoted when it holds a comma, a double quote or a line
// break, inner quotes doubled.
std::string CsvField(const std::string& text);
// The index's header line and one line for an issued file, each ending in CR LF.
std::string IndexHeader();
std::string IndexLine(const IssueFacts& facts, const std::string& fileName);

// The name of the index file in the issue folder.
std::string IndexFileName();

// The facts of the window's note for the kind (0 copy, 1 delivery note,
// 2 invoice); nothing with a message (UTF-8) in `error` when the date field
// is not a date or the kind is unknown.
std::optional<IssueFacts> FactsOfWindow(const NoteWindow& window, int kind, std::string& error);

// Appends the line to the index, writing the byte order mark and the header
// first when the index is new or empty. The index is replaced as a whole
// through the safe replace, so it is never left half written. False with
// `error` set on failure.
bool AppendIndexLine(const std::string& folder, const std::string& line, std::string& error);

// Writes a PDF into the file at `path` (a temporary file that is put under
// its issued name afterwards); false with an error message on failure.
using PdfWriter = std::function<bool(const std::string& path, std::string& error)>;

// Issues the window's note: writes the PDF through `write` into a new file
// in `folder`, gives it the first free name of copy 1, 2, 3 … (an existing
// file is never replaced, even by another program issuing at the same
// moment) and appends its index line. Returns the path written, or empty
// with `error` set; a failure leaves neither a PDF nor an index line behind.
std::string IssueNote(const NoteWindow& window, int kind, const std::string& folder,
                      const PdfWriter& write, std::string& error);

} // namespace issuing
