// The note commands as the window and notorio-cli use them, with dialogs
// answered from a script: save as and its file kinds, the export through
// save as, the close question, open, the tax-mode selector and grid clicks.
#include "NoteCommands.h"
#include "NoteFixtures.h"
#include "ScriptedDialogs.h"
#include "WindowRules.h"

#include <gtest/gtest.h>

using namespace testsupport;
using commands::Answer;
using commands::NoteCommands;
using commands::SaveChoice;

namespace {

// A window holding the worked example, with its commands.
struct Session {
    MemoryWindow window;
    NoteContainers note;
    ScriptedDialogs dialogs;
    NoteCommands notes{window, note, dialogs};
    Session() {
        FillWorkedExample(window, note);
        notes.MarkSaved();
    }
};

bool StartsWith(const std::string& text, const std::string& start) {
    return text.rfind(start, 0) == 0;
}

} // namespace

TEST(NoteCommands, ANameWithoutExtensionTakesTheChosenKind) {
    ScratchDir dir;
    Session s;
    // XMLデータファイル(*.xml) and "note2": an XML archive named note2.xml.
    s.dialogs.saves.push_back(SaveChoice{dir.File("note2"), 2});
    ASSERT_TRUE(s.notes.SaveAs());
    const std::string written = dir.File("note2.xml");
    EXPECT_EQ(FolderEntries(dir.Path()), std::vector<std::string>{"note2.xml"});
    EXPECT_TRUE(StartsWith(ReadBytes(written), "<?xml"));
    EXPECT_EQ(s.notes.currentFile, written);
    EXPECT_EQ(s.notes.saveTarget, written);
    EXPECT_EQ(s.window.Status(), cp932::FromUtf8(written) + S("で保存"));

    // Ver0.4データファイル(*.srt): a text archive in the 0.4 layout.
    s.dialogs.saves.push_back(SaveChoice{dir.File("old"), 5});
    ASSERT_TRUE(s.notes.SaveAs());
    EXPECT_TRUE(StartsWith(ReadBytes(dir.File("old.srt")), "22 serialization::archive"));
    EXPECT_NE(ReadBytes(dir.File("old.srt")).find(" 0 2 "), std::string::npos);

    // A name with an extension keeps it: the name decides the archive.
    s.dialogs.saves.push_back(SaveChoice{dir.File("plain.srt"), 2});
    ASSERT_TRUE(s.notes.SaveAs());
    EXPECT_TRUE(StartsWith(ReadBytes(dir.File("plain.srt")), "22 serialization::archive"));

    // Every file (*.*): the name as typed, which is no note name.
    s.dialogs.saves.push_back(SaveChoice{dir.File("bare"), 7});
    EXPECT_FALSE(s.notes.SaveAs());
    EXPECT_EQ(s.window.Status(), S("ファイル名が不正です"));
    EXPECT_EQ(s.notes.currentFile, dir.File("bare"));
    EXPECT_TRUE(s.dialogs.asked.empty());
}

TEST(NoteCommands, CancelledSaveAsChangesNothing) {
    Session s;
    s.notes.currentFile = "/w/open.srt";
    s.window.SetStatus("before");
    s.dialogs.saves.push_back(std::nullopt);
    EXPECT_FALSE(s.notes.SaveAs());
    EXPECT_EQ(s.dialogs.saveShown, 1);
    EXPECT_EQ(s.notes.currentFile, "/w/open.srt");
    EXPECT_EQ(s.window.Status(), "before");
}

TEST(NoteCommands, SaveAsASpreadsheetNameExportsTheGridWhenConfirmed) {
    ScratchDir dir;
    Session s;
    s.dialogs.saves.push_back(SaveChoice{dir.File("grid"), 4});
    s.dialogs.answers.push_back(Answer::Yes);
    ASSERT_TRUE(s.notes.SaveAs());
    ASSERT_EQ(s.dialogs.asked.size(), 1u);
    EXPECT_NE(s.dialogs.asked[0].find(S("Excelファイル書きだし")), std::string::npos);
    EXPECT_EQ(FolderEntries(dir.Path()), std::vector<std::string>{"grid.xls"});
    EXPECT_EQ(s.window.Status(), cp932::FromUtf8(dir.File("grid.xls")) + S("で保存"));
    // The exported grid is no saved note: the close question still asks.
    s.window.SetCell(1, 2, "x");
    EXPECT_TRUE(s.notes.HasUnsavedChanges());

    // Declined: no file, and the name is no note name.
    s.dialogs.saves.push_back(SaveChoice{dir.File("no.xls"), 1});
    s.dialogs.answers.push_back(Answer::No);
    EXPECT_FALSE(s.notes.SaveAs());
    EXPECT_EQ(FolderEntries(dir.Path()), std::vector<std::string>{"grid.xls"});
    EXPECT_EQ(s.window.Status(), S("ファイル名が不正です"));

    // A file that cannot be created is reported.
    s.dialogs.saves.push_back(SaveChoice{dir.File("missing/grid.xls"), 4});
    s.dialogs.answers.push_back(Answer::Yes);
    EXPECT_FALSE(s.notes.SaveAs());
    EXPECT_EQ(s.dialogs.errors.size(), 1u);
}

