#include "WindowTexts.h"

#include "Cp932.h"
#include "NoteWindow.h"
#include "NumberText.h"

#include <ctime>

namespace wintext {

std::string DateText(int year, int month, int day) {
    return std::to_string(year) + S("年") + std::to_string(month) + S("月") + std::to_string(day) +
           S("日");
}

std::string TodayText() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return DateText(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
}

std::string AmountTitle(int taxMode) {
    return taxMode == 1 ? S("税込み金額") : S("税抜き金額");
}

std::string ColumnTitle(int c, int taxMode) {
    static const char* const kTitles[col::Count] = {"",     "名称", "仕様", "数量",
                                                    "単位", "単価", "",     "摘要"};
    if (c == col::Amount) {
        return AmountTitle(taxMode);
    }
    if (c < 0 || c >= col::Count) {
        return std::string();
    }
    return S(kTitles[c]);
}

void ApplyStartupFields(NoteWindow& window, const std::string& today) {
    window.SetField(field::Date, today);
    for (int n = field::CustomerName; n <= field::IssuerBank2; ++n) {
        window.SetField(n, std::string());
    }
    window.SetField(field::TaxInclusiveTotal, "0");
    window.SetField(field::TaxRate, "5");
    window.SetField(field::Tax, "0");
    window.SetField(field::QuantityTotal, "0");
    window.SetField(field::AmountTotal, "0");
    window.SetField(field::CellPosition, S("表の位置表示"));
    window.SetField(field::Number, std::string());
    window.SetField(field::CellEditor, std::string());
    window.SetField(field::Suffix, S("様"));
    window.SetField(field::Registration, std::string());
    window.SetField(field::ReducedRate, "8");
    window.SetRateBreakdown({});
}

std::string RateBreakdownText(const RateTotals& totals) {
    std::string text;
    for (const RateTotal& t : totals) {
        if (!text.empty()) {
            text += '\n';
        }
        text += numtext::IntToStr(t.rate) + S("%対象 ") + numtext::IntToStr(t.amount) + S("円\n") +
                S("消費税 ") + numtext::IntToStr(t.tax) + S("円");
    }
    return text;
}

void WriteGridHeadings(NoteWindow& window) {
    for (int c = 0; c < window.ColCount(); ++c) {
        window.SetCell(c, 0, ColumnTitle(c, 0));
    }
    for (int r = 1; r < window.RowCount(); ++r) {
        window.SetCell(col::RowNumber, r, numtext::IntToStr(r));
    }
}

} // namespace wintext
