// A file of the writer opened by another spreadsheet program (gnumeric's
// ssconvert), when one is installed: its numbers must read as written.
#include "Xwritebiff.h"

#include "BiffTestUtil.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

bool HaveSsconvert() {
    return std::system("command -v ssconvert >/dev/null 2>&1") == 0;
}

} // namespace

TEST(ExternalReader, SsconvertReadsTheNumbersAsWritten) {
    if (!HaveSsconvert()) {
        GTEST_SKIP() << "ssconvert (gnumeric) is not installed";
    }
    bifftest::TempDir dir;
    const std::string xls = dir.File("numbers.xls");
    const std::string csv = dir.File("numbers.csv");
    {
        TWriteBiff writer(xls, 3, 2);
        writer.WriteCell(0, 0, 0, "12");
        writer.WriteCell(0, 1, 0, "1.5");
        writer.WriteCell(1, 0, 0, "-5");
        writer.WriteCell(1, 1, 0, "32768");
        writer.WriteCell(2, 0, 0, "007");
        writer.WriteCell(2, 1, 0, ".5");
        writer.Finish();
    }
    const std::string command =
        "ssconvert --export-type=Gnumeric_stf:stf_csv '" + xls + "' '" + csv + "' >/dev/null 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0);
    EXPECT_EQ(bifftest::ReadFile(csv), "12,1.5\n-5,32768\n7,0.5\n");
}