// The close question is asked whenever the note differs from what was last
// opened or saved, whichever control has the focus; texts that follow from
// the note (totals, cell position, cell editor) do not count.
TEST(NoteCommands, CloseAsksOnlyWhenTheNoteChanged) {
    Session s;
    EXPECT_TRUE(s.notes.MayClose());
    EXPECT_TRUE(s.dialogs.asked.empty());

    s.window.SetField(field::CellPosition, "x");
    s.window.SetField(field::CellEditor, "x");
    s.window.SetField(field::AmountTotal, "1");
    s.window.SetField(field::TaxInclusiveTotal, "1");
    s.window.SetField(field::Tax, "1");
    s.window.SetField(field::QuantityTotal, "1");
    EXPECT_FALSE(s.notes.HasUnsavedChanges());

    for (int number : {1, 2, 3, 9, 11, 16, 18}) {
        const std::string before = s.window.Field(number);
        s.window.SetField(number, before + "x");
        EXPECT_TRUE(s.notes.HasUnsavedChanges()) << number;
        s.window.SetField(number, before);
        EXPECT_FALSE(s.notes.HasUnsavedChanges()) << number;
    }
    s.window.SetCell(7, 20, "x");
    EXPECT_TRUE(s.notes.HasUnsavedChanges());
    s.window.SetCell(7, 20, "");
    s.window.SetTaxMode(1);
    EXPECT_TRUE(s.notes.HasUnsavedChanges());

    s.dialogs.answers.push_back(Answer::Cancel);
    EXPECT_TRUE(s.notes.MayClose());
    ASSERT_EQ(s.dialogs.asked.size(), 1u);
    EXPECT_EQ(
        s.dialogs.asked[0],
        S("データが編集されてます\n上書き保存しますか名前を付けて保存はいいえを押してください"));
    EXPECT_EQ(s.dialogs.saveShown, 0);
}

TEST(NoteCommands, CloseAnswersSaveAndASavedNoteIsNotAskedAbout) {
    ScratchDir dir;
    Session s;
    s.window.SetCell(1, 5, S("追加"));
    // はい without a file: save as; cancelled, so the window stays open.
    s.dialogs.answers.push_back(Answer::Yes);
    s.dialogs.saves.push_back(std::nullopt);
    EXPECT_FALSE(s.notes.MayClose());
    EXPECT_EQ(s.dialogs.saveShown, 1);

    // いいえ: save as under a new name, then nothing is asked any more.
    s.dialogs.answers.push_back(Answer::No);
    s.dialogs.saves.push_back(SaveChoice{dir.File("n.srt"), 1});
    EXPECT_TRUE(s.notes.MayClose());
    EXPECT_NE(ReadBytes(dir.File("n.srt")).find(S("追加")), std::string::npos);
    EXPECT_FALSE(s.notes.HasUnsavedChanges());

    // はい with a file: overwrite; a failed write keeps the window open.
    s.window.SetCell(1, 6, S("再"));
    s.dialogs.answers.push_back(Answer::Yes);
    EXPECT_TRUE(s.notes.MayClose());
    EXPECT_NE(ReadBytes(dir.File("n.srt")).find(S("再")), std::string::npos);
    EXPECT_EQ(s.dialogs.saveShown, 2);

    s.window.SetCell(1, 7, S("再々"));
    s.notes.currentFile = dir.File("missing/n.srt");
    s.dialogs.answers.push_back(Answer::Yes);
    EXPECT_FALSE(s.notes.MayClose());
    EXPECT_TRUE(s.notes.HasUnsavedChanges());
}

