#include "IssuerRegister.h"

#include "Cp932.h"
#include "NumberText.h"
#include "RegisterSelection.h"
#include "Registration.h"

#include <algorithm>

namespace registers {

void WriteIssuerTitles(TextGrid& grid) {
    static const char* const titles[] = {
        "名前", "ローマ字", "郵便番号", "住所(番地まで)", "住所(建物)", "Eメール",
        "電話", "銀行店名", "口座情報", "所有者管理番号", "登録番号"};
    int row = 1;
    for (const char* title : titles) {
        grid.SetCell(0, row++, S(title));
    }
}

void FillIssuerGrid(TextGrid& grid, const ownerlist& entries, const wordlist& numbers) {
    int col = 1;
    for (const owner& e : entries) {
        const auto i = static_cast<size_t>(col - 1);
        grid.SetCell(col, RegistrationRow, i < numbers.size() ? numbers[i] : std::string());
        grid.SetCell(col, 0, numtext::IntToStr(col));
        grid.SetCell(col, 1, e.name);
        grid.SetCell(col, 2, e.roma);
        grid.SetCell(col, 3, e.zipcode);
        grid.SetCell(col, 4, e.address);
        grid.SetCell(col, 5, e.address2);
        grid.SetCell(col, 6, e.mail);
        grid.SetCell(col, 7, e.tele);
        grid.SetCell(col, 8, e.bank);
        grid.SetCell(col, 9, e.bank2);
        grid.SetCell(col, 10, numtext::IntToStr(e.ownerno));
        ++col;
    }
}

ownerlist ReadIssuerGrid(const TextGrid& grid) {
    ownerlist entries;
    for (int col = 1; col < grid.ColCount(); ++col) {
        if (grid.Cell(col, 1).empty()) {
            continue;
        }
        owner e;
        e.name = grid.Cell(col, 1);
        e.roma = grid.Cell(col, 2);
        e.zipcode = grid.Cell(col, 3);
        e.address = grid.Cell(col, 4);
        e.address2 = grid.Cell(col, 5);
        e.mail = grid.Cell(col, 6);
        e.tele = grid.Cell(col, 7);
        e.bank = grid.Cell(col, 8);
        e.bank2 = grid.Cell(col, 9);
        e.ownerno = numtext::StrToIntDef(grid.Cell(col, 10), 0);
        entries.push_back(std::move(e));
    }
    return entries;
}

wordlist ReadIssuerNumbers(const TextGrid& grid) {
    wordlist numbers;
    for (int col = 1; col < grid.ColCount(); ++col) {
        if (!grid.Cell(col, 1).empty()) {
            numbers.push_back(grid.Cell(col, RegistrationRow));
        }
    }
    return numbers;
}

std::string AddIssuerColumn(TextGrid& grid) {
    const int last = grid.ColCount() - 1;
    if (last < 0 || grid.Cell(last, 1).empty()) {
        return "no name";
    }
    grid.SetColCount(last + 2);
    grid.SetColWidth(last + 1, grid.ColWidth(last));
    return "add itiretu";
}

owner CurrentIssuerFromWindow(const NoteWindow& window) {
    owner e;
    e.name = window.Field(field::IssuerName);
    e.zipcode = window.Field(field::IssuerZip);
    e.address = window.Field(field::IssuerAddress);
    e.address2 = window.Field(field::IssuerAddress2);
    e.tele = window.Field(field::IssuerTele);
    e.bank = window.Field(field::IssuerBank);
    e.bank2 = window.Field(field::IssuerBank2);
    return e;
}

bool OfferCurrentIssuer(ownerlist& entries, const owner& current, const AskAddition& ask) {
    if (entries.empty()) {
        return false;
    }
    const bool known = std::any_of(entries.begin(), entries.end(),
                                   [&](const owner& e) { return e.name == current.name; });
    if (known || !ask()) {
        return false;
    }
    entries.push_back(current);
    return true;
}

void TakeIssuerRegister(NoteContainers& note, NoteWindow& window, ownerlist entries,
                        wordlist numbers, std::int32_t selected) {
    if (entries.empty()) {
        return;
    }
    numbers.resize(entries.size());
    const std::string warning = registration::MalformedWarning(entries, numbers);
    note.int_owner_no = ValidIndex(selected, entries.size());
    note.owner_ma_lo = std::move(entries);
    note.owner_touroku = std::move(numbers);
    ApplySelectedIssuer(window, note);
    if (!warning.empty()) {
        window.SetStatus(warning);
    }
}

} // namespace registers
