#include "InstallPaths.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <unistd.h>

namespace installpaths {

namespace {

std::string Variable(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

bool Absolute(const std::string& path) {
    return !path.empty() && path.front() == '/';
}

std::string WithoutTrailingSlash(std::string path) {
    while (path.size() > 1 && path.back() == '/') {
        path.pop_back();
    }
    return path;
}

std::string UserFolder(const std::string& xdg, const Environment& env, const char* fallback) {
    const std::string base =
        Absolute(xdg) ? xdg : WithoutTrailingSlash(env.home.empty() ? "/" : env.home) + fallback;
    return WithoutTrailingSlash(base) + "/notorio";
}

} // namespace

Environment FromProcess() {
    return {Variable("HOME"), Variable("XDG_CONFIG_HOME"), Variable("XDG_DATA_HOME")};
}

bool IsInstalled(const std::string& executableDir, bool executableDirWritable) {
    if (!executableDirWritable) {
        return true;
    }
    const std::string dir = WithoutTrailingSlash(executableDir);
    return dir == "/usr" || dir.rfind("/usr/", 0) == 0 || dir == "/bin" || dir == "/sbin";
}

std::string ConfigFolder(const Environment& env) {
    return UserFolder(env.xdgConfigHome, env, "/.config");
}

std::string DataFolder(const Environment& env) {
    return UserFolder(env.xdgDataHome, env, "/.local/share");
}

std::string SettingsFile(const std::string& executableDir, bool executableDirWritable,
                         const Environment& env) {
    if (IsInstalled(executableDir, executableDirWritable)) {
        return ConfigFolder(env) + "/Slipr.ini";
    }
    return WithoutTrailingSlash(executableDir) + "/Slipr.ini";
}

std::string HelpPage(const std::string& executableDir, bool besideExists, bool installedExists) {
    const std::filesystem::path dir(executableDir);
    const std::filesystem::path page =
        !besideExists && installedExists ? dir / kInstalledHelpPage : dir / "help/notorio.html";
    return page.lexically_normal().string();
}

bool FolderWritable(const std::string& folder) {
    return ::access(folder.c_str(), W_OK) == 0;
}

bool MakeFolders(const std::string& folder) {
    std::error_code error;
    const std::filesystem::path path(folder);
    if (std::filesystem::is_directory(path, error)) {
        return true;
    }
    std::filesystem::create_directories(path, error);
    if (error) {
        return false;
    }
    std::filesystem::permissions(path, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::replace, error);
    return std::filesystem::is_directory(path, error);
}

bool EnterFolder(const std::string& folder) {
    return MakeFolders(folder) && ::chdir(folder.c_str()) == 0;
}

} // namespace installpaths
