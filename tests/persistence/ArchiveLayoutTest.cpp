// The bytes our writers produce, compared with hand-written files of the
// existing layout.
#include "ArchiveObjects.h"
#include "Archives.h"
#include "MasterFile.h"
#include "NoteFiles.h"
#include "PersistenceTestSupport.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace testsupport;

namespace {

std::string TextNote(const NoteContainers& note) {
    std::ostringstream out;
    {
        persistence::TextOArchive ar(out);
        persistence::WriteNoteObjects(ar, note.basedata1, note);
    }
    return out.str();
}

std::string XmlNote(const NoteContainers& note) {
    std::ostringstream out;
    {
        persistence::XmlOArchive ar(out);
        persistence::WriteNoteObjects(ar, note.basedata1, note);
        ar.Finish();
    }
    return out.str();
}

NoteContainers MasterExample() {
    NoteContainers note;
    note.owner_ma_lo = {
        owner(S("X商店"), "", "000-0000", "", "", "a@example.jp", 1001, "000-0000-0000", "", "")};
    note.customer_ma_lo = {customer("Y", "", "", "", "", "", 10001)};
    note.menuitem1 = {S("品目1"), S("品目2")};
    note.menuitem2 = {S("仕様1"), S("仕様2")};
    note.menuitem3 = {S("単位1"), S("単位2")};
    return note;
}

} // namespace

TEST(ArchiveLayout, WorkedExampleFromTheWindowMatchesTheExistingLayout) {
    ScratchDir dir;
    for (const char* ext : {".srt", ".xml"}) {
        for (const char* rate : {"5", "10"}) {
            MemoryWindow window;
            NoteContainers note;
            FillWorkedExample(window, note);
            window.SetField(field::TaxRate, rate);
            const std::string path = dir.File(std::string("note") + ext);
            ASSERT_EQ(notefiles::WriteNoteFile(path, note, window),
                      notefiles::WriteResult::Written);
            EXPECT_EQ(
                ReadBytes(path),
                WithRateKept(ReadBytes(DataPath(std::string("notes/worked-example") + ext)), rate))
                << ext << " " << rate;
            EXPECT_TRUE(window.Messages().empty());
        }
    }
}

TEST(ArchiveLayout, WorkedExampleRecordsMatchTheExistingLayout) {
    const NoteContainers note = WorkedExampleRecords();
    EXPECT_EQ(TextNote(note), ReadBytes(DataPath("notes/worked-example.srt")));
    EXPECT_EQ(XmlNote(note), ReadBytes(DataPath("notes/worked-example.xml")));
}

TEST(ArchiveLayout, MasterExampleMatchesTheExistingLayout) {
    const NoteContainers note = MasterExample();
    EXPECT_EQ(masterfile::MasterTextBytes(note), ReadBytes(DataPath("master/example-master.dat")));
    EXPECT_EQ(masterfile::MasterXmlBytes(note), ReadBytes(DataPath("master/example-master.xml")));
}

TEST(ArchiveLayout, QuantitiesInSeventeenDigits) {
    EXPECT_EQ(persistence::DoubleText(2), "2");
    EXPECT_EQ(persistence::DoubleText(1.5), "1.5");
    EXPECT_EQ(persistence::DoubleText(0.1), "0.10000000000000001");
    EXPECT_EQ(persistence::DoubleText(-2.5), "-2.5");
    EXPECT_EQ(persistence::DoubleText(1e20), "1e+20");
    EXPECT_THROW(persistence::DoubleText(1.0 / 0.0), boost::archive::archive_exception);

    NoteContainers note = WorkedExampleRecords();
    note.hinmokulist[1].suryou = 0.1;
    EXPECT_NE(TextNote(note).find(" 0.10000000000000001 "), std::string::npos);
    EXPECT_NE(XmlNote(note).find("<suryou>0.10000000000000001</suryou>"), std::string::npos);
}

