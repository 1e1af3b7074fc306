// Where the settings file, the master files and the help page are, for a
// copy run from its build tree or a folder of its own and for an installed
// copy. No Qt: the folder's writability and the environment come in as
// values, so that every case is tested without a read-only folder.
#pragma once

#include <string>

namespace installpaths {

// The variables that decide the user's folders.
struct Environment {
    std::string home;          // $HOME
    std::string xdgConfigHome; // $XDG_CONFIG_HOME, empty when unset
    std::string xdgDataHome;   // $XDG_DATA_HOME, empty when unset
};

Environment FromProcess();

// An installed copy: its folder is not writable by the user, or it is one
// of the system's program folders (/usr/..., where root could write).
bool IsInstalled(const std::string& executableDir, bool executableDirWritable);

// $XDG_CONFIG_HOME/notorio, else $HOME/.config/notorio (a relative
// $XDG_CONFIG_HOME is ignored, as the base directory rules say).
std::string ConfigFolder(const Environment& env);
// $XDG_DATA_HOME/notorio, else $HOME/.local/share/notorio.
std::string DataFolder(const Environment& env);

// "Slipr.ini" next to the executable, or in the configuration folder for
// an installed copy.
std::string SettingsFile(const std::string& executableDir, bool executableDirWritable,
                         const Environment& env);

// The help page: help/notorio.html next to the executable, unless only the
// installed tree's ../share/notorio/help/notorio.html exists.
constexpr const char* kInstalledHelpPage = "../share/notorio/help/notorio.html";
std::string HelpPage(const std::string& executableDir, bool besideExists, bool installedExists);

// Whether the process may create files in `folder` (access(2) with W_OK).
bool FolderWritable(const std::string& folder);

// Creates `folder` and its parents (mode 0700 for new ones); true when it
// exists as a folder afterwards.
bool MakeFolders(const std::string& folder);

// Creates `folder` if needed and makes it the working folder.
bool EnterFolder(const std::string& folder);

} // namespace installpaths
