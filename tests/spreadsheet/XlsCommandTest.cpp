// notorio-cli xls: the opened note's grid written as the export writes it.
#include "BiffTestUtil.h"
#include "Cp932.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <sys/wait.h>

namespace {

struct CliRun {
    int status;
    std::string err;
};

CliRun RunXls(const std::string& note, const std::string& out, const bifftest::TempDir& dir) {
    const std::string errFile = dir.File("stderr.txt");
    const std::string command = std::string(NOTORIO_CLI) + " xls '" + note + "' '" + out +
                                "' >/dev/null 2>'" + errFile + "'";
    const int status = std::system(command.c_str());
    CliRun run{WIFEXITED(status) ? WEXITSTATUS(status) : -1, bifftest::ReadFile(errFile)};
    std::filesystem::remove(errFile);
    return run;
}

const std::string WorkedExample = std::string(NOTORIO_TEST_DATA) + "/notes/worked-example.srt";

} // namespace

TEST(XlsCommand, WritesTheOpenedNotesGridFromB8) {
    bifftest::TempDir dir;
    const std::string out = dir.File("note.xls");
    CliRun run = RunXls(WorkedExample, out, dir);
    ASSERT_EQ(run.status, 0) << run.err;

    const std::string bytes = bifftest::ReadFile(out);
    auto records = bifftest::Records(bytes);
    ASSERT_GE(records.size(), 3u);
    ASSERT_EQ(records[2].number, 0x0000u); // DIMENSIONS after BOF and CODEPAGE
    EXPECT_EQ(bifftest::U16(records[2].data, 2), 30u);
    EXPECT_EQ(bifftest::U16(records[2].data, 6), 11u);
    EXPECT_EQ(records.back().number, 0x0Au);

    auto cells = bifftest::SheetCells(bytes);
    EXPECT_EQ(bifftest::CellAt(cells, 7, 2).value, S("名称"));
    EXPECT_EQ(bifftest::CellAt(cells, 7, 7).value, S("税抜き金額"));
    EXPECT_EQ(bifftest::CellAt(cells, 27, 1).value, "20");
    EXPECT_EQ(bifftest::CellAt(cells, 8, 2).value, S("品目1"));
    // The amount is the recalculated one, written as a whole number.
    EXPECT_EQ(bifftest::CellAt(cells, 8, 7).record, 2u);
    EXPECT_EQ(bifftest::CellAt(cells, 8, 7).value, "2000");
}

TEST(XlsCommand, FailuresExitWithOneAndLeaveNoFile) {
    bifftest::TempDir dir;
    for (const char* name : {"note.XLS", "note.xlsx"}) {
        CliRun run = RunXls(WorkedExample, dir.File(name), dir);
        EXPECT_EQ(run.status, 1) << name;
        EXPECT_FALSE(std::filesystem::exists(dir.File(name))) << name;
    }

    CliRun unreadable = RunXls(dir.File("missing.srt"), dir.File("a.xls"), dir);
    EXPECT_EQ(unreadable.status, 1);
    EXPECT_FALSE(std::filesystem::exists(dir.File("a.xls")));

    const std::string blocked = dir.File("no-folder/a.xls");
    CliRun uncreatable = RunXls(WorkedExample, blocked, dir);
    EXPECT_EQ(uncreatable.status, 1);
    EXPECT_EQ(uncreatable.err, "ファイル " + blocked + " を作成できません\n");
}
