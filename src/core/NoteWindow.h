// The window's texts as the note logic sees them: the line grid's cells, the
// numbered edit fields, the status line, the tax mode and message boxes.
// The Qt main window implements it; MemoryWindow is its in-memory twin for
// tests and the command-line tool. Every text is code page 932 bytes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The lines taxed at one rate: their amount total and the tax on it,
// computed once for the rate.
struct RateTotal {
    std::int32_t rate = 0;
    std::int64_t amount = 0;
    std::int64_t tax = 0;

    bool operator==(const RateTotal&) const = default;
};
using RateTotals = std::vector<RateTotal>;

class NoteWindow {
public:
    virtual ~NoteWindow() = default;

    // Line grid: column 0 holds row numbers, row 0 the titles.
    virtual int ColCount() const = 0;
    virtual int RowCount() const = 0;
    virtual std::string Cell(int col, int row) const = 0;
    virtual void SetCell(int col, int row, const std::string& text) = 0;

    // Edit1 ... Edit20, by number (see namespace field).
    virtual std::string Field(int number) const = 0;
    virtual void SetField(int number, const std::string& text) = 0;

    virtual std::string Status() const = 0;
    virtual void SetStatus(const std::string& text) = 0;

    // 0 = amounts are tax-exclusive, 1 = tax-inclusive.
    virtual int TaxMode() const = 0;
    virtual void SetTaxMode(int mode) = 0;

    // The per-rate breakdown the window shows (read-only, highest rate
    // first); empty for a note without reduced-rate lines.
    virtual RateTotals RateBreakdown() const = 0;
    virtual void SetRateBreakdown(const RateTotals& totals) = 0;

    // A modal message box with one OK button.
    virtual void ShowMessage(const std::string& caption, const std::string& text) = 0;
};

// Field numbers of the edit controls, named by their role.
namespace field {
constexpr int Date = 1;          // Edit1
constexpr int CustomerName = 2;  // Edit2
constexpr int IssuerZip = 3;     // Edit3
constexpr int IssuerAddress = 4; // Edit4
constexpr int IssuerAddress2 = 5;
constexpr int IssuerName = 6;
constexpr int IssuerTele = 7;
constexpr int IssuerBank = 8;
constexpr int IssuerBank2 = 9;
constexpr int TaxInclusiveTotal = 10;
constexpr int TaxRate = 11;
constexpr int Tax = 12;
constexpr int QuantityTotal = 13;
constexpr int AmountTotal = 14;
constexpr int CellPosition = 15;
constexpr int Number = 16;
constexpr int CellEditor = 17;
constexpr int Suffix = 18;
// The eighteen fields every note has always had (Edit1 ... Edit18).
constexpr int Count = 18;
// The issuer's registration number (登録番号, Edit19) and the reduced tax
// rate (軽減税率, Edit20). Neither is stored in the note file.
constexpr int Registration = 19;
constexpr int ReducedRate = 20;
constexpr int Last = 20;
} // namespace field

// Grid columns.
namespace col {
constexpr int RowNumber = 0;
constexpr int Name = 1;
constexpr int Spec = 2;
constexpr int Quantity = 3;
constexpr int Unit = 4;
constexpr int UnitPrice = 5;
constexpr int Amount = 6;
constexpr int Remarks = 7;
constexpr int Count = 8;
} // namespace col
