#include "AppSettings.h"

#include "NumberText.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

namespace appsettings {

namespace {
constexpr int kDefaultEdge = 30;
} // namespace

int EdgeFromText(const QString& text) {
    return numtext::StrToIntDef(text.toStdString(), kDefaultEdge);
}

WindowSettings Read(const QString& path, const QString& defaultFolder) {
    WindowSettings result;
    result.folder = defaultFolder;
    if (!QFileInfo(path).isReadable()) {
        return result;
    }
    QSettings ini(path, QSettings::IniFormat);
    if (ini.status() != QSettings::NoError) {
        return result;
    }
    const QVariant folder = ini.value("FILE/FFolder");
    if (folder.isValid()) {
        result.folder = folder.toString();
    }
    const QVariant top = ini.value("POS/Top");
    if (top.isValid()) {
        result.top = EdgeFromText(top.toString());
    }
    const QVariant left = ini.value("POS/Left");
    if (left.isValid()) {
        result.left = EdgeFromText(left.toString());
    }
    result.rate = numtext::StrToIntDef(ini.value("TAX/Rate").toString().toStdString(), result.rate);
    result.reducedRate = numtext::StrToIntDef(ini.value("TAX/ReducedRate").toString().toStdString(),
                                              result.reducedRate);
    return result;
}

namespace {

// QSettings replaces the file through a temporary one, which would succeed
// even over a read-only file; refuse that as the user meant it.
bool MayWrite(const QString& path) {
    const QFileInfo file(path);
    const QFileInfo folder(file.absolutePath());
    if (!folder.isDir() || !folder.isWritable()) {
        return false;
    }
    // Without any write bit the file is protected even from root.
    constexpr QFile::Permissions kWrite = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
    return !file.exists() || (file.isWritable() && (file.permissions() & kWrite) != 0);
}

} // namespace

bool Write(const QString& path, const WindowSettings& settings) {
    if (!MayWrite(path)) {
        return false;
    }
    QSettings ini(path, QSettings::IniFormat);
    ini.setValue("FILE/FFolder", settings.folder);
    ini.setValue("POS/Top", QString::number(settings.top));
    ini.setValue("POS/Left", QString::number(settings.left));
    ini.setValue("TAX/Rate", QString::number(settings.rate));
    ini.setValue("TAX/ReducedRate", QString::number(settings.reducedRate));
    ini.sync();
    return ini.status() == QSettings::NoError;
}

QString ReadIssueFolder(const QString& path) {
    if (!QFileInfo(path).isReadable()) {
        return QString();
    }
    const QSettings ini(path, QSettings::IniFormat);
    return ini.value("PDF/IssueFolder").toString();
}

bool WriteIssueFolder(const QString& path, const QString& folder) {
    if (!MayWrite(path)) {
        return false;
    }
    QSettings ini(path, QSettings::IniFormat);
    ini.setValue("PDF/IssueFolder", folder);
    ini.sync();
    return ini.status() == QSettings::NoError;
}

QString FolderToRemember(const std::string& currentFile, const QString& currentDir) {
    if (currentFile.empty()) {
        return currentDir;
    }
    const QFileInfo note(QString::fromStdString(currentFile));
    QString folder = QDir::toNativeSeparators(note.absolutePath());
    if (!folder.endsWith(QDir::separator())) {
        folder += QDir::separator();
    }
    return folder;
}

} // namespace appsettings
