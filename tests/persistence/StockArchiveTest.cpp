// Files written by the library's stock archives (its own archive version,
// item versions in collections, doubles in scientific notation) open like
// our own. This file uses the library's collection code, so it is a test
// program of its own.
#include "FileIO.h"
#include "MasterFile.h"
#include "NoteFiles.h"
#include "PersistenceTestSupport.h"
#include "RecordSerialization.h"

#include <boost/archive/text_iarchive.hpp>
#include <boost/archive/text_oarchive.hpp>
#include <boost/archive/xml_iarchive.hpp>
#include <boost/archive/xml_oarchive.hpp>
#include <boost/serialization/map.hpp>
#include <boost/serialization/utility.hpp>
#include <boost/serialization/vector.hpp>
#include <gtest/gtest.h>

#include <fstream>

using namespace testsupport;
using boost::serialization::make_nvp;

namespace {

// As in our text archives, issuers and customers are tracked in stock text
// archives too.
const bool trackedInStockTextArchives = [] {
    using boost::archive::detail::ptr_serialization_support;
    ptr_serialization_support<boost::archive::text_oarchive, owner>::instantiate();
    ptr_serialization_support<boost::archive::text_oarchive, customer>::instantiate();
    return true;
}();

NoteContainers Example() {
    NoteContainers note = WorkedExampleRecords();
    note.hinmokulist[2] = hinmoku(2, "x", "", 1.5, "", 333, 499, S("摘要"));
    note.owner1.push_back(owner("C", "", "", "", "", "", 1002, "", "", ""));
    return note;
}

template <class Archive> void WriteStock(Archive& ar, const NoteContainers& note) {
    ar << make_nvp("basedata1", note.basedata1);
    ar << make_nvp("hinmokulist", note.hinmokulist);
    ar << make_nvp("owner1", note.owner1);
    ar << make_nvp("customer1", note.customer1);
}

} // namespace

TEST(StockArchives, NotesOfTheLibrarysOwnVersionOpen) {
    ScratchDir dir;
    const NoteContainers note = Example();
    const std::string text = dir.File("stock.srt");
    const std::string xml = dir.File("stock.xml");
    {
        std::ofstream out(text);
        boost::archive::text_oarchive ar(out);
        WriteStock(ar, note);
    }
    {
        std::ofstream out(xml);
        boost::archive::xml_oarchive ar(out);
        WriteStock(ar, note);
    }
    const std::string textBytes = ReadBytes(text);
    ASSERT_EQ(textBytes.rfind("22 serialization::archive 18 ", 0), 0u);
    ASSERT_NE(ReadBytes(xml).find("<item_version>"), std::string::npos);

    for (const std::string& path : {text, xml}) {
        MemoryWindow window;
        NoteContainers read;
        ASSERT_TRUE(notefiles::ReadNoteFile(path, read, window)) << path;
        EXPECT_EQ(read.basedata_load, note.basedata1);
        EXPECT_EQ(read.hinmokulist_load, note.hinmokulist);
        EXPECT_EQ(read.owner_load, note.owner1);
        EXPECT_EQ(read.customer_load, note.customer1);
    }
}

TEST(StockArchives, MasterFileOfTheLibrarysOwnVersionIsRead) {
    ScratchDir dir;
    NoteContainers master;
    master.owner_ma_lo = {masterfile::SampleIssuer(),
                          owner("B", "", "", "", "", "", 2, "", "", "")};
    master.int_owner_no = 1;
    master.customer_ma_lo = {masterfile::SampleCustomer()};
    master.menuitem1 = {"w1"};
    master.menuitem3 = {"u1", "u2", "u3"};
    const std::string path = dir.File("master.xml");
    {
        std::ofstream out(path);
        boost::archive::xml_oarchive ar(out);
        ar << make_nvp("owner_ma", master.owner_ma_lo);
        ar << make_nvp("int_owner_no", master.int_owner_no);
        ar << make_nvp("customer_ma", master.customer_ma_lo);
        ar << make_nvp("int_customer_no", master.int_customer_no);
        ar << make_nvp("str_menuitem1", master.menuitem1);
        ar << make_nvp("str_menuitem2", master.menuitem2);
        ar << make_nvp("str_menuitem3", master.menuitem3);
    }
    MemoryWindow window;
    NoteContainers note;
    ownerlist issuers;
    customerlist customers;
    wordlist w1, w2, w3;
    ASSERT_TRUE(masterfile::ReadMasterFile(path, note, issuers, customers, w1, w2, w3, window));
    EXPECT_EQ(issuers, master.owner_ma_lo);
    EXPECT_EQ(note.int_owner_no, 1);
    EXPECT_EQ(customers, master.customer_ma_lo);
    EXPECT_EQ(w1, master.menuitem1);
    EXPECT_TRUE(w2.empty());
    EXPECT_EQ(w3, master.menuitem3);
}

TEST(StockArchives, OurFilesReadWithTheStockReaders) {
    // The other direction: what we write is a valid archive of the library.
    std::ifstream in(DataPath("notes/worked-example.srt"));
    boost::archive::text_iarchive ar(in);
    NoteContainers note;
    ar >> make_nvp("basedata1", note.basedata_load);
    ar >> make_nvp("hinmokulist", note.hinmokulist_load);
    ar >> make_nvp("owner1", note.owner_load);
    ar >> make_nvp("customer1", note.customer_load);
    EXPECT_EQ(note.basedata_load, WorkedExampleRecords().basedata1);
    EXPECT_EQ(note.customer_load, WorkedExampleRecords().customer1);
}

TEST(StockArchives, QualifiedNotesReadWithTheStockReaders) {
    // A note that keeps its rate and has a reduced-rate line: existing
    // readers see the same classes and fields as ever.
    ScratchDir dir;
    for (const char* name : {"q.srt", "q.xml"}) {
        MemoryWindow window;
        NoteContainers note;
        FillWorkedExample(window, note);
        window.SetField(field::TaxRate, "10");
        window.SetCell(col::Name, 2, S("※お茶"));
        window.SetCell(col::Quantity, 2, "2");
        window.SetCell(col::UnitPrice, 2, "1080");
        const std::string path = dir.File(name);
        ASSERT_EQ(notefiles::WriteNoteFile(path, note, window), notefiles::WriteResult::Written);
        std::ifstream in(path);
        NoteContainers read;
        if (std::string(name).ends_with(".xml")) {
            boost::archive::xml_iarchive ar(in);
            ar >> make_nvp("basedata1", read.basedata_load);
            ar >> make_nvp("hinmokulist", read.hinmokulist_load);
            ar >> make_nvp("owner1", read.owner_load);
            ar >> make_nvp("customer1", read.customer_load);
        } else {
            boost::archive::text_iarchive ar(in);
            ar >> make_nvp("basedata1", read.basedata_load);
            ar >> make_nvp("hinmokulist", read.hinmokulist_load);
            ar >> make_nvp("owner1", read.owner_load);
            ar >> make_nvp("customer1", read.customer_load);
        }
        EXPECT_EQ(read.basedata_load,
                  basedatalist{basedata(S("2007年7月5日"), S("様"), "0001", 0, 0, 2, 10)});
        EXPECT_EQ(read.hinmokulist_load.at(2).kojiname, S("※お茶"));
        EXPECT_EQ(read.owner_load, note.owner1);
    }
}
