// In-memory twin of the main window's texts, in the state start-up leaves
// them in (without a master file): titles, row numbers and initial fields.
#pragma once

#include "NoteWindow.h"

#include <utility>
#include <vector>

class MemoryWindow : public NoteWindow {
public:
    explicit MemoryWindow(int cols = col::Count, int rows = 21);

    int ColCount() const override { return cols_; }
    int RowCount() const override { return rows_; }
    std::string Cell(int col, int row) const override;
    void SetCell(int col, int row, const std::string& text) override;
    std::string Field(int number) const override;
    void SetField(int number, const std::string& text) override;
    std::string Status() const override { return status_; }
    void SetStatus(const std::string& text) override { status_ = text; }
    int TaxMode() const override { return taxMode_; }
    void SetTaxMode(int mode) override { taxMode_ = mode; }
    RateTotals RateBreakdown() const override { return breakdown_; }
    void SetRateBreakdown(const RateTotals& totals) override { breakdown_ = totals; }
    void ShowMessage(const std::string& caption, const std::string& text) override;

    // Every message box shown so far, as (caption, text).
    const std::vector<std::pair<std::string, std::string>>& Messages() const { return messages_; }
    void ClearMessages() { messages_.clear(); }

    // Fills fields and grid as start-up does; `today` is the date text.
    void ApplyStartupTexts(const std::string& today);

private:
    int cols_;
    int rows_;
    std::vector<std::string> cells_;
    std::vector<std::string> fields_;
    std::string status_;
    int taxMode_ = 0;
    RateTotals breakdown_;
    std::vector<std::pair<std::string, std::string>> messages_;
};
