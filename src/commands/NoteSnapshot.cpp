#include "NoteSnapshot.h"

namespace commands {
namespace {

// The fields a note file keeps (header, issuer and customer).
constexpr int kKeptFields[] = {field::Date,          field::CustomerName,   field::IssuerZip,
                               field::IssuerAddress, field::IssuerAddress2, field::IssuerName,
                               field::IssuerTele,    field::IssuerBank,     field::IssuerBank2,
                               field::TaxRate,       field::Number,         field::Suffix};

} // namespace

NoteSnapshot NoteSnapshot::Of(const NoteWindow& window) {
    NoteSnapshot snapshot;
    for (int number : kKeptFields) {
        snapshot.texts_.push_back(window.Field(number));
    }
    for (int r = 1; r < window.RowCount(); ++r) {
        for (int c = 1; c < window.ColCount(); ++c) {
            snapshot.texts_.push_back(window.Cell(c, r));
        }
    }
    snapshot.taxMode_ = window.TaxMode();
    return snapshot;
}

} // namespace commands
