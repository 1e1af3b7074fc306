// TXBiff: a non-visual component that reads the cells of a spreadsheet file
// in the BIFF record formats and reports them through events, one cell at a
// time, as code page 932 texts. It reads BIFF2 to BIFF4 worksheet files
// (plain record streams) and the workbook stream ("Workbook" or "Book") of
// BIFF5 and BIFF8 files stored in a compound document. It can also save a
// list of comma-separated lines as a BIFF2 file through TWriteBiff.
//
// Errors: a load that cannot go on throws EXBiffError, whose what() is one
// of three code page 932 messages (see xbiff::Failure). Cells reported
// before the error stay reported. A failing save throws the writer's
// std::runtime_error (CP932 message "ファイル <path> を作成できません").
//
// Every length in the data is checked before it is read: a record longer
// than the data left, a field beyond the end of its record, a text longer
// than its record, a shared string running past its data, a file that ends
// inside a sheet (before the EOF closing its BOF) or a broken compound
// document ends the load with an error; nothing is read out of bounds and
// no loop outlives the data.
#pragma once

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace xbiff {

enum class Failure {
    OpenFailed, // "ﾌｧｲﾙを開くことに失敗しました": the file cannot be opened or read
    UnknownFormat, // "未知のフォーマット.": no BOF, a record too short for its
                   // fields, an oversized SST/CONTINUE record, a compound
                   // document that cannot be opened or has no workbook stream
    StreamRead,    // "ストリーム読込みエラー.": the data ends inside a record,
                   // a shared string or a sheet; a stream that cannot be read
};

// The CP932 message of a failure.
std::string MessageOf(Failure failure);

class RecordLoop;

} // namespace xbiff

class EXBiffError : public std::runtime_error {
public:
    explicit EXBiffError(xbiff::Failure failure);
    xbiff::Failure failure() const { return failure_; }

private:
    xbiff::Failure failure_;
};

class TXBiff {
public:
    using TOnProgressEvent = std::function<void(TXBiff* Sender, int Progress)>;
    using TOnReadCellEvent =
        std::function<void(TXBiff* Sender, int SheetNo, int Row, int Col, int rgbAttr,
                           const std::string& Data, bool& Cancel)>;
    using TOnReadColWEvent = std::function<void(TXBiff* Sender, int SheetNo, int Col, int Width)>;
    using TOnReadSheetNameEvent = std::function<void(TXBiff* Sender, const std::string& SheetName)>;

    TXBiff() = default;
    virtual ~TXBiff() = default;
    TXBiff(const TXBiff&) = delete;
    TXBiff& operator=(const TXBiff&) = delete;

    // Event slots; empty by default.
    TOnProgressEvent OnProgress;
    TOnReadCellEvent OnReadCell;
    TOnReadColWEvent OnReadColW;
    TOnReadSheetNameEvent OnReadSheetName;

    // Remembers the name and loads the file.
    void LoadFile(const std::string& FileName);

    // Reads the whole file, firing the events, until the data is exhausted
    // or a handler sets Cancel. Throws EXBiffError.
    void LoadExcel(const std::string& FileName);

    // Loads the bytes of a file already in memory, as LoadExcel does.
    void LoadData(std::string_view FileBytes);

    // Writes the lines (each a comma-separated list of cell texts) as a BIFF2
    // file; nothing happens for an empty list. The field count of the first
    // line sets the width: later lines write at most that many fields, and
    // a shorter line writes the fields it has.
    void SaveFile(const std::string& FileName, const std::vector<std::string>& Lines);

    // Decodes an RK number.
    static double NumFromRk(std::uint32_t Value);

    // Fires OnProgress with the current progress when a handler is assigned.
    void DoProgress(TXBiff* Sender);

    const std::string& FileName() const { return fileName_; }
    int Progress() const { return progress_; }

    // The kind of the file last loaded: 2 plain stream, 3 plain stream
    // starting with a BIFF3 BOF, 4 compound document stream "Book", 5
    // stream "Workbook", 8 any of these declaring BIFF8; 0 before a load.
    int Kind() const { return kind_; }

private:
    friend class xbiff::RecordLoop;

    std::string fileName_;
    int progress_ = 0;
    int kind_ = 0;
};
