// The settings file and the dialog filters, without a window.
#include "AppSettings.h"
#include "DialogFilters.h"
#include "QtText.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using qttext::Q;

TEST(AppSettingsTest, EdgesAreIntegersOr30) {
    EXPECT_EQ(appsettings::EdgeFromText("120"), 120);
    EXPECT_EQ(appsettings::EdgeFromText("-8"), -8);
    EXPECT_EQ(appsettings::EdgeFromText("abc"), 30);
    EXPECT_EQ(appsettings::EdgeFromText(""), 30);
    EXPECT_EQ(appsettings::EdgeFromText("12.5"), 30);
    EXPECT_EQ(appsettings::EdgeFromText("99999999999"), 30);
}

TEST(AppSettingsTest, MissingFileAndKeysGiveDefaultsAndWrittenValuesReadBack) {
    QTemporaryDir dir;
    const QString path = dir.filePath("Slipr.ini");
    appsettings::WindowSettings missing = appsettings::Read(path, "/opt/notorio");
    EXPECT_EQ(missing.folder, "/opt/notorio");
    EXPECT_EQ(missing.top, 30);
    EXPECT_EQ(missing.left, 30);

    QFile partial(path);
    ASSERT_TRUE(partial.open(QIODevice::WriteOnly));
    partial.write("[POS]\nLeft=77\n");
    partial.close();
    const appsettings::WindowSettings some = appsettings::Read(path, "/opt/notorio");
    EXPECT_EQ(some.folder, "/opt/notorio");
    EXPECT_EQ(some.top, 30);
    EXPECT_EQ(some.left, 77);

    ASSERT_TRUE(appsettings::Write(path, {Q("/home/利用者/伝票/"), 15, 25}));
    const appsettings::WindowSettings back = appsettings::Read(path, "/x");
    EXPECT_EQ(back.folder, Q("/home/利用者/伝票/"));
    EXPECT_EQ(back.top, 15);
    EXPECT_EQ(back.left, 25);
}

TEST(AppSettingsTest, WritingIntoMissingFolderFails) {
    QTemporaryDir dir;
    EXPECT_FALSE(appsettings::Write(dir.filePath("gone/Slipr.ini"), {"/", 1, 1}));
}

TEST(AppSettingsTest, IssueFolderLivesBesideTheWindowKeys) {
    QTemporaryDir dir;
    const QString path = dir.filePath("Slipr.ini");
    EXPECT_EQ(appsettings::ReadIssueFolder(path), QString());
    ASSERT_TRUE(appsettings::Write(path, {Q("/home/利用者/"), 15, 25}));
    ASSERT_TRUE(appsettings::WriteIssueFolder(path, Q("/home/利用者/発行済み")));
    EXPECT_EQ(appsettings::ReadIssueFolder(path), Q("/home/利用者/発行済み"));
    // Each writer keeps the other's keys.
    ASSERT_TRUE(appsettings::Write(path, {Q("/srv/"), 1, 2}));
    EXPECT_EQ(appsettings::ReadIssueFolder(path), Q("/home/利用者/発行済み"));
    EXPECT_EQ(appsettings::Read(path, "/x").top, 1);
    // A settings file the user made read-only is left as it is.
    QFile::setPermissions(path, QFileDevice::ReadOwner);
    EXPECT_FALSE(appsettings::WriteIssueFolder(path, "/elsewhere"));
    EXPECT_EQ(appsettings::ReadIssueFolder(path), Q("/home/利用者/発行済み"));
}

TEST(AppSettingsTest, RememberedFolderIsTheNotesFolderWithSeparator) {
    EXPECT_EQ(appsettings::FolderToRemember("/data/notes/a.srt", "/work"), "/data/notes/");
    EXPECT_EQ(appsettings::FolderToRemember("", "/work"), "/work");
    EXPECT_EQ(appsettings::FolderToRemember("b.srt", "/work"), QDir::currentPath() + "/");
}

TEST(DialogFiltersTest, DescriptionsStayAndPatternsFollow) {
    const QStringList filters =
        dialogfilters::ToQtFilters(Q("データファイル(*.srt)|*.srt|全てのファイル(*.*)|*.*"));
    EXPECT_EQ(filters,
              (QStringList{Q("データファイル(*.srt) (*.srt)"), Q("全てのファイル(*.*) (*)")}));
    EXPECT_EQ(dialogfilters::ToQtFilters("Text|*.txt;*.srt|dangling"),
              QStringList{"Text (*.txt *.srt)"});
    EXPECT_TRUE(dialogfilters::ToQtFilters("").isEmpty());
}
