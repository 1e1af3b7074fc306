#include "TableTextGrid.h"

#include "QtText.h"

#include <QHeaderView>
#include <QSignalBlocker>
#include <QTableWidget>
#include <algorithm>
#include <vector>

namespace registers {

namespace {

QTableWidgetItem* EmptyHeaderItem() {
    return new QTableWidgetItem(QString());
}

} // namespace

TableTextGrid::TableTextGrid(QTableWidget& table) : table_(table) {
    table_.verticalHeader()->setFixedWidth(fixedColWidth_);
}

int TableTextGrid::ColCount() const {
    return table_.columnCount() + 1;
}

int TableTextGrid::RowCount() const {
    return table_.rowCount() + 1;
}

void TableTextGrid::SetColCount(int count) {
    const int old = table_.columnCount();
    const int wanted = std::max(count - 1, 0);
    table_.setColumnCount(wanted);
    // Without an item of its own a header section shows its number.
    for (int c = old; c < wanted; ++c) {
        table_.setHorizontalHeaderItem(c, EmptyHeaderItem());
    }
}

void TableTextGrid::SetRowCount(int count) {
    const int old = table_.rowCount();
    const int wanted = std::max(count - 1, 0);
    table_.setRowCount(wanted);
    for (int r = old; r < wanted; ++r) {
        table_.setVerticalHeaderItem(r, EmptyHeaderItem());
    }
}

std::string TableTextGrid::Cell(int col, int row) const {
    if (col < 0 || col >= ColCount() || row < 0 || row >= RowCount() || (col == 0 && row == 0)) {
        return {};
    }
    const QTableWidgetItem* item = nullptr;
    if (row == 0) {
        item = table_.horizontalHeaderItem(col - 1);
    } else if (col == 0) {
        item = table_.verticalHeaderItem(row - 1);
    } else {
        item = table_.item(row - 1, col - 1);
    }
    return item ? qttext::ToCp932(item->text()) : std::string();
}

void TableTextGrid::SetCell(int col, int row, const std::string& text) {
    if (col < 0 || col >= ColCount() || row < 0 || row >= RowCount() || (col == 0 && row == 0)) {
        return;
    }
    const QString shown = qttext::FromCp932(text);
    if (row == 0) {
        table_.setHorizontalHeaderItem(col - 1, new QTableWidgetItem(shown));
    } else if (col == 0) {
        table_.setVerticalHeaderItem(row - 1, new QTableWidgetItem(shown));
    } else if (QTableWidgetItem* item = table_.item(row - 1, col - 1)) {
        item->setText(shown);
    } else {
        table_.setItem(row - 1, col - 1, new QTableWidgetItem(shown));
    }
}

int TableTextGrid::ColWidth(int col) const {
    if (col == 0) {
        return fixedColWidth_;
    }
    return (col > 0 && col < ColCount()) ? table_.columnWidth(col - 1) : 0;
}

void TableTextGrid::SetColWidth(int col, int width) {
    if (col == 0) {
        fixedColWidth_ = width;
        table_.verticalHeader()->setFixedWidth(width);
    } else if (col > 0 && col < ColCount()) {
        table_.setColumnWidth(col - 1, width);
    }
}

void TableTextGrid::AllowColumnMoving() {
    QHeaderView* header = table_.horizontalHeader();
    header->setSectionsMovable(true);
    QObject::connect(header, &QHeaderView::sectionMoved, &table_,
                     [this](int, int, int) { TakeOverHeaderOrder(); });
}

void TableTextGrid::TakeOverHeaderOrder() {
    QHeaderView* header = table_.horizontalHeader();
    const int cols = table_.columnCount();
    const int rows = table_.rowCount();
    std::vector<std::vector<std::string>> texts(cols);
    std::vector<int> widths(cols);
    for (int visual = 0; visual < cols; ++visual) {
        const int col = header->logicalIndex(visual) + 1;
        for (int row = 0; row <= rows; ++row) {
            texts[visual].push_back(Cell(col, row));
        }
        widths[visual] = ColWidth(col);
    }
    {
        const QSignalBlocker blocker(header);
        for (int visual = 0; visual < cols; ++visual) {
            header->moveSection(header->visualIndex(visual), visual);
        }
    }
    for (int visual = 0; visual < cols; ++visual) {
        for (int row = 0; row <= rows; ++row) {
            SetCell(visual + 1, row, texts[visual][row]);
        }
        SetColWidth(visual + 1, widths[visual]);
    }
}

} // namespace registers
