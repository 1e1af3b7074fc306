// Reading note and master archives: older class versions, line ends,
// refused headers, element names, and damaged files of every kind.
#include "ArchiveObjects.h"
#include "Archives.h"
#include "NoteFixtures.h"

#include <boost/archive/archive_exception.hpp>
#include <gtest/gtest.h>

#include <chrono>
#include <sstream>

using namespace testsupport;
using boost::archive::archive_exception;

namespace {

NoteContainers ReadText(const std::string& bytes) {
    std::istringstream in(bytes);
    persistence::TextIArchive ar(in);
    NoteContainers note;
    persistence::ReadNoteObjects(ar, note);
    return note;
}

NoteContainers ReadXml(const std::string& bytes) {
    std::istringstream in(bytes);
    persistence::XmlIArchive ar(in);
    NoteContainers note;
    persistence::ReadNoteObjects(ar, note);
    ar.Finish();
    return note;
}

// The archive exception's code, or -1 when reading succeeded.
template <class Reader> int ErrorCode(Reader read, const std::string& bytes) {
    try {
        read(bytes);
    } catch (const archive_exception& e) {
        return e.code;
    }
    return -1;
}

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    const size_t pos = text.find(from);
    EXPECT_NE(pos, std::string::npos) << from;
    if (pos != std::string::npos) {
        text.replace(pos, from.size(), to);
    }
    return text;
}

std::string WithCrLf(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\n') {
            out += '\r';
        }
        out += c;
    }
    return out;
}

void ExpectWorkedExample(const NoteContainers& note) {
    const NoteContainers expected = WorkedExampleRecords();
    EXPECT_EQ(note.basedata_load, expected.basedata1);
    EXPECT_EQ(note.hinmokulist_load, expected.hinmokulist);
    EXPECT_EQ(note.owner_load, expected.owner1);
    EXPECT_EQ(note.customer_load, expected.customer1);
}

const std::string& TextExample() {
    static const std::string bytes = ReadBytes(DataPath("notes/worked-example.srt"));
    return bytes;
}

const std::string& XmlExample() {
    static const std::string bytes = ReadBytes(DataPath("notes/worked-example.xml"));
    return bytes;
}

} // namespace

TEST(ArchiveRead, WorkedExampleWithEitherLineEnd) {
    ExpectWorkedExample(ReadText(TextExample()));
    ExpectWorkedExample(ReadXml(XmlExample()));
    ExpectWorkedExample(ReadText(WithCrLf(TextExample())));
    ExpectWorkedExample(ReadXml(WithCrLf(XmlExample())));
}

TEST(ArchiveRead, OlderHeaderVersionsKeepDefaultsInTheMissingFields) {
    const std::string v3 = TextExample();
    const std::string v2 =
        Replaced(Replaced(v3, " 0 3 12 ", " 0 2 12 "), "4 0001 0 0 1 5 ", "4 0001 1 ");
    const std::string v1 =
        Replaced(Replaced(v3, " 0 3 12 ", " 0 1 12 "), "4 0001 0 0 1 5 ", "4 0001 ");
    const std::string v0 =
        Replaced(Replaced(v3, " 0 3 12 ", " 0 0 12 "), "2 " + S("様") + " 4 0001 0 0 1 5 ", "");

    EXPECT_EQ(ReadText(v2).basedata_load.at(0),
              basedata(S("2007年7月5日"), S("様"), "0001", 1, 0, 0, 0));
    EXPECT_EQ(ReadText(v1).basedata_load.at(0),
              basedata(S("2007年7月5日"), S("様"), "0001", 0, 0, 0, 0));
    EXPECT_EQ(ReadText(v0).basedata_load.at(0), basedata(S("2007年7月5日"), "", "", 0, 0, 0, 0));
    // The rest of the note reads as before.
    EXPECT_EQ(ReadText(v0).customer_load.at(0).customerno_, 10001);
}

TEST(ArchiveRead, LineOfVersionZeroHasNoRemarks) {
    const std::string v0 = Replaced(Replaced(TextExample(), " 0 1 1 5 ", " 0 0 1 5 "),
                                    "1000 2000 0  0 0 1", "1000 2000 0 0 1");
    const NoteContainers note = ReadText(v0);
    EXPECT_EQ(note.hinmokulist_load.at(1),
              hinmoku(1, S("品目1"), S("仕様1"), 2, S("単位1"), 1000, 2000, ""));
    EXPECT_EQ(note.owner_load.at(0).ownerno, 1001);
}

