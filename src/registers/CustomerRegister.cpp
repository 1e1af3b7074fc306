#include "CustomerRegister.h"

#include "Cp932.h"
#include "NumberText.h"
#include "RegisterSelection.h"

#include <algorithm>

namespace registers {

void WriteCustomerTitles(TextGrid& grid) {
    static const char* const titles[] = {"顧客名",     "ローマ字", "郵便番号",    "住所(番地まで)",
                                         "住所(建物)", "Eメール",  "顧客管理番号"};
    int col = 1;
    for (const char* title : titles) {
        grid.SetCell(col++, 0, S(title));
    }
}

void FillCustomerGrid(TextGrid& grid, const customerlist& entries) {
    int row = 1;
    for (const customer& e : entries) {
        grid.SetCell(0, row, numtext::IntToStr(row));
        grid.SetCell(1, row, e.name);
        grid.SetCell(2, row, e.roma);
        grid.SetCell(3, row, e.zipcode);
        grid.SetCell(4, row, e.address);
        grid.SetCell(5, row, e.address2);
        grid.SetCell(6, row, e.mail);
        grid.SetCell(7, row, numtext::IntToStr(e.customerno_));
        ++row;
    }
}

customerlist ReadCustomerGrid(const TextGrid& grid) {
    customerlist entries;
    for (int row = 1; row < grid.RowCount(); ++row) {
        if (grid.Cell(1, row).empty()) {
            continue;
        }
        customer e;
        e.name = grid.Cell(1, row);
        e.roma = grid.Cell(2, row);
        e.zipcode = grid.Cell(3, row);
        e.address = grid.Cell(4, row);
        e.address2 = grid.Cell(5, row);
        e.mail = grid.Cell(6, row);
        e.customerno_ = numtext::StrToIntDef(grid.Cell(7, row), 0);
        entries.push_back(std::move(e));
    }
    return entries;
}

std::string AddCustomerRow(TextGrid& grid) {
    const int last = grid.RowCount() - 1;
    if (last < 0 || grid.Cell(1, last).empty()) {
        return "no name";
    }
    grid.SetRowCount(last + 2);
    return "add itiretu";
}

std::string CurrentCustomerName(const NoteWindow& window) {
    return window.Field(field::CustomerName);
}

customer CustomerCandidate(const std::string& name) {
    return customer(name, "XX", "XXX-XXXX", "XX", "XX", "XX@XX", 0);
}

bool OfferCurrentCustomer(customerlist& entries, const std::string& name, const AskAddition& ask) {
    if (entries.empty() || name.empty()) {
        return false;
    }
    const bool known = std::any_of(entries.begin(), entries.end(),
                                   [&](const customer& e) { return e.name == name; });
    if (known || !ask()) {
        return false;
    }
    entries.push_back(CustomerCandidate(name));
    return true;
}

void TakeCustomerRegister(NoteContainers& note, NoteWindow& window, customerlist entries,
                          std::int32_t selected) {
    if (entries.empty()) {
        return;
    }
    note.int_customer_no = ValidIndex(selected, entries.size());
    note.customer_ma_lo = std::move(entries);
    ApplySelectedCustomer(window, note);
}

} // namespace registers
