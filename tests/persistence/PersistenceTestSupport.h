// Helpers shared by the persistence tests: fixture files, a scratch
// folder, and the worked-example note in a window.
#pragma once

#include "Basedata.h"
#include "Cp932.h"
#include "MemoryWindow.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace testsupport {

inline std::string DataPath(const std::string& relative) {
    return std::string(NOTORIO_TEST_DATA) + "/" + relative;
}

inline std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

// A fresh folder under the system's temporary folder, removed at the end.
class ScratchDir {
public:
    ScratchDir() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "notorio-persistence-XXXXXX").string();
        path_ = ::mkdtemp(pattern.data());
    }
    ~ScratchDir() {
        std::error_code ec;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all, ec);
        std::filesystem::remove_all(path_, ec);
    }
    std::string File(const std::string& name) const { return path_ + "/" + name; }
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

// The note of the worked example: date 2007年7月5日, suffix 様, number 0001,
// tax mode 0, one line, issuer A (1001), customer B (10001).
inline void FillWorkedExample(MemoryWindow& window, NoteContainers& note) {
    window.ApplyStartupTexts(S("2007年7月5日"));
    window.SetField(2, "B");
    window.SetField(6, "A");
    window.SetField(16, "0001");
    window.SetField(18, S("様"));
    window.SetCell(1, 1, S("品目1"));
    window.SetCell(2, 1, S("仕様1"));
    window.SetCell(3, 1, "2");
    window.SetCell(4, 1, S("単位1"));
    window.SetCell(5, 1, "1000");
    window.SetCell(6, 1, "2000");
    note.owner1 = {owner("A", "", "", "", "", "", 1001, "", "", "")};
    note.customer1 = {customer("B", "", "", "", "", "", 10001)};
}

// An existing note file of the worked example as a save writes it now: the
// header's childcount 2 marks zeiritu as the rate field's integer. Nothing
// else may differ.
inline std::string WithRateKept(std::string bytes, const std::string& rate = "5") {
    const bool xml = bytes.find("<childcount>") != std::string::npos;
    const std::string from =
        xml ? "<childcount>1</childcount>\n\t\t<zeiritu>5<" : "4 0001 0 0 1 5 ";
    const std::string to = xml ? "<childcount>2</childcount>\n\t\t<zeiritu>" + rate + "<"
                               : "4 0001 0 0 2 " + rate + " ";
    const size_t at = bytes.find(from);
    EXPECT_NE(at, std::string::npos);
    if (at != std::string::npos) {
        bytes.replace(at, from.size(), to);
    }
    return bytes;
}

// The worked example as records.
inline NoteContainers WorkedExampleRecords() {
    NoteContainers note;
    note.basedata1 = {basedata(S("2007年7月5日"), S("様"), "0001", 0, 0, 1, 5)};
    note.hinmokulist[1] = hinmoku(1, S("品目1"), S("仕様1"), 2, S("単位1"), 1000, 2000, "");
    note.owner1 = {owner("A", "", "", "", "", "", 1001, "", "", "")};
    note.customer1 = {customer("B", "", "", "", "", "", 10001)};
    return note;
}

} // namespace testsupport
