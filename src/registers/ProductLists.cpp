#include "ProductLists.h"

#include <utility>

namespace registers {

void AddWord(wordlist& words, const std::string& text) {
    words.push_back(text);
}

void ReplaceWord(wordlist& words, const std::string& text, int index) {
    AddWord(words, text);
    DeleteWord(words, index);
}

void DeleteWord(wordlist& words, int index) {
    if (index >= 0 && static_cast<size_t>(index) < words.size()) {
        words.erase(words.begin() + index);
    }
}

ProductLists::ProductLists(wordlist items, wordlist specs, wordlist units)
    : lists_{std::move(items), std::move(specs), std::move(units)} {}

const wordlist& ProductLists::List(int n) const {
    static const wordlist none;
    return Valid(n) ? lists_[n - 1] : none;
}

void ProductLists::Choose(int n, int selected) {
    if (!Valid(n)) {
        return;
    }
    activeList_ = n;
    activeIndex_ = selected < 0 ? 0 : selected;
}

void ProductLists::AddWords(const std::array<std::string, Count>& texts) {
    for (int i = 0; i < Count; ++i) {
        if (!texts[i].empty()) {
            AddWord(lists_[i], texts[i]);
        }
    }
}

bool ProductLists::EditActiveWord(const std::string& text) {
    if (!Valid(activeList_) || text.empty()) {
        return false;
    }
    ReplaceWord(lists_[activeList_ - 1], text, activeIndex_);
    return true;
}

bool ProductLists::DeleteActiveWord() {
    if (!Valid(activeList_)) {
        return false;
    }
    DeleteWord(lists_[activeList_ - 1], activeIndex_);
    return true;
}

} // namespace registers
