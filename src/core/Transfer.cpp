#include "Transfer.h"

#include "Calculation.h"
#include "Cp932.h"
#include "NumberText.h"
#include "Registration.h"

namespace transfer {
namespace {

// A line's amount as the record holds it: the cell read as the amount total
// reads it, 0 when that does not fit the record's 32 bits.
std::int32_t AmountField(const std::string& text) {
    const std::int64_t amount = numtext::StrToAmountDef(text, 0);
    return amount >= INT32_MIN && amount <= INT32_MAX ? static_cast<std::int32_t>(amount) : 0;
}

// `childcount` of a header whose `zeiritu` holds the rate the note was
// saved with. Older notes carry 1 (or 0) there and 5 as their rate, which
// never was the note's rate; both fields are written and never read by
// older installations.
constexpr std::int32_t kRateKept = 2;

// Fills the suffix and number fields when empty and returns the header
// fields; shared by the current and the 0.4 header.
basedata HeaderFromWindow(NoteWindow& window) {
    if (window.Field(field::Suffix).empty()) {
        window.SetField(field::Suffix, S("様"));
    }
    if (window.Field(field::Number).empty()) {
        window.SetField(field::Number, "0001");
    }
    const int mode = window.TaxMode();
    const std::int32_t zeiflag = (mode == 0 || mode == 1) ? mode : 0;
    return basedata(UpToNul(window.Field(field::Date)), UpToNul(window.Field(field::Suffix)),
                    UpToNul(window.Field(field::Number)), zeiflag, 0, kRateKept,
                    calc::RatesFromWindow(window).standard);
}

std::string CellText(const NoteWindow& window, int c, int r) {
    return UpToNul(window.Cell(c, r));
}

} // namespace

std::string UpToNul(const std::string& text) {
    return text.substr(0, text.find('\0'));
}

void WindowToHeader(NoteWindow& window, basedatalist& basedata1) {
    if (window.Field(field::Date).empty()) {
        return;
    }
    basedata header = HeaderFromWindow(window);
    basedata1.clear();
    basedata1.push_back(header);
}

void WindowToHeader04(NoteWindow& window, basedatav2list_t& basedatav2list) {
    if (window.Field(field::Date).empty()) {
        return;
    }
    basedata header = HeaderFromWindow(window);
    basedatav2list.clear();
    basedatav2list.push_back(basedatav2(header.seikyudate, header.soeji, header.printno,
                                        header.zeiflag, header.syubetu, header.childcount,
                                        header.zeiritu));
}

void WindowToIssuer(const NoteWindow& window, ownerlist& owner1) {
    std::string roma, mail;
    std::int32_t ownerno = 0;
    if (!owner1.empty()) {
        roma = owner1.front().roma;
        mail = owner1.front().mail;
        if (owner1.front().ownerno > 0) {
            ownerno = owner1.front().ownerno;
        }
    }
    owner issuer(
        UpToNul(window.Field(field::IssuerName)), roma, UpToNul(window.Field(field::IssuerZip)),
        UpToNul(window.Field(field::IssuerAddress)), UpToNul(window.Field(field::IssuerAddress2)),
        mail, ownerno, UpToNul(window.Field(field::IssuerTele)),
        UpToNul(window.Field(field::IssuerBank)), UpToNul(window.Field(field::IssuerBank2)));
    owner1.clear();
    owner1.push_back(issuer);
}

void WindowToCustomer(const NoteWindow& window, customerlist& customer1) {
    const std::string name = UpToNul(window.Field(field::CustomerName));
    if (name.empty()) {
        return;
    }
    customer previous = customer1.empty() ? customer() : customer1.front();
    customer1.clear();
    customer1.push_back(customer(name, previous.roma, previous.zipcode, previous.address,
                                 previous.address2, previous.mail, previous.customerno_));
}

void GridToLines(const NoteWindow& window, hinmokumap& hinmokulist) {
    hinmokulist.clear();
    for (int r = 1; r < window.RowCount(); ++r) {
        bool any = false;
        for (int c = col::Name; c <= col::Amount; ++c) {
            any = any || !window.Cell(c, r).empty();
        }
        if (!any) {
            continue;
        }
        const std::int32_t key = numtext::StrToIntDef(window.Cell(col::RowNumber, r), 0);
        hinmokulist[key] = hinmoku(
            key, CellText(window, col::Name, r), CellText(window, col::Spec, r),
            numtext::StrToFloatPrefix(window.Cell(col::Quantity, r)),
            CellText(window, col::Unit, r), numtext::StrToIntDef(window.Cell(col::UnitPrice, r), 0),
            AmountField(window.Cell(col::Amount, r)), CellText(window, col::Remarks, r));
    }
}

void LinesToGrid(NoteWindow& window, const hinmokumap& lines) {
    for (const auto& [key, line] : lines) {
        const int r = line.linno;
        // Lines that name no data row of the grid have no place to go.
        if (r < 1 || r >= window.RowCount()) {
            continue;
        }
        window.SetCell(col::Name, r, UpToNul(line.kojiname));
        window.SetCell(col::Spec, r, UpToNul(line.siyou));
        if (line.suryou != 0) {
            window.SetCell(col::Quantity, r, numtext::FloatToStr(line.suryou));
        }
        window.SetCell(col::Unit, r, UpToNul(line.tani));
        if (line.tanka != 0) {
            window.SetCell(col::UnitPrice, r, numtext::IntToStr(line.tanka));
        }
        if (line.price != 0) {
            window.SetCell(col::Amount, r, numtext::IntToStr(line.price));
        }
        window.SetCell(col::Remarks, r, UpToNul(line.tekiyou));
    }
}

void RecordsToWindow(NoteWindow& window, const NoteContainers& note) {
    const basedata& h = note.basedata_load.front();
    const owner& o = note.owner_load.front();
    const customer& c = note.customer_load.front();
    window.SetField(field::Date, UpToNul(h.seikyudate));
    window.SetField(field::CustomerName, UpToNul(c.name));
    window.SetField(field::IssuerZip, UpToNul(o.zipcode));
    window.SetField(field::IssuerAddress, UpToNul(o.address));
    window.SetField(field::IssuerAddress2, UpToNul(o.address2));
    window.SetField(field::IssuerName, UpToNul(o.name));
    window.SetField(field::IssuerTele, UpToNul(o.tele));
    window.SetField(field::IssuerBank, UpToNul(o.bank));
    window.SetField(field::IssuerBank2, UpToNul(o.bank2));
    window.SetField(field::Registration, registration::NumberForIssuer(note, o));
    window.SetField(field::Number, UpToNul(h.printno));
    window.SetField(field::Suffix, UpToNul(h.soeji));
    window.SetTaxMode((h.zeiflag == 0 || h.zeiflag == 1) ? h.zeiflag : 0);
    if (h.childcount == kRateKept) {
        window.SetField(field::TaxRate, numtext::IntToStr(h.zeiritu));
    }
    LinesToGrid(window, note.hinmokulist_load);
}

void ClearGridData(NoteWindow& window) {
    for (int r = 1; r < window.RowCount(); ++r) {
        for (int c = 1; c < window.ColCount(); ++c) {
            window.SetCell(c, r, std::string());
        }
    }
}

} // namespace transfer