TEST(ArchiveRead, NewerClassVersionsAreRefused) {
    EXPECT_EQ(ErrorCode(ReadText, Replaced(TextExample(), " 0 3 12 ", " 0 4 12 ")),
              archive_exception::unsupported_class_version);
    EXPECT_EQ(ErrorCode(ReadText, Replaced(TextExample(), " 0 1 1 5 ", " 0 2 1 5 ")),
              archive_exception::unsupported_class_version);
    EXPECT_EQ(ErrorCode(ReadXml, Replaced(XmlExample(), "tracking_level=\"0\" version=\"3\"",
                                          "tracking_level=\"0\" version=\"4\"")),
              archive_exception::unsupported_class_version);
    // Collections and the contact block have version 0.
    EXPECT_EQ(ErrorCode(ReadText, Replaced(TextExample(), "3 0 0 1 0 3", "3 0 1 1 0 3")),
              archive_exception::unsupported_class_version);
    EXPECT_EQ(ErrorCode(ReadText, Replaced(TextExample(), "\n0 0 0 1 A", "\n0 0 1 1 A")),
              archive_exception::unsupported_class_version);
}

TEST(ArchiveRead, HeadersAreChecked) {
    EXPECT_EQ(ErrorCode(ReadText, Replaced(TextExample(), "serialization::archive",
                                           "serialization::archivX")),
              archive_exception::invalid_signature);
    EXPECT_EQ(ErrorCode(ReadText, Replaced(TextExample(), "archive 3 ", "archive 19 ")),
              archive_exception::unsupported_version);
    EXPECT_NE(ErrorCode(ReadText, "garbage"), -1);
    EXPECT_NE(ErrorCode(ReadText, ""), -1);

    EXPECT_EQ(ErrorCode(ReadXml, Replaced(XmlExample(), "signature=\"serialization::archive\"",
                                          "signature=\"serialization::archive_and_more\"")),
              archive_exception::invalid_signature);
    EXPECT_EQ(ErrorCode(ReadXml, Replaced(XmlExample(), "signature=\"serialization::archive\"",
                                          "signature=\"\"")),
              archive_exception::invalid_signature);
    EXPECT_EQ(ErrorCode(ReadXml, Replaced(XmlExample(), "version=\"3\">\n<basedata1",
                                          "version=\"19\">\n<basedata1")),
              archive_exception::unsupported_version);
    EXPECT_NE(ErrorCode(ReadXml, ""), -1);
    EXPECT_NE(ErrorCode(ReadXml, TextExample()), -1);
}

TEST(ArchiveRead, XmlNamesAreComparedBelowTheTopLevelOnly) {
    std::string renamed = Replaced(XmlExample(), "<basedata1 ", "<basedata_load ");
    renamed = Replaced(renamed, "</basedata1>", "</basedata_load>");
    renamed = Replaced(renamed, "<owner1 ", "<anything ");
    renamed = Replaced(renamed, "</owner1>", "</anything>");
    ExpectWorkedExample(ReadXml(renamed));

    std::string wrong = Replaced(XmlExample(), "<seikyudate>", "<seikyubi>");
    wrong = Replaced(wrong, "</seikyudate>", "</seikyubi>");
    EXPECT_NE(ErrorCode(ReadXml, wrong), -1);
    // A longer name than expected is compared without reading past the
    // expected one.
    wrong = Replaced(XmlExample(), "<count>1</count>",
                     "<countcountcountcountcount>1</countcountcountcountcount>");
    EXPECT_NE(ErrorCode(ReadXml, wrong), -1);
}

TEST(ArchiveRead, MarkupAndEveryByteInTextsComeBack) {
    NoteContainers note = WorkedExampleRecords();
    std::string every;
    for (int b = 0x20; b < 0x100; ++b) {
        every += static_cast<char>(b);
    }
    note.hinmokulist[1].tekiyou = "a&b<c>\"'" + every + "\t\x01\x1f";
    for (bool xml : {false, true}) {
        std::ostringstream out;
        if (xml) {
            persistence::XmlOArchive ar(out);
            persistence::WriteNoteObjects(ar, note.basedata1, note);
            ar.Finish();
        } else {
            persistence::TextOArchive ar(out);
            persistence::WriteNoteObjects(ar, note.basedata1, note);
        }
        const NoteContainers back = xml ? ReadXml(out.str()) : ReadText(out.str());
        EXPECT_EQ(back.hinmokulist_load.at(1).tekiyou, note.hinmokulist[1].tekiyou) << xml;
    }
}

