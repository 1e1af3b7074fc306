// Where the settings file, master files and help page are for a copy run
// from its build tree and for an installed one; the lazily made file
// dialogs and the menus' keys.
#include "InstallPaths.h"
#include "MainWindowFixture.h"

#include "AboutBox.h"
#include "DialogFilters.h"

#include <QAction>
#include <QFileDialog>
#include <QKeySequence>
#include <QTemporaryDir>
#include <filesystem>
#include <unistd.h>

namespace {

const installpaths::Environment kUser{"/home/kanri", "", ""};

} // namespace

TEST(InstallPathsTest, SettingsStayNextToAWritableProgramOutsideTheSystemFolders) {
    EXPECT_EQ(installpaths::SettingsFile("/home/kanri/notorio/build/src/mainwindow", true, kUser),
              "/home/kanri/notorio/build/src/mainwindow/Slipr.ini");
    EXPECT_EQ(installpaths::SettingsFile("/opt/notorio/", true, kUser), "/opt/notorio/Slipr.ini");
    EXPECT_FALSE(installpaths::IsInstalled("/home/kanri/bin", true));
    EXPECT_FALSE(installpaths::IsInstalled("/usrdata/bin", true));
}

TEST(InstallPathsTest, AnInstalledProgramKeepsSettingsInTheUsersConfigurationFolder) {
    // A folder the user cannot write, wherever it is.
    EXPECT_EQ(installpaths::SettingsFile("/opt/notorio", false, kUser),
              "/home/kanri/.config/notorio/Slipr.ini");
    EXPECT_EQ(installpaths::SettingsFile("/home/kanri/ro", false, kUser),
              "/home/kanri/.config/notorio/Slipr.ini");
    // The system's program folders even for root, who may write there.
    for (const char* dir : {"/usr/bin", "/usr/local/bin", "/usr/local/bin/", "/bin"}) {
        EXPECT_TRUE(installpaths::IsInstalled(dir, true)) << dir;
        EXPECT_EQ(installpaths::SettingsFile(dir, true, kUser),
                  "/home/kanri/.config/notorio/Slipr.ini")
            << dir;
    }
    const installpaths::Environment xdg{"/home/kanri", "/srv/cfg/", "/srv/data"};
    EXPECT_EQ(installpaths::SettingsFile("/usr/bin", false, xdg), "/srv/cfg/notorio/Slipr.ini");
    // A relative XDG folder is not used, as the base directory rules say.
    const installpaths::Environment relative{"/home/kanri", "cfg", "data"};
    EXPECT_EQ(installpaths::ConfigFolder(relative), "/home/kanri/.config/notorio");
    EXPECT_EQ(installpaths::DataFolder(relative), "/home/kanri/.local/share/notorio");
}

TEST(InstallPathsTest, DataFolderAndHelpPage) {
    EXPECT_EQ(installpaths::DataFolder(kUser), "/home/kanri/.local/share/notorio");
    EXPECT_EQ(installpaths::DataFolder({"/home/kanri", "", "/srv/data"}), "/srv/data/notorio");
    EXPECT_EQ(installpaths::HelpPage("/home/kanri/build/src/mainwindow", true, false),
              "/home/kanri/build/src/mainwindow/help/notorio.html");
    EXPECT_EQ(installpaths::HelpPage("/usr/bin", false, true),
              "/usr/share/notorio/help/notorio.html");
    EXPECT_EQ(installpaths::HelpPage("/usr/local/bin/", false, true),
              "/usr/local/share/notorio/help/notorio.html");
    // Beside the program wins; with neither, the page is looked for there.
    EXPECT_EQ(installpaths::HelpPage("/usr/bin", true, true), "/usr/bin/help/notorio.html");
    EXPECT_EQ(installpaths::HelpPage("/x/bin", false, false), "/x/bin/help/notorio.html");
}

