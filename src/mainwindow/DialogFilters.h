// File-dialog filters written as "description|pattern|description|pattern",
// turned into the name filters of a Qt file dialog, and the 1-based filter
// index that selects the file kind.
#pragma once

#include <QString>
#include <QStringList>

class QFileDialog;

namespace dialogfilters {

// "データファイル(*.srt)|*.srt|..." -> {"データファイル(*.srt) (*.srt)", ...}.
// Each description is kept exactly; several patterns separated by ';'
// become one space-separated list, and "*.*" becomes "*" (every file, also
// those without a dot). A trailing description without a
// pattern is dropped.
QStringList ToQtFilters(const QString& filter);

// The description part of a Qt name filter ("a (*.x)" -> "a").
QString Description(const QString& qtFilter);

// The 1-based position of the dialog's selected filter (1 when none).
int FilterIndex(const QFileDialog* dialog);

// Selects the filter at the 1-based `index` (ignored when out of range).
void SetFilterIndex(QFileDialog* dialog, int index);

} // namespace dialogfilters
