#include "DialogFilters.h"

#include <QFileDialog>

namespace dialogfilters {

QStringList ToQtFilters(const QString& filter) {
    const QStringList parts = filter.split('|');
    QStringList result;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns = parts[i + 1].split(';', Qt::SkipEmptyParts);
        for (QString& pattern : patterns) {
            pattern = pattern.trimmed();
            // "*.*" means every file; on this platform that is "*".
            if (pattern == "*.*") {
                pattern = "*";
            }
        }
        result << parts[i] + " (" + patterns.join(' ') + ")";
    }
    return result;
}

int FilterIndex(const QFileDialog* dialog) {
    const qsizetype index = dialog->nameFilters().indexOf(dialog->selectedNameFilter());
    return index < 0 ? 1 : static_cast<int>(index) + 1;
}

void SetFilterIndex(QFileDialog* dialog, int index) {
    const QStringList filters = dialog->nameFilters();
    if (index >= 1 && index <= filters.size()) {
        dialog->selectNameFilter(filters[index - 1]);
    }
}

} // namespace dialogfilters
