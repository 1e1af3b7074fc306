#include "Registration.h"

#include "Cp932.h"

#include <algorithm>

namespace registration {

namespace {

constexpr size_t kDigits = 13;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

bool IsWellFormed(const std::string& number) {
    return number.size() == 1 + kDigits && number[0] == 'T' &&
           std::all_of(number.begin() + 1, number.end(), IsDigit);
}

std::string NumberAt(const NoteContainers& note, std::int32_t position) {
    if (position < 0 || static_cast<size_t>(position) >= note.owner_touroku.size() ||
        static_cast<size_t>(position) >= note.owner_ma_lo.size()) {
        return std::string();
    }
    return note.owner_touroku[static_cast<size_t>(position)];
}

wordlist MatchNumbers(const ownerlist& issuers, const ownerlist& keyed, const wordlist& numbers) {
    const size_t known = std::min(keyed.size(), numbers.size());
    std::vector<bool> used(known, false);
    wordlist result;
    result.reserve(issuers.size());
    for (const owner& issuer : issuers) {
        std::string number;
        for (size_t k = 0; k < known; ++k) {
            if (!used[k] && keyed[k] == issuer) {
                used[k] = true;
                number = numbers[k];
                break;
            }
        }
        result.push_back(std::move(number));
    }
    return result;
}

std::string NumberForIssuer(const NoteContainers& note, const owner& issuer) {
    const ownerlist& entries = note.owner_ma_lo;
    auto same = std::find(entries.begin(), entries.end(), issuer);
    if (same == entries.end()) {
        same = std::find_if(entries.begin(), entries.end(),
                            [&](const owner& e) { return e.name == issuer.name; });
    }
    if (same == entries.end()) {
        return std::string();
    }
    return NumberAt(note, static_cast<std::int32_t>(same - entries.begin()));
}

std::string MalformedWarning(const ownerlist& issuers, const wordlist& numbers) {
    const size_t n = std::min(issuers.size(), numbers.size());
    for (size_t i = 0; i < n; ++i) {
        if (!numbers[i].empty() && !IsWellFormed(numbers[i])) {
            return S("登録番号がT+13桁ではありません: ") + issuers[i].name + " " + numbers[i];
        }
    }
    return std::string();
}

} // namespace registration
