// Line amounts, totals and consumption tax, computed on the window's texts.
#pragma once

#include "NoteWindow.h"

#include <cstdint>

namespace calc {

// The rate field's default, and the reduced rate field's.
constexpr std::int32_t kDefaultRate = 5;
constexpr std::int32_t kDefaultReducedRate = 8;

// The rate of each line: `reduced` for a line whose item name begins with
// "※", `standard` for every other line.
struct LineRates {
    std::int32_t standard = kDefaultRate;
    std::int32_t reduced = kDefaultReducedRate;
};

// The whole-note computation: quantity total, line amounts, amount total,
// tax and tax-inclusive total. A note without "※" lines computes every line
// and the tax at the rate field's rate, the tax once on the amount total.
// With "※" lines each line computes at its own rate and the tax is taken
// once per rate on that rate's amount total; the window's per-rate
// breakdown shows them (and is emptied otherwise).
void Recalculate(NoteWindow& window);

// The two rates from their fields (Edit11, default 5; Edit20, default 8).
LineRates RatesFromWindow(const NoteWindow& window);

// The mark of a reduced-rate line: its item name begins with "※".
bool IsReducedRateLine(const NoteWindow& window, int row);
bool HasReducedRateLines(const NoteWindow& window);

// Computes column 6 of every data row that has a quantity and a unit price;
// in tax-inclusive mode reports the rows that have an amount without them.
void ComputeLines(NoteWindow& window, int mode, std::int32_t rate);
// The same with each row at its own rate (its line tax in mode 1).
void ComputeLines(NoteWindow& window, int mode, LineRates rates);

// Per rate that has lines (a line: a row with text in columns 1 to 6), the
// total of its rows' amounts (column 6) and the tax on it taken once;
// highest rate first. Rows of equal rates form one rate.
RateTotals TotalsPerRate(const NoteWindow& window, int mode, LineRates rates);

// Sets Edit12 (the sum of the per-rate taxes) and Edit10 (amounts plus
// tax in mode 0, the amounts in mode 1); nothing in another mode.
void ComputeTaxTotalsPerRate(NoteWindow& window, const RateTotals& totals, int mode);

// Sum of column 3 over the data rows, each read as floating point.
double SumQuantities(const NoteWindow& window);

// Sum of column 6 over the data rows, each read as a whole number (64-bit,
// so an amount beyond the 32-bit range still counts; unreadable cells 0).
std::int64_t SumAmounts(const NoteWindow& window);

// Sets Edit10 (tax-inclusive total) and Edit12 (tax) from the amount total.
void ComputeTaxTotals(NoteWindow& window, std::int64_t total, int mode, std::int32_t rate);

// The tax on `total` at `rate` percent: added on top in mode 0, contained in
// it in mode 1. Division truncates toward zero; a divisor of 0 gives 0.
std::int64_t TaxOf(std::int64_t total, int mode, std::int32_t rate);

} // namespace calc