TEST(ArchiveRead, TruncatedFilesGiveArchiveErrors) {
    // Every prefix of the XML example that ends before the closing root tag
    // is complete lacks at least that tag.
    const std::string& xml = XmlExample();
    for (size_t n = 0; n <= xml.rfind('>'); ++n) {
        EXPECT_NE(ErrorCode(ReadXml, xml.substr(0, n)), -1) << n;
    }
    // A text archive has no closing mark: a prefix that cuts only into the
    // last number reads a smaller number. Every shorter one is an error.
    const std::string& text = TextExample();
    const size_t lastNumber = text.rfind(' ') + 1;
    for (size_t n = 0; n < lastNumber; ++n) {
        EXPECT_NE(ErrorCode(ReadText, text.substr(0, n)), -1) << n;
    }
}

TEST(ArchiveRead, DamagedBytesNeverCrash) {
    // Each byte in turn replaced by characters that break numbers, lengths
    // and tags; the read either fails cleanly or succeeds.
    for (const std::string* file : {&TextExample(), &XmlExample()}) {
        for (size_t i = 0; i < file->size(); ++i) {
            for (char c : {'9', '<', '-', '\0'}) {
                std::string damaged = *file;
                damaged[i] = c;
                try {
                    if (file == &TextExample()) {
                        ReadText(damaged);
                    } else {
                        ReadXml(damaged);
                    }
                } catch (const std::exception&) {
                }
            }
        }
    }
    SUCCEED();
}

TEST(ArchiveRead, HugeLengthsAndCountsAreRefusedAtOnce) {
    const auto start = std::chrono::steady_clock::now();
    EXPECT_NE(ErrorCode(ReadText, Replaced(TextExample(), "3 0 0 1 0 3", "3 0 0 4294967295 0 3")),
              -1);
    EXPECT_NE(ErrorCode(ReadText,
                        Replaced(TextExample(), "3 0 0 1 0 3", "3 0 0 18446744073709551615 0 3")),
              -1);
    EXPECT_NE(ErrorCode(ReadText, Replaced(TextExample(), " 12 ", " 4000000000 ")), -1);
    EXPECT_NE(ErrorCode(ReadText, Replaced(TextExample(), " 12 ", " 218 ")), -1);
    EXPECT_NE(ErrorCode(ReadText, Replaced(TextExample(), " 12 ", " -1 ")), -1);
    EXPECT_NE(ErrorCode(ReadXml, Replaced(XmlExample(), "<count>1</count>",
                                          "<count>18446744073709551615</count>")),
              -1);
    EXPECT_NE(ErrorCode(ReadXml, Replaced(XmlExample(), "<count>1</count>", "<count>5000</count>")),
              -1);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
}

TEST(ArchiveRead, MasterExampleReadsIntoTheGivenLists) {
    std::istringstream in(ReadBytes(DataPath("master/example-master.xml")));
    persistence::XmlIArchive ar(in);
    NoteContainers note;
    note.int_owner_no = 7;
    note.int_customer_no = 7;
    ownerlist issuers;
    customerlist customers;
    wordlist w1, w2, w3;
    persistence::ReadMasterObjects(ar, note, issuers, customers, w1, w2, w3);
    ar.Finish();
    ASSERT_EQ(issuers.size(), 1u);
    EXPECT_EQ(issuers[0].name, S("X商店"));
    EXPECT_EQ(issuers[0].mail, "a@example.jp");
    EXPECT_EQ(issuers[0].tele, "000-0000-0000");
    ASSERT_EQ(customers.size(), 1u);
    EXPECT_EQ(customers[0].customerno_, 10001);
    EXPECT_EQ(note.int_owner_no, 0);
    EXPECT_EQ(note.int_customer_no, 0);
    EXPECT_EQ(w2, (wordlist{S("仕様1"), S("仕様2")}));
    EXPECT_EQ(w3, (wordlist{S("単位1"), S("単位2")}));
    EXPECT_TRUE(note.owner_ma_lo.empty());
}