TEST(InstallPathsTest, FoldersAreMadeEnteredAndTheirWritabilitySeen) {
    QTemporaryDir dir;
    const std::string nested = dir.filePath("a/b/notorio").toStdString();
    const std::string before = std::filesystem::current_path().string();
    ASSERT_TRUE(installpaths::EnterFolder(nested));
    EXPECT_EQ(std::filesystem::current_path().string(), nested);
    std::filesystem::current_path(before);
    EXPECT_TRUE(installpaths::MakeFolders(nested)); // already there
    EXPECT_TRUE(installpaths::FolderWritable(nested));
    const std::string file = dir.filePath("plain").toStdString();
    ASSERT_TRUE(QFile(QString::fromStdString(file)).open(QIODevice::WriteOnly));
    EXPECT_FALSE(installpaths::MakeFolders(file + "/sub"));
    EXPECT_FALSE(installpaths::EnterFolder(file));
    if (::geteuid() != 0) {
        std::filesystem::permissions(nested, std::filesystem::perms::owner_read |
                                                 std::filesystem::perms::owner_exec);
        EXPECT_FALSE(installpaths::FolderWritable(nested));
        std::filesystem::permissions(nested, std::filesystem::perms::owner_all);
    }
}

// The file dialogs and the About box are made when a command first needs
// them, and keep what the last use left.
TEST_F(WindowTest, DialogsAreMadeOnFirstUseAndKeepTheirState) {
    TForm1& f = Start();
    EXPECT_TRUE(f.findChildren<QFileDialog*>().isEmpty());
    EXPECT_TRUE(f.findChildren<TAboutBox*>().isEmpty());
    EXPECT_FALSE(f.OpenDialog1.Created());
    EXPECT_FALSE(f.SaveDialog1.Created());
    EXPECT_FALSE(f.AboutBox.Created());
    TAboutBox* about = f.AboutBox;
    EXPECT_EQ(about->parentWidget(), &f);
    EXPECT_EQ(static_cast<TAboutBox*>(f.AboutBox), about);
    EXPECT_EQ(QDir(f.OpenFolder()).absolutePath(),
              QDir(QCoreApplication::applicationDirPath()).absolutePath());

    QFileDialog* save = f.SaveDialog1;
    EXPECT_EQ(dialogfilters::FilterIndex(save), 1);
    dialogfilters::SetFilterIndex(save, 4);
    save->setDefaultSuffix("xls");
    save->setDirectory(WorkDir());
    EXPECT_FALSE(f.OpenDialog1.Created());
    EXPECT_EQ(static_cast<QFileDialog*>(f.SaveDialog1), save);
    EXPECT_EQ(dialogfilters::FilterIndex(f.SaveDialog1), 4);
    EXPECT_EQ(f.SaveDialog1->defaultSuffix(), "xls");
    EXPECT_EQ(QDir(f.SaveDialog1->directory()).absolutePath(), QDir(WorkDir()).absolutePath());
    EXPECT_EQ(f.findChildren<QFileDialog*>().size(), 1);

    f.OpenDialog1->setDirectory(WorkDir());
    EXPECT_EQ(QDir(f.OpenFolder()).absolutePath(), QDir(WorkDir()).absolutePath());
}

TEST_F(WindowTest, MenuItemsCarryTheUsualKeys) {
    TForm1& f = Start();
    const std::pair<QAction*, const char*> keys[] = {
        {f.Newdata, "Ctrl+N"},  {f.N10, "Ctrl+O"}, {f.N11, "Ctrl+S"}, {f.SaveAs1, "Ctrl+Shift+S"},
        {f.AllprnA4, "Ctrl+P"}, {f.N23, "Ctrl+Q"}, {f.N24, "F1"}};
    for (const auto& [action, key] : keys) {
        EXPECT_EQ(action->shortcut(), QKeySequence(key)) << key;
    }
    // The clipboard items leave Ctrl+C, Ctrl+X and Ctrl+V to the grid.
    for (QAction* clipboard : {f.N18, f.N19, f.N20}) {
        EXPECT_TRUE(clipboard->shortcut().isEmpty());
    }
    // Every key is taken by one item only.
    QList<QKeySequence> seen;
    for (QAction* action : f.findChildren<QAction*>()) {
        if (!action->shortcut().isEmpty()) {
            EXPECT_FALSE(seen.contains(action->shortcut()))
                << action->shortcut().toString().toStdString();
            seen << action->shortcut();
        }
    }
}