TEST(NoteCommands, OpenThroughTheDialog) {
    Session s;
    s.window.SetCell(1, 9, S("手入力"));
    s.dialogs.opens.push_back(std::nullopt);
    EXPECT_FALSE(s.notes.Open());
    EXPECT_EQ(s.window.Status(), "Nofile");
    EXPECT_EQ(s.window.Cell(1, 9), S("手入力"));

    const std::string path = DataPath("notes/worked-example.srt");
    s.dialogs.opens.push_back(path);
    EXPECT_TRUE(s.notes.Open());
    EXPECT_EQ(s.notes.currentFile, path);
    EXPECT_EQ(s.window.Cell(1, 9), "");
    EXPECT_EQ(s.window.Cell(1, 1), S("品目1"));
    EXPECT_EQ(s.window.Status(), cp932::FromUtf8(path) + S("を開いてます"));
    // What was opened is the note to compare with at close.
    EXPECT_FALSE(s.notes.HasUnsavedChanges());

    // A note that cannot be read empties the grid all the same.
    s.dialogs.opens.push_back(DataPath("notes/missing.srt"));
    EXPECT_FALSE(s.notes.Open());
    EXPECT_EQ(s.window.Cell(1, 1), "");
    EXPECT_TRUE(s.notes.HasUnsavedChanges());
}

TEST(NoteCommands, NewNoteEmptiesTheGridOnly) {
    Session s;
    s.notes.currentFile = "/w/a.srt";
    s.notes.NewNote();
    EXPECT_EQ(s.window.Cell(1, 1), "");
    EXPECT_EQ(s.window.Field(2), "B");
    EXPECT_EQ(s.notes.currentFile, "/w/a.srt");
    EXPECT_EQ(s.window.Status(), S("表は新規です"));
}

TEST(WindowRules, TaxModeIsTheFirstItemContainingTheText) {
    const std::vector<std::string> items = {S("税抜き金額"), S("税込み金額")};
    EXPECT_EQ(commands::MatchTaxMode(items, "", 1), 0);
    EXPECT_EQ(commands::MatchTaxMode(items, S("税込"), 0), 1);
    EXPECT_EQ(commands::MatchTaxMode(items, S("金額"), 1), 0);
    EXPECT_EQ(commands::MatchTaxMode(items, S("税込み金額 "), 0), 0);
    EXPECT_EQ(commands::MatchTaxMode(items, "x", 1), 1);
    EXPECT_EQ(commands::MatchTaxMode({}, "", 1), 1);
}

TEST(WindowRules, GridClicks) {
    MemoryWindow w;
    w.ApplyStartupTexts("d");
    w.SetCell(col::Quantity, 2, "2");
    w.SetCell(col::UnitPrice, 2, "150");
    // Outside the data columns nothing happens.
    EXPECT_FALSE(commands::ClickGridCell(w, 0, 2));
    EXPECT_FALSE(commands::ClickGridCell(w, w.ColCount(), 2));
    EXPECT_EQ(w.Cell(col::Amount, 2), "");
    // The title row recalculates but shows no cell.
    const std::string startup = w.Field(field::CellPosition);
    EXPECT_TRUE(commands::ClickGridCell(w, 3, 0));
    EXPECT_EQ(w.Cell(col::Amount, 2), "300");
    EXPECT_EQ(w.Field(field::CellPosition), startup);
    EXPECT_TRUE(commands::ClickGridCell(w, 3, 2));
    EXPECT_EQ(w.Field(field::CellPosition), S("列:3 行:2"));
    EXPECT_EQ(w.Field(field::CellEditor), "2");
    EXPECT_TRUE(commands::ClickGridCell(w, 7, 20));
    EXPECT_EQ(w.Field(field::CellPosition), S("列:7 行:20"));
    EXPECT_TRUE(commands::ClickGridCell(w, 7, 21));
    EXPECT_EQ(w.Field(field::CellPosition), S("列:7 行:20"));

    EXPECT_TRUE(commands::IsEditorCell(w, 1, 1));
    EXPECT_TRUE(commands::IsEditorCell(w, 7, 20));
    EXPECT_FALSE(commands::IsEditorCell(w, 0, 1));
    EXPECT_FALSE(commands::IsEditorCell(w, 8, 1));
    EXPECT_FALSE(commands::IsEditorCell(w, 1, 0));
    EXPECT_FALSE(commands::IsEditorCell(w, 1, 21));

    using commands::ColumnMenu;
    EXPECT_EQ(commands::MenuForColumn(1), ColumnMenu::Name);
    EXPECT_EQ(commands::MenuForColumn(2), ColumnMenu::SpecOrRemarks);
    EXPECT_EQ(commands::MenuForColumn(7), ColumnMenu::SpecOrRemarks);
    EXPECT_EQ(commands::MenuForColumn(4), ColumnMenu::Unit);
    for (int c : {3, 5, 6}) {
        EXPECT_EQ(commands::MenuForColumn(c), ColumnMenu::Other) << c;
    }
}
