#include "GridExport.h"

#include "Cp932.h"
#include "FileKinds.h"
#include "Xwritebiff.h"

namespace spreadsheet {

namespace {

// The grid's top-left cell lands in B8 of the sheet.
constexpr int SheetRowOffset = 7;
constexpr int SheetColOffset = 1;

} // namespace

std::string ExportQuestion() {
    return S("表のExcelファイル書きだしとしてお使い下さい\n"
             "計算式を含んでいません\n"
             "セルの内容を確認の上お使いください\n"
             "続行するならば[はい]をクリック\n"
             "やめる場合は[いいえ]をクリックしてください");
}

bool HasXlsExtension(const std::string& path) {
    const filekinds::FileKind* kind = filekinds::KindOfName(path);
    return kind != nullptr && kind->writer == filekinds::Writer::Spreadsheet;
}

bool IsBlankCell(const std::string& text) {
    return text.empty() || text == " ";
}

void WriteGridToXls(const std::string& path, const NoteWindow& grid) {
    TWriteBiff writer(path, grid.RowCount() + SheetRowOffset, grid.ColCount() + SheetColOffset);
    for (int r = 0; r < grid.RowCount(); ++r) {
        for (int c = 0; c < grid.ColCount(); ++c) {
            std::string text = grid.Cell(c, r);
            if (!IsBlankCell(text)) {
                writer.WriteCell(r + SheetRowOffset, c + SheetColOffset, 0, text);
            }
        }
    }
    writer.Finish();
}

bool ExportGridToXls(const std::string& path, const NoteWindow& grid, const ConfirmFn& confirm) {
    if (!HasXlsExtension(path)) {
        return false;
    }
    if (!confirm || confirm(ExportQuestion()) != Answer::Yes) {
        return false;
    }
    WriteGridToXls(path, grid);
    return true;
}

} // namespace spreadsheet
