#include "Calculation.h"

#include "Cp932.h"
#include "NumberText.h"

#include <cmath>
#include <map>

namespace calc {
namespace {

// Clamps a 128-bit intermediate into 64 bits; only absurd texts reach it.
std::int64_t Clamp64(__int128 v) {
    if (v > INT64_MAX) {
        return INT64_MAX;
    }
    if (v < INT64_MIN) {
        return INT64_MIN;
    }
    return static_cast<std::int64_t>(v);
}

// A row that GridToLines keeps: text in one of columns 1 to 6.
bool IsLine(const NoteWindow& window, int row) {
    for (int c = col::Name; c <= col::Amount; ++c) {
        if (!window.Cell(c, row).empty()) {
            return true;
        }
    }
    return false;
}

std::int32_t RateOfRow(const NoteWindow& window, int row, LineRates rates) {
    return IsReducedRateLine(window, row) ? rates.reduced : rates.standard;
}

} // namespace

void Recalculate(NoteWindow& window) {
    window.SetField(field::QuantityTotal, numtext::FloatToStr(SumQuantities(window)));
    const LineRates rates = RatesFromWindow(window);
    const int mode = window.TaxMode();
    if (!HasReducedRateLines(window)) {
        ComputeLines(window, mode, rates.standard);
        const std::int64_t total = SumAmounts(window);
        window.SetField(field::AmountTotal, numtext::IntToStr(total));
        ComputeTaxTotals(window, total, mode, rates.standard);
        window.SetRateBreakdown({});
        return;
    }
    ComputeLines(window, mode, rates);
    window.SetField(field::AmountTotal, numtext::IntToStr(SumAmounts(window)));
    const RateTotals totals = TotalsPerRate(window, mode, rates);
    ComputeTaxTotalsPerRate(window, totals, mode);
    window.SetRateBreakdown(mode == 0 || mode == 1 ? totals : RateTotals());
}

LineRates RatesFromWindow(const NoteWindow& window) {
    return LineRates{numtext::StrToIntDef(window.Field(field::TaxRate), kDefaultRate),
                     numtext::StrToIntDef(window.Field(field::ReducedRate), kDefaultReducedRate)};
}

bool IsReducedRateLine(const NoteWindow& window, int row) {
    static const std::string mark = S("※");
    return window.Cell(col::Name, row).starts_with(mark);
}

bool HasReducedRateLines(const NoteWindow& window) {
    for (int r = 1; r < window.RowCount(); ++r) {
        if (IsReducedRateLine(window, r)) {
            return true;
        }
    }
    return false;
}

void ComputeLines(NoteWindow& window, int mode, std::int32_t rate) {
    ComputeLines(window, mode, LineRates{rate, rate});
}

void ComputeLines(NoteWindow& window, int mode, LineRates rates) {
    int withoutQuantityOrPrice = 0;
    for (int r = 1; r < window.RowCount(); ++r) {
        const std::int32_t rate = RateOfRow(window, r, rates);
        const std::string quantity = window.Cell(col::Quantity, r);
        const std::string unitPrice = window.Cell(col::UnitPrice, r);
        const int filled = (quantity.empty() ? 0 : 1) + (unitPrice.empty() ? 0 : 1);
        if (filled == 2) {
            const double q = numtext::StrToFloatPrefix(quantity);
            const double u = numtext::StrToIntDef(unitPrice, 0);
            if (mode == 0) {
                const double product = u * q;
                const double amount = std::floor(product + 0.001);
                window.SetCell(col::Amount, r, numtext::WholeToStr(amount));
            } else if (mode == 1) {
                const double product = u * q;
                const double base = std::floor(product + 0.0001);
                const double tax = std::floor(rate * base * 0.01 + 0.0001);
                const double amount = std::trunc(tax) + base;
                window.SetCell(col::Amount, r, numtext::WholeToStr(amount));
            }
        } else if (mode == 1 && !window.Cell(col::Amount, r).empty()) {
            ++withoutQuantityOrPrice;
        }
    }
    if (withoutQuantityOrPrice > 0) {
        window.SetStatus(S("数量　単価欄がなく、税込み欄の記入のものが") +
                         numtext::IntToStr(withoutQuantityOrPrice) +
                         S("個みつかりました\n税金計算は内税にておこないます"));
    }
}

double SumQuantities(const NoteWindow& window) {
    double sum = 0.0;
    for (int r = 1; r < window.RowCount(); ++r) {
        sum += numtext::StrToFloatPrefix(window.Cell(col::Quantity, r));
    }
    return sum;
}

std::int64_t SumAmounts(const NoteWindow& window) {
    __int128 sum = 0;
    for (int r = 1; r < window.RowCount(); ++r) {
        sum += numtext::StrToAmountDef(window.Cell(col::Amount, r), 0);
    }
    return Clamp64(sum);
}

std::int64_t TaxOf(std::int64_t total, int mode, std::int32_t rate) {
    const __int128 product = static_cast<__int128>(total) * rate;
    if (mode == 0) {
        return Clamp64(product / 100);
    }
    const __int128 divisor = static_cast<__int128>(rate) + 100;
    if (divisor == 0) {
        return 0;
    }
    return Clamp64(product / divisor);
}

RateTotals TotalsPerRate(const NoteWindow& window, int mode, LineRates rates) {
    std::map<std::int32_t, __int128, std::greater<>> amounts;
    for (int r = 1; r < window.RowCount(); ++r) {
        if (IsLine(window, r)) {
            amounts[RateOfRow(window, r, rates)] +=
                numtext::StrToInt64Def(window.Cell(col::Amount, r), 0);
        }
    }
    RateTotals totals;
    for (const auto& [rate, amount] : amounts) {
        const std::int64_t total = Clamp64(amount);
        totals.push_back(RateTotal{rate, total, TaxOf(total, mode, rate)});
    }
    return totals;
}

void ComputeTaxTotalsPerRate(NoteWindow& window, const RateTotals& totals, int mode) {
    if (mode != 0 && mode != 1) {
        return;
    }
    __int128 amount = 0;
    __int128 tax = 0;
    for (const RateTotal& t : totals) {
        amount += t.amount;
        tax += t.tax;
    }
    const std::int64_t inclusive = Clamp64(mode == 0 ? amount + tax : amount);
    window.SetField(field::TaxInclusiveTotal, numtext::IntToStr(inclusive));
    window.SetField(field::Tax, numtext::IntToStr(Clamp64(tax)));
}

void ComputeTaxTotals(NoteWindow& window, std::int64_t total, int mode, std::int32_t rate) {
    if (mode != 0 && mode != 1) {
        return;
    }
    const std::int64_t tax = TaxOf(total, mode, rate);
    const std::int64_t inclusive = mode == 0 ? Clamp64(static_cast<__int128>(total) + tax) : total;
    window.SetField(field::TaxInclusiveTotal, numtext::IntToStr(inclusive));
    window.SetField(field::Tax, numtext::IntToStr(tax));
}

} // namespace calc
