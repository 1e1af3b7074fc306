#include "NoteLayout.h"

#include "Cp932.h"
#include "NumberText.h"

#include <cmath>

namespace printing {

namespace {

constexpr double kMarginMm = 20.0;
constexpr int kAdvance = 1;
constexpr int kStay = 0;
constexpr int kUnderline = 1;

// Rule widths of the amount box, in units of a 600-dpi device.
constexpr int kThickRule = 6;
constexpr int kThinRule = 1;

// Additions for qualified invoices, placed where they move nothing else:
// the registration number in the gap above the issuer's postal code, the
// per-rate breakdown and the legend of the mark below the table.
constexpr int kRegistrationPoints = 9;
constexpr int kRegistrationDropPoints = 3; // below the number line's underline
constexpr int kBreakdownPoints = 9;
constexpr int kBreakdownGapMm = 2;
constexpr int kBreakdownLineMm = 5;
constexpr int kRateLabelMm = 95;
constexpr int kRateAmountEndMm = 132;
constexpr int kTaxLabelMm = 133;
constexpr int kTaxEndMm = 165;

// "登録番号 T…" on the issuer's side, 3 points under the date and number
// line, within the 15 points that line leaves before the postal code. The
// cursor stays where it was.
void PrintRegistration(PrinterSurface& d, PRINTERSTATUS& s, const NoteWindow& w) {
    const std::string number = w.Field(field::Registration);
    if (number.empty()) {
        return;
    }
    const int line = s.cursor;
    s.AdvanceCursor(d, kRegistrationDropPoints);
    s.PrintText(d, S("登録番号 ") + number, kRegistrationPoints, 105, kStay);
    s.cursor = line;
}

// The issuer's block on the right half and the customer's name and the
// opening phrase on the left, flowing down from the top margin.
void PrintHeaderBlock(PrinterSurface& d, PRINTERSTATUS& s, const NoteWindow& w,
                      const std::vector<std::string>& texts) {
    s.PrintText(d, texts[0], 18, 0, kStay);
    s.PrintUnderlinedText(d, w.Field(field::Date), 11, 105, kStay, kUnderline);
    s.PrintText(d, "No", 9, 147, kStay);
    s.PrintUnderlinedText(d, w.Field(field::Number), 11, 152, kAdvance, kUnderline);
    PrintRegistration(d, s, w);
    s.AdvanceCursor(d, 15);
    s.PrintText(d, S("〒"), 9, 105, kStay);
    s.PrintText(d, w.Field(field::IssuerZip), 9, 108, kAdvance);
    s.PrintText(d, w.Field(field::IssuerAddress), 9, 105, kAdvance);
    s.PrintUnderlinedText(d, w.Field(field::CustomerName) + w.Field(field::Suffix), 16, 0, kStay,
                          kUnderline);
    s.PrintText(d, w.Field(field::IssuerAddress2), 9, 105, kAdvance);
    s.PrintText(d, w.Field(field::IssuerName), 14, 105, kAdvance);
    s.PrintText(d, "TEL", 7, 105, kStay);
    s.PrintText(d, w.Field(field::IssuerTele), 11, 109, kAdvance);
    s.PrintText(d, w.Field(field::IssuerBank), 11, 105, kAdvance);
    s.PrintText(d, texts[1], 11, 0, kStay);
    s.PrintText(d, w.Field(field::IssuerBank2), 11, 105, kAdvance);
    s.AdvanceCursor(d, 3);
}

// The total including tax on the left, the tax rate and the tax on the right.
void PrintAmountBox(PrinterSurface& d, PRINTERSTATUS& s, const NoteWindow& w) {
    s.PrintTextAt(d, S("税込み金額"), 12, 5, 67, kStay);
    s.PrintValueAt(d, w.Field(field::TaxInclusiveTotal), 18, 33, 65, kStay, "yen");
    s.PrintValueAt(d, S("税率"), 11, 112, 60, kStay, "NULL");
    s.PrintValueAt(d, S("消費税"), 11, 130, 60, kStay, "NULL");
    s.PrintValueRightAt(d, w.Field(field::TaxRate) + "%", 12, 127, 67, kStay, "NULL");
    s.PrintValueRightAt(d, w.Field(field::Tax), 12, 165, 67, kStay, "yen");

    const int thick = s.FromReferenceUnits(kThickRule);
    const int thin = s.FromReferenceUnits(kThinRule);
    auto x = [&s](int mm) { return s.leftLimit + s.MmToDevice(mm); };
    auto y = [&s](int mm) { return s.MmToDevice(mm); };
    s.DrawHorizontalRule(d, x(0), x(165), y(60), thick);
    s.DrawHorizontalRule(d, x(111), x(165), y(64), thin);
    s.DrawVerticalRule(d, y(60), y(72), x(0), thick);
    s.DrawVerticalRule(d, y(60), y(72), x(111), thin);
    s.DrawVerticalRule(d, y(60), y(72), x(126), thin);
    s.DrawVerticalRule(d, y(60), y(72), x(165), thick);
}

// With reduced-rate lines: the legend on the left and, per rate, its amount
// total and its tax on the right, on whole millimetres just below the table.
void PrintRateBreakdown(PrinterSurface& d, PRINTERSTATUS& s, const PRINTERGRID& grid,
                        const NoteWindow& w) {
    const RateTotals totals = w.RateBreakdown();
    if (totals.empty() || grid.rowBoundaries.empty() || s.unitsPerMm <= 0) {
        return;
    }
    const int tableBottomMm = static_cast<int>(std::ceil(grid.rowBoundaries.back() / s.unitsPerMm));
    const int firstMm = tableBottomMm + kBreakdownGapMm;
    s.PrintTextAt(d, S("※は軽減税率対象"), kBreakdownPoints, 0, firstMm, kStay);
    int y = firstMm;
    for (const RateTotal& t : totals) {
        s.PrintTextAt(d, numtext::IntToStr(t.rate) + S("%対象"), kBreakdownPoints, kRateLabelMm, y,
                      kStay);
        s.PrintValueRightAt(d, numtext::IntToStr(t.amount), kBreakdownPoints, kRateAmountEndMm, y,
                            kStay, "yen");
        s.PrintTextAt(d, S("消費税"), kBreakdownPoints, kTaxLabelMm, y, kStay);
        s.PrintValueRightAt(d, numtext::IntToStr(t.tax), kBreakdownPoints, kTaxEndMm, y, kStay,
                            "yen");
        y += kBreakdownLineMm;
    }
}

} // namespace

std::string JobTitle() {
    return "Slipr program";
}

std::vector<std::vector<std::string>> PagesOfKind(int kind) {
    const std::vector<std::string> copy{S("納品書(控)"), S("下記のとおり納品いたしました")};
    const std::vector<std::string> note{S("納品書"), S("下記のとおり納品いたしました")};
    const std::vector<std::string> invoice{S("請求書"), S("下記のとおりご請求申し上げます")};
    switch (kind) {
    case kCopy:
        return {copy};
    case kDeliveryNote:
        return {note};
    case kInvoice:
        return {invoice};
    case kAllThree:
        return {copy, note, invoice};
    default:
        return {};
    }
}

void PrintNotePage(PrinterSurface& device, PRINTERSTATUS& status, PRINTERGRID& grid,
                   const NoteWindow& window, const std::vector<std::string>& texts) {
    const std::string none;
    const std::vector<std::string> pageTexts{texts.size() > 0 ? texts[0] : none,
                                             texts.size() > 1 ? texts[1] : none};
    status.leftMargin = kMarginMm;
    status.rightMargin = kMarginMm;
    status.topMargin = kMarginMm;
    status.SetupPage(device);
    PrintHeaderBlock(device, status, window, pageTexts);
    PrintAmountBox(device, status, window);

    const std::vector<std::string> totals{S("合計"), window.Field(field::QuantityTotal),
                                          window.Field(field::AmountTotal)};
    status.cursor = status.MmToDevice(72);
    grid.Attach(device, status, window);
    grid.PrintGrid(device, totals);
    PrintRateBreakdown(device, status, grid, window);
}

void PrintNoteJob(PrinterSurface& device, PRINTERSTATUS& status, PRINTERGRID& grid,
                  const NoteWindow& window, int kind) {
    const auto pages = PagesOfKind(kind);
    if (pages.empty()) {
        return;
    }
    status.documentTitle = JobTitle();
    device.StartDocument(status.documentTitle);
    for (const auto& texts : pages) {
        device.StartPage();
        PrintNotePage(device, status, grid, window, texts);
        device.EndPage();
    }
    device.EndDocument();
}

} // namespace printing
