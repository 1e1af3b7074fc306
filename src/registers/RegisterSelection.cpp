#include "RegisterSelection.h"

#include "Cp932.h"
#include "Registration.h"

namespace registers {

std::int32_t ValidIndex(std::int32_t index, size_t size) {
    return (index >= 0 && static_cast<size_t>(index) < size) ? index : 0;
}

void ApplySelectedIssuer(NoteWindow& window, const NoteContainers& note) {
    if (note.owner_ma_lo.empty()) {
        return;
    }
    const std::int32_t chosen = ValidIndex(note.int_owner_no, note.owner_ma_lo.size());
    const owner& e = note.owner_ma_lo[static_cast<size_t>(chosen)];
    window.SetField(field::IssuerZip, e.zipcode);
    window.SetField(field::IssuerAddress, e.address);
    window.SetField(field::IssuerAddress2, e.address2);
    window.SetField(field::IssuerName, e.name);
    window.SetField(field::IssuerTele, e.tele);
    window.SetField(field::IssuerBank, e.bank);
    window.SetField(field::IssuerBank2, e.bank2);
    window.SetField(field::Registration, registration::NumberAt(note, chosen));
}

void ApplySelectedCustomer(NoteWindow& window, const NoteContainers& note) {
    if (note.customer_ma_lo.empty()) {
        return;
    }
    const customer& e =
        note.customer_ma_lo[ValidIndex(note.int_customer_no, note.customer_ma_lo.size())];
    window.SetField(field::CustomerName, e.name);
}

void SetDefaultWords(NoteContainers& note) {
    if (note.menuitem1.empty()) {
        note.menuitem1 = {S("品目1"), S("品目2")};
    }
    if (note.menuitem2.empty()) {
        note.menuitem2 = {S("仕様1"), S("仕様2")};
    }
    if (note.menuitem3.empty()) {
        note.menuitem3 = {S("単位1"), S("単位2")};
    }
}

wordlist SuffixWords() {
    return {S("様"), S("御中")};
}

} // namespace registers