TEST(ArchiveLayout, TextLengthsCountBytes) {
    NoteContainers note = WorkedExampleRecords();
    note.basedata1[0].soeji = S("御中");
    EXPECT_NE(TextNote(note).find(" 4 " + S("御中") + " "), std::string::npos);
}

TEST(ArchiveLayout, XmlEscapesMarkupInTexts) {
    NoteContainers note = WorkedExampleRecords();
    note.hinmokulist[1].tekiyou = "a&b<c>\"'";
    EXPECT_NE(XmlNote(note).find("<tekiyou>a&amp;b&lt;c&gt;&quot;&apos;</tekiyou>"),
              std::string::npos);
}

TEST(ArchiveLayout, SecondIssuerCarriesOnlyItsObjectId) {
    NoteContainers note = WorkedExampleRecords();
    note.owner1.push_back(owner("C", "", "", "", "", "", 1002, "", "", ""));
    const std::string text = TextNote(note);
    // First issuer: class information, then object id 0 on a new line; the
    // second: object id 1 only; the customer then gets object id 2.
    EXPECT_NE(text.find(" 0 0 2 1 0\n0 0 0 1 A "), std::string::npos) << text;
    EXPECT_NE(text.find("1001 0  0  0 \n1 1 C "), std::string::npos) << text;
    EXPECT_NE(text.find(" 0 0 1 1 0\n2 1 B "), std::string::npos) << text;
    // XML archives carry no object ids.
    EXPECT_EQ(XmlNote(note).find("object_id"), std::string::npos);
}

TEST(ArchiveLayout, EmptyIssuerListLeavesClassNumbersToTheCustomer) {
    NoteContainers note = WorkedExampleRecords();
    note.owner1.clear();
    const std::string xml = XmlNote(note);
    EXPECT_NE(xml.find("<owner1 class_id=\"5\" tracking_level=\"0\" version=\"0\">\n\t<count>0</"
                       "count>\n</owner1>"),
              std::string::npos)
        << xml;
    EXPECT_NE(xml.find("<customer1 class_id=\"6\""), std::string::npos);
    EXPECT_NE(xml.find("<item class_id=\"7\" tracking_level=\"0\" version=\"0\">\n\t\t<person "
                       "class_id=\"8\" tracking_level=\"0\" version=\"0\">"),
              std::string::npos);
    const std::string text = TextNote(note);
    EXPECT_NE(text.find(" 0 0 0 0 0 1 1 0\n0 0 0 1 B "), std::string::npos) << text;
}

TEST(ArchiveLayout, OldLayoutHeaderHasVersionTwoAndFourFields) {
    ScratchDir dir;
    MemoryWindow window;
    NoteContainers note;
    FillWorkedExample(window, note);
    const std::string xmlPath = dir.File("g.xml");
    ASSERT_EQ(notefiles::WriteNoteFileAs(xmlPath, notefiles::Layout::Format04, note, window),
              notefiles::WriteResult::Written);
    const std::string xml = ReadBytes(xmlPath);
    EXPECT_NE(xml.find("<basedata1 class_id=\"0\" tracking_level=\"0\" version=\"0\">\n\t<count>1"
                       "</count>\n\t<item class_id=\"1\" tracking_level=\"0\" version=\"2\">"),
              std::string::npos);
    EXPECT_NE(xml.find("<zeiflag>0</zeiflag>\n\t</item>"), std::string::npos);
    EXPECT_EQ(xml.find("syubetu"), std::string::npos);
    // The current header list is not rebuilt by an old-layout save.
    EXPECT_TRUE(note.basedata1.empty());

    const std::string textPath = dir.File("e.txt");
    ASSERT_EQ(notefiles::WriteNoteFileAs(textPath, notefiles::Layout::Format04, note, window),
              notefiles::WriteResult::Written);
    std::string old = ReadBytes(DataPath("notes/worked-example.srt"));
    old.replace(old.find(" 0 3 12 "), 8, " 0 2 12 ");
    old.replace(old.find("4 0001 0 0 1 5 "), 15, "4 0001 0 ");
    EXPECT_EQ(ReadBytes(textPath), old);
}
