// TWriteBiff: writes a single-sheet BIFF2 worksheet file, one cell at a time,
// from cell texts (code page 932 bytes). Each text becomes an INTEGER, NUMBER
// or LABEL record, or nothing when it is empty. The whole file is built in
// memory and reaches the disk in one piece when the writer is finished.
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

    // Starts the file: BOF, DIMENSIONS for `rows` x `cols`, the four FONTs.
    TWriteBiff(const std::string& path, int rows, int cols);
    // Finishes the file when Finish was not called; errors are swallowed.
    ~TWriteBiff();
    TWriteBiff(const TWriteBiff&) = delete;
    TWriteBiff& operator=(const TWriteBiff&) = delete;

    // Appends the record matching the kind of `text`, or nothing when empty.
    void WriteCell(int row, int col, unsigned attr, const std::string& text);

    // Appends EOF and writes the file (through a temporary file in the same
    // folder renamed over the target). Throws std::runtime_error with the
    // code page 932 message "ファイル <path> を作成できません" when the file
    // cannot be written. Only the first call has an effect.
    void Finish();

    // The file's bytes so far (the whole file once finished).
    const std::string& Bytes() const { return buffer_; }

    // Cell kind of a text: KindEmpty, KindInteger, KindNumber or KindText.
    static int DataKind(const std::string& text);

    // The individual records.
    void WriteBof();                          // BOF: BIFF2 worksheet
    void WriteDimentions(int rows, int cols); // DIMENSIONS: rows + 2, cols + 2
    void WriteFonts();                        // FONT x4: regular, bold, italic, underline
    void WriteEof();                          // EOF
    void WriteStruct(int record, int row, int col, unsigned attr, int textLength); // cell header
    void WriteInt(int row, int col, unsigned attr, std::uint16_t value);           // INTEGER
    void WriteNumber(int row, int col, unsigned attr, double value);               // NUMBER
    void WriteLabel(int row, int col, unsigned attr, const std::string& text);     // LABEL

private:
    void Put8(unsigned value);
    void Put16(unsigned value);
    void PutFont(unsigned options);

    std::string buffer_;
    std::string path_;
    bool finished_ = false;
};
