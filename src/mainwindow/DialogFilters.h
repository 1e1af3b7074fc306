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

// The save dialog's default extension for the file kind at the 1-based
// `position`: the kind's own, or the first kind's when it has none (every
// file).
QString DefaultSuffix(int position);

// Selects the save dialog's filter at `position` with its default
// extension.
void SelectSaveKind(QFileDialog* dialog, int position);

// From now on the save dialog's default extension follows the filter the
// user chooses, so that a name typed without an extension takes the
// chosen kind's.
void FollowChosenKind(QFileDialog* dialog);

} // namespace dialogfilters
