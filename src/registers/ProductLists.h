// The product register without a window: the three word lists being edited
// (item names, specifications and remarks, units) and the word the user
// last chose in one of them.
#pragma once

#include "Basedata.h"

#include <array>
#include <string>

namespace registers {

// Appends `text` as the last word.
void AddWord(wordlist& words, const std::string& text);

// Appends `text`, then deletes the word at `index` (when there is one), so
// the changed word moves to the end of the list.
void ReplaceWord(wordlist& words, const std::string& text, int index);

// Deletes the word at `index`; an index outside the list deletes nothing.
void DeleteWord(wordlist& words, int index);

class ProductLists {
public:
    static constexpr int Count = 3;

    ProductLists(wordlist items, wordlist specs, wordlist units);

    // List 1, 2 or 3.
    const wordlist& List(int n) const;

    // A click on list n while it had the focus; `selected` is the selected
    // position, or negative when nothing is selected (which counts as 0).
    void Choose(int n, int selected);
    int ActiveList() const { return activeList_; }
    int ActiveIndex() const { return activeIndex_; }

    // Each non-empty text is appended to its list (texts[0] to list 1 ...).
    void AddWords(const std::array<std::string, Count>& texts);

    // Replaces the chosen word by `text`, which moves to the end. Nothing
    // without a chosen list or with an empty text. True when it changed.
    bool EditActiveWord(const std::string& text);

    // Deletes the word at the chosen position; the choice stays, so the next
    // call deletes the word that moved up. True when a list was chosen.
    bool DeleteActiveWord();

private:
    static bool Valid(int n) { return n >= 1 && n <= Count; }

    std::array<wordlist, Count> lists_;
    int activeList_ = 0;
    int activeIndex_ = 0;
};

} // namespace registers
