// Texts the window shows at start-up and whenever the tax mode changes.
#pragma once

#include "NoteWindow.h"

#include <string>

namespace wintext {

// "2007年7月5日": four-digit year, month and day without leading zeros.
std::string DateText(int year, int month, int day);

// Today's date in that form, from the local clock.
std::string TodayText();

// The title of grid column `col` in row 0; column 6 follows the tax mode.
std::string ColumnTitle(int col, int taxMode);

// "税抜き金額" for tax mode 0, "税込み金額" for 1 (column 6 and the selector).
std::string AmountTitle(int taxMode);

// The edit fields as start-up leaves them: `today` in the date field,
// issuer and customer empty (registration number too), totals 0, rate 5,
// reduced rate 8, suffix "様", no per-rate breakdown.
void ApplyStartupFields(NoteWindow& window, const std::string& today);

// The per-rate breakdown as the window shows it, two lines per rate
// ("10%対象 1998円", "消費税 199円"); empty for no rates.
std::string RateBreakdownText(const RateTotals& totals);

// Column titles in row 0 (tax mode 0) and row numbers in column 0.
void WriteGridHeadings(NoteWindow& window);

} // namespace wintext
