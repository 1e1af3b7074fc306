// What a note holds as the user sees it: the fields a note file keeps, the
// grid's data cells and the tax mode. Two snapshots differ when the user
// changed any of them; the totals, the cell position and the cell editor
// field follow from the rest and are left out.
#pragma once

#include "NoteWindow.h"

#include <string>
#include <vector>

namespace commands {

class NoteSnapshot {
public:
    NoteSnapshot() = default;
    static NoteSnapshot Of(const NoteWindow& window);
    bool operator==(const NoteSnapshot&) const = default;

private:
    std::vector<std::string> texts_;
    int taxMode_ = 0;
};

} // namespace commands
