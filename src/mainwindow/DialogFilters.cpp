#include "DialogFilters.h"

#include "FileKinds.h"

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

QString Description(const QString& qtFilter) {
    const qsizetype open = qtFilter.lastIndexOf(" (");
    return open < 0 ? qtFilter : qtFilter.left(open);
}

int FilterIndex(const QFileDialog* dialog) {
    // The dialog names its selected filter either in full or, with the
    // details hidden, by its description only.
    const QString selected = dialog->selectedNameFilter();
    const QStringList filters = dialog->nameFilters();
    for (qsizetype i = 0; i < filters.size(); ++i) {
        if (filters[i] == selected || Description(filters[i]) == selected) {
            return static_cast<int>(i) + 1;
        }
    }
    return 1;
}

void SetFilterIndex(QFileDialog* dialog, int index) {
    const QStringList filters = dialog->nameFilters();
    if (index >= 1 && index <= filters.size()) {
        dialog->selectNameFilter(filters[index - 1]);
    }
}

QString DefaultSuffix(int position) {
    const filekinds::FileKind* kind = filekinds::SaveKindAt(position);
    if (kind == nullptr || kind->extension.empty()) {
        kind = filekinds::SaveKindAt(filekinds::kFirstSavePosition);
    }
    return QString::fromStdString(std::string(kind->extension.substr(1)));
}

void SelectSaveKind(QFileDialog* dialog, int position) {
    SetFilterIndex(dialog, position);
    dialog->setDefaultSuffix(DefaultSuffix(FilterIndex(dialog)));
}

void FollowChosenKind(QFileDialog* dialog) {
    QObject::connect(dialog, &QFileDialog::filterSelected, dialog, [dialog](const QString&) {
        dialog->setDefaultSuffix(DefaultSuffix(FilterIndex(dialog)));
    });
}

} // namespace dialogfilters
