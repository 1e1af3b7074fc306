// Line amounts, totals and consumption tax, computed on the window's texts.
#pragma once

#include "NoteWindow.h"

#include <cstdint>

namespace calc {

// The whole-note computation: quantity total, line amounts, amount total,
// tax and tax-inclusive total.
void Recalculate(NoteWindow& window);

// Computes column 6 of every data row that has a quantity and a unit price;
// in tax-inclusive mode reports the rows that have an amount without them.
void ComputeLines(NoteWindow& window, int mode, std::int32_t rate);

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
