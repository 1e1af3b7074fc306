#include "FileKinds.h"

#include <gtest/gtest.h>

using namespace filekinds;

// The dialogs' texts are the ones every installation has shown, in their
// order; the open dialog offers the note kinds and every file.
TEST(FileKinds, FilterTextsKeepTheirWordingAndOrder) {
    EXPECT_EQ(
        SaveFilterText(),
        "データファイル(*.srt)|*.srt|XMLデータファイル(*.xml)|*.xml|データファイル(*.txt)|*.txt|"
        "Excelデータファイル(*.xls)|*.xls|Ver0.4データファイル(*.srt)|*.srt|"
        "Ver0.4XMLデータファイル(*.xml)|*.xml|全てのファイル(*.*)|*.*");
    EXPECT_EQ(OpenFilterText(),
              "データファイル(*.srt)|*.srt|データファイル(*.xml)|*.xml|データファイル(*.txt)|*.txt|"
              "全てのファイル(*.*)|*.*");
}

TEST(FileKinds, SavePositionsGiveLayoutAndWriter) {
    ASSERT_EQ(SaveKindAt(0), nullptr);
    ASSERT_EQ(SaveKindAt(8), nullptr);
    for (int position : {1, 2, 3}) {
        EXPECT_EQ(SaveKindAt(position)->layout, Layout::Current) << position;
        EXPECT_EQ(SaveKindAt(position)->writer, Writer::Note) << position;
    }
    EXPECT_EQ(SaveKindAt(4)->writer, Writer::Spreadsheet);
    EXPECT_EQ(SaveKindAt(5)->layout, Layout::Format04);
    EXPECT_EQ(SaveKindAt(5)->archive, Archive::Text);
    EXPECT_EQ(SaveKindAt(6)->layout, Layout::Format04);
    EXPECT_EQ(SaveKindAt(6)->archive, Archive::Xml);
    EXPECT_EQ(SaveKindAt(7)->writer, Writer::None);
    EXPECT_EQ(SavePositionOf(Writer::Spreadsheet), 4);
    EXPECT_EQ(SavePositionOf(Writer::Note), kFirstSavePosition);
}

TEST(FileKinds, ExtensionIsTakenFromTheFileNamePartOnly) {
    EXPECT_EQ(Extension("a/b.c/note"), "");
    EXPECT_EQ(Extension("a/b.c/note.srt"), ".srt");
    EXPECT_EQ(Extension("note.tar.xml"), ".xml");
    EXPECT_EQ(Extension("note."), ".");
    EXPECT_EQ(Extension(".xls"), ".xls");
    EXPECT_EQ(Extension(""), "");
}

TEST(FileKinds, NamesStandForTheFirstKindWithTheirExactExtension) {
    EXPECT_EQ(KindOfName("n.srt"), SaveKindAt(1));
    EXPECT_EQ(KindOfName("n.xml"), SaveKindAt(2));
    EXPECT_EQ(KindOfName("n.txt"), SaveKindAt(3));
    EXPECT_EQ(KindOfName("dir/n.xls"), SaveKindAt(4));
    EXPECT_EQ(KindOfName("n.SRT"), nullptr);
    EXPECT_EQ(KindOfName("n.xls/n"), nullptr);
    EXPECT_EQ(KindOfName("n"), nullptr);
    EXPECT_EQ(KindOfName("n."), nullptr);
    EXPECT_EQ(ArchiveToRead("n.xml"), Archive::Xml);
    EXPECT_EQ(ArchiveToRead("n.XML"), Archive::Text);
    EXPECT_EQ(ArchiveToRead("n.xml/n"), Archive::Text);
}

TEST(FileKinds, ANameWithoutExtensionTakesTheChosenKinds) {
    EXPECT_EQ(NameWithExtension("/w/note2", *SaveKindAt(2)), "/w/note2.xml");
    EXPECT_EQ(NameWithExtension("/w/note2", *SaveKindAt(5)), "/w/note2.srt");
    EXPECT_EQ(NameWithExtension("/w.d/note2", *SaveKindAt(4)), "/w.d/note2.xls");
    EXPECT_EQ(NameWithExtension("/w/note2.srt", *SaveKindAt(2)), "/w/note2.srt");
    EXPECT_EQ(NameWithExtension("/w/note2", *SaveKindAt(7)), "/w/note2");
    EXPECT_EQ(NameWithExtension("/w/", *SaveKindAt(1)), "/w/");
}
