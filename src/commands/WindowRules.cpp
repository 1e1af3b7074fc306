#include "WindowRules.h"

#include "Calculation.h"
#include "Cp932.h"
#include "NumberText.h"

namespace commands {

int MatchTaxMode(const std::vector<std::string>& items, const std::string& text, int current) {
    for (size_t i = 0; i < items.size(); ++i) {
        if (items[i].find(text) != std::string::npos) {
            return static_cast<int>(i);
        }
    }
    return current;
}

ColumnMenu MenuForColumn(int col) {
    switch (col) {
    case col::Name:
        return ColumnMenu::Name;
    case col::Spec:
    case col::Remarks:
        return ColumnMenu::SpecOrRemarks;
    case col::Unit:
        return ColumnMenu::Unit;
    default:
        return ColumnMenu::Other;
    }
}

bool IsEditorCell(const NoteWindow& window, int col, int row) {
    return col >= 1 && col < window.ColCount() && row >= 1 && row < window.RowCount();
}

bool ClickGridCell(NoteWindow& window, int col, int row) {
    if (col <= 0 || col >= window.ColCount()) {
        return false;
    }
    if (row >= 1 && row < window.RowCount()) {
        window.SetField(field::CellPosition,
                        S("列:") + numtext::IntToStr(col) + S(" 行:") + numtext::IntToStr(row));
        window.SetField(field::CellEditor, window.Cell(col, row));
    }
    calc::Recalculate(window);
    return true;
}

} // namespace commands
