// The settings file "Slipr.ini": the open dialog's folder and the window's
// position, read once at start-up and written once at close.
#pragma once

#include <QString>
#include <string>

namespace appsettings {

struct WindowSettings {
    QString folder; // initial folder of the open dialog
    int top = 30;
    int left = 30;
    int rate = 5;        // the rate field at the last close
    int reducedRate = 8; // the reduced rate field at the last close
};

// Reads [FILE] FFolder (default `defaultFolder`), [POS] Top / Left
// (default 30; a value that is not an integer also gives 30) and [TAX]
// Rate / ReducedRate (defaults 5 and 8, also for a value that is not an
// integer). A missing or unreadable file gives the defaults.
WindowSettings Read(const QString& path, const QString& defaultFolder);

// Writes the five keys. Returns false when the file cannot be written
// (read-only file or folder, disk error); the file is replaced only when
// complete.
bool Write(const QString& path, const WindowSettings& settings);

// The folder remembered at close: the folder of the open note, ending in a
// separator, or `currentDir` when no note file is open.
QString FolderToRemember(const std::string& currentFile, const QString& currentDir);

// The folder of the PDFで発行… command, [PDF] IssueFolder; empty when none
// was chosen yet. Written when the user issues a note, on its own, so that
// the keys written at close stay as they are.
QString ReadIssueFolder(const QString& path);
bool WriteIssueFolder(const QString& path, const QString& folder);

// A screen coordinate from its text: an integer, else 30.
int EdgeFromText(const QString& text);

} // namespace appsettings
