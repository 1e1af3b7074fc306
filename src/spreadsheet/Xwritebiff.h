// TWriteBiff: writes a single-sheet BIFF2 worksheet file, one cell at a time,
// from cell texts (code page 932 bytes). Each text becomes an INTEGER, NUMBER
// or LABEL record, or nothing when it is empty. The whole file is built in
// memory and reaches the disk in one piece (through safefile's replace) when
// the writer is finished.
//
// Two layouts: the readable one (the default) adds a CODEPAGE record (932)
// after the BOF and one default cell format (XF) after the fonts, without
// which other spreadsheet programs drop or garble the text cells; the bare
// one is BOF, DIMENSIONS, four FONTs, the cells and EOF, nothing else.
#pragma once

#include <cstdint>
#include <string>

class TWriteBiff {
public:
    // Cell kinds returned by DataKind.
    static constexpr int KindEmpty = 1;
    static constexpr int KindInteger = 2;
    static constexpr int KindNumber = 3;
    static constexpr int KindText = 4;

    enum class Layout { Readable, Bare };

    // Starts the file: BOF, (CODEPAGE,) DIMENSIONS for `rows` x `cols`, the
    // four FONTs (and the default XF).
    TWriteBiff(const std::string& path, int rows, int cols, Layout layout = Layout::Readable);
    // Finishes the file when Finish was not called; errors are swallowed.
    ~TWriteBiff();
    TWriteBiff(const TWriteBiff&) = delete;
    TWriteBiff& operator=(const TWriteBiff&) = delete;

    // Appends the record matching the kind of `text`, or nothing when empty.
    void WriteCell(int row, int col, unsigned attr, const std::string& text);

    // Appends EOF and writes the file through safefile::ReplaceFile. Throws std::runtime_error with
    // the code page 932 message "ファイル <path> を作成できません" when the file cannot be written.
    // Only the first call has an effect.
    void Finish();

    // The file's bytes so far (the whole file once finished).
    const std::string& Bytes() const { return buffer_; }

    // Cell kind of a text: KindEmpty, KindInteger, KindNumber or KindText.
    static int DataKind(const std::string& text);

    // The individual records.
    void WriteBof();                          // BOF: BIFF2 worksheet
    void WriteDimentions(int rows, int cols); // DIMENSIONS: rows + 2, cols + 2
    void WriteFonts();                        // FONT x4: regular, bold, italic, underline
    void WriteCodePage();                     // CODEPAGE: 932
    void WriteDefaultFormat();                // XF: font 0, general format
    void WriteEof();                          // EOF
    void WriteStruct(int record, int row, int col, unsigned attr, int textLength); // cell header
    void WriteInt(int row, int col, unsigned attr, std::uint16_t value);           // INTEGER
    void WriteNumber(int row, int col, unsigned attr, double value);               // NUMBER
    void WriteLabel(int row, int col, unsigned attr, const std::string& text);     // LABEL

    // The length of the longest start of `text` within `limit` bytes that
    // ends on a whole code page 932 character.
    static std::size_t WholeCharacterLength(const std::string& text, std::size_t limit);

private:
    void Put8(unsigned value);
    void Put16(unsigned value);
    void PutFont(unsigned options);

    std::string buffer_;
    std::string path_;
    bool finished_ = false;
};
