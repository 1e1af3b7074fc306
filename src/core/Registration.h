// Registration numbers (登録番号) of the issuers: "T" and 13 digits for an
// issuer registered for qualified invoices. The `owner` record has no field
// for them, so they live beside the register, by position, and reach the
// disk in a side file of their own; these are the rules that tie a number to
// its issuer.
#pragma once

#include "Basedata.h"

#include <string>

namespace registration {

// "T" followed by exactly 13 digits (single-byte).
bool IsWellFormed(const std::string& number);

// The number of the register entry at `position`; "" when it has none.
std::string NumberAt(const NoteContainers& note, std::int32_t position);

// The numbers for `issuers` from a side file's issuers and numbers: an
// issuer gets the number of a side-file entry equal to it in every field,
// each side-file entry serving one issuer at most, in order. An issuer the
// side file does not know exactly (renamed, edited, removed or added by a
// program that does not know the side file) gets "". The result has one
// text per issuer.
wordlist MatchNumbers(const ownerlist& issuers, const ownerlist& keyed, const wordlist& numbers);

// The number shown for an opened note's issuer: that of the register
// entry equal to it in every field, else of the first entry of its name;
// "" when no entry has its name.
std::string NumberForIssuer(const NoteContainers& note, const owner& issuer);

// The status-line warning after the issuer register closed, naming the
// first issuer whose number is neither empty nor well formed; "" when there
// is none.
std::string MalformedWarning(const ownerlist& issuers, const wordlist& numbers);

} // namespace registration
