// The main window's side of the registers that needs no widgets: showing
// the chosen issuer and customer, and the first-run word lists.
#pragma once

#include "Basedata.h"
#include "NoteWindow.h"

namespace registers {

// The issuer at int_owner_no into Edit3 ... Edit9 and its registration
// number into Edit19; nothing for an empty register. A position outside the
// register shows the first entry.
void ApplySelectedIssuer(NoteWindow& window, const NoteContainers& note);

// The name of the customer at int_customer_no into Edit2.
void ApplySelectedCustomer(NoteWindow& window, const NoteContainers& note);

// Each empty word list gets its two sample words.
void SetDefaultWords(NoteContainers& note);

// The suffixes offered for the suffix field: "様", "御中".
wordlist SuffixWords();

// A register position that is valid for a list of `size` entries: `index`
// itself when inside, else 0.
std::int32_t ValidIndex(std::int32_t index, size_t size);

} // namespace registers
