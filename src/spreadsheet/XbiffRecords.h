// The record loop of the BIFF reader: walks a workbook or worksheet stream
// held in memory once from start to end and reports its cells, column
// widths and sheet names through the events of a TXBiff.
#pragma once

#include "Cp932.h"
#include "Xbiff.h"

#include <bit>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace xbiff {

// A bounds-checked little-endian reader over bytes in memory. A read past
// the end throws EXBiffError with the failure given at construction.
class Cursor {
public:
    Cursor(std::string_view data, Failure onShort) : data_(data), onShort_(onShort) {}

    size_t Position() const { return pos_; }
    size_t Size() const { return data_.size(); }
    size_t Left() const { return data_.size() - pos_; }
    bool AtEnd() const { return pos_ >= data_.size(); }

    void Need(size_t n) const {
        if (n > Left()) {
            throw EXBiffError(onShort_);
        }
    }
    std::uint8_t U8() {
        Need(1);
        return Byte(pos_++);
    }
    std::uint16_t U16() {
        Need(2);
        const std::uint16_t v = Little<std::uint16_t>(pos_);
        pos_ += 2;
        return v;
    }
    // Three bytes, the first in bits 0-7.
    std::uint32_t U24() {
        Need(3);
        std::uint32_t v = Byte(pos_) | Byte(pos_ + 1) << 8 | std::uint32_t(Byte(pos_ + 2)) << 16;
        pos_ += 3;
        return v;
    }
    std::uint32_t U32() {
        Need(4);
        const std::uint32_t v = Little<std::uint32_t>(pos_);
        pos_ += 4;
        return v;
    }
    double F64() {
        Need(8);
        const std::uint64_t bits = Little<std::uint64_t>(pos_);
        pos_ += 8;
        double v;
        std::memcpy(&v, &bits, sizeof v);
        return v;
    }
    std::string_view Bytes(size_t n) {
        Need(n);
        std::string_view v = data_.substr(pos_, n);
        pos_ += n;
        return v;
    }
    void Skip(size_t n) {
        Need(n);
        pos_ += n;
    }
    // Goes back to a position read before.
    void Rewind(size_t pos) { pos_ = pos < pos_ ? pos : pos_; }

private:
    std::uint8_t Byte(size_t i) const { return static_cast<std::uint8_t>(data_[i]); }
    // The little-endian value at i (its bytes checked by the caller).
    template <typename T> T Little(size_t i) const {
        T v;
        if constexpr (std::endian::native == std::endian::little) {
            std::memcpy(&v, data_.data() + i, sizeof v);
        } else {
            v = 0;
            for (size_t k = sizeof v; k-- > 0;) {
                v = static_cast<T>(v << 8 | Byte(i + k));
            }
        }
        return v;
    }

    std::string_view data_;
    size_t pos_ = 0;
    Failure onShort_;
};

// The data of a record and of the CONTINUE records right after it, and
// where each CONTINUE record's data begins. A record without CONTINUE
// records is used where it lies; otherwise the data is joined in `joined`
// (kept between records, so its storage is reused).
struct ContinuedData {
    std::string_view bytes;
    std::string joined;
    std::vector<size_t> starts;
};

// Reads BIFF8 strings (2-byte character count, option byte, characters,
// rich runs and extended data) from continued data: when the characters
// reach the start of a CONTINUE record they go on after a new option byte,
// which may switch between 8-bit and 16-bit characters. A read past the
// data throws StreamRead.
class ContinuedStringReader {
public:
    explicit ContinuedStringReader(const ContinuedData& data)
        : data_(data), cursor_(data.bytes, Failure::StreamRead) {}

    Cursor& cursor() { return cursor_; }
    // Reads a string and converts it to CP932.
    std::string ReadString(std::u16string& scratch);
    // Reads the characters of a string into `units`; false when the data
    // ends inside the string (the cursor is then somewhere in it), with
    // `needed` the length of data the string needs when known, else 0.
    bool TryReadUnits(std::u16string& units, size_t& needed);

private:
    size_t NextStart();

    const ContinuedData& data_;
    Cursor cursor_;
    size_t startIndex_ = 0;
};

// Reads `count` characters of 8-bit (widened) or 16-bit text into `units`.
void ReadCharacters(Cursor& cursor, size_t count, bool wide, std::u16string& units);

class StreamSource;

// The shared-string list: the texts one after another in one block, and
// where each ends (a string object per text would take several times the
// memory of a table of many short texts).
class SharedStrings {
public:
    void Add(std::string_view text) {
        texts_.append(text);
        ends_.push_back(texts_.size());
    }
    // Adds 16-bit text, converted to CP932.
    void Add(const std::u16string& units) {
        cp932::AppendFromUtf16(units, texts_);
        ends_.push_back(texts_.size());
    }
    // Room for `strings` more texts of `bytes` in all, so that a large table
    // is not copied as it grows (room that is never written takes no
    // memory).
    void Reserve(std::size_t strings, std::size_t bytes) {
        ends_.reserve(ends_.size() + strings);
        texts_.reserve(texts_.size() + bytes);
    }
    std::size_t Size() const { return ends_.size(); }
    std::string_view operator[](std::size_t index) const {
        const std::size_t start = index == 0 ? 0 : ends_[index - 1];
        return std::string_view(texts_).substr(start, ends_[index] - start);
    }

private:
    std::string texts_;
    std::vector<std::size_t> ends_;
};

class RecordLoop {
public:
    // The records held in memory.
    RecordLoop(TXBiff& owner, std::string_view data);
    // The records read from `source` as the loop goes, through a window of
    // `window` bytes (at least kMinWindow).
    RecordLoop(TXBiff& owner, StreamSource& source, std::size_t window = kDefaultWindow);
    ~RecordLoop();

    // A window holds a whole record of any BIFF version (4 + 65535 bytes)
    // and the header of the next one.
    static constexpr std::size_t kRecordRoom = 4 + 65535 + 4;
    static constexpr std::size_t kMinWindow = 2 * kRecordRoom;
    static constexpr std::size_t kDefaultWindow = 1 << 18;

    // Runs the load to the end of the data or to a Cancel. Throws EXBiffError.
    void Run();
    // The BIFF version whose record layouts the stream follows (2, 3, 4, 5
    // or 8), known once the first BOF has been read.
    int Version() const { return version_; }

private:
    // Makes sure the window holds kRecordRoom bytes after the position, or
    // the rest of the stream; moves what is left to its start and reads on.
    // Views of bytes before the position are no longer valid after it.
    void EnsureAhead() {
        if (source_ != nullptr && stream_.Left() < kRecordRoom && base_ + stream_.Size() < size_) {
            Slide();
        }
    }
    void Slide();
    // The position in the whole stream, and its size.
    std::uint64_t Position() const { return base_ + stream_.Position(); }
    bool NextIsContinue() const;
    void ReadFirstBof();
    void HandleRecord(std::uint16_t number, std::string_view body);
    bool WantsCells() const;
    void Report(int row, int col, int attr, const std::string& text);
    void ReportNumber(int row, int col, int attr, double value);
    // The number of an RK value (TXBiff::NumFromRk).
    void ReportRk(int row, int col, int attr, std::uint32_t rk);
    void SetProgress(int value);

    void OnBof(Cursor& r);
    void OnEof();
    void OnInteger(Cursor& r);
    void OnNumber2(Cursor& r);
    void OnNumber(Cursor& r);
    void OnRk(Cursor& r);
    void OnMulRk(Cursor& r, size_t length);
    void OnLabel2(Cursor& r);
    void OnLabel(std::string_view body);
    void OnBoolErr(Cursor& r, bool threeAttributeBytes);
    void OnCodePage(Cursor& r);
    void OnRString(Cursor& r);
    void OnSst(std::string_view body);
    void OnLabelSst(Cursor& r);
    void OnFormula(Cursor& r);
    void OnString(std::string_view body);
    void OnColInfo(Cursor& r);
    void OnBoundSheet(Cursor& r);

    // Text of a cell or name: bytes in the file's code page before BIFF8;
    // from BIFF8 on an option byte and 8-bit or 16-bit characters; either
    // converted to CP932.
    std::string ReadText(Cursor& r, size_t count);
    // Bytes of a text before BIFF8 in CP932.
    std::string ByteText(std::string_view bytes) const;
    // A text of `count` bytes at `offset` of a record before BIFF8 whose
    // end lies in the CONTINUE records after it (joined to the record's
    // data); a continuation that is missing fails with UnknownFormat.
    std::string ContinuedByteText(std::string_view body, size_t offset, size_t count);
    // Fills continued_ with `first` and the CONTINUE records after it.
    const ContinuedData& GatherContinued(std::string_view first);

    TXBiff& owner_;
    StreamSource* source_ = nullptr;
    std::uint64_t size_ = 0; // of the whole stream
    std::uint64_t base_ = 0; // the stream position of the window's first byte
    std::unique_ptr<char[]> window_;
    std::size_t windowSize_ = 0;
    Cursor stream_; // the window, or the whole stream held in memory
    int version_ = 0;
    int sheetNo_ = 0;
    int openSubstreams_ = 0;        // BOF records not yet closed by their EOF
    int codePage_ = 0;              // of byte texts before BIFF8 (CODEPAGE record); 0 unknown
    size_t lastSheetStart_ = 0;     // the highest sheet position a BOUNDSHEET gives
    std::uint64_t nextPercent_ = 0; // the first position of the next progress value
    bool cancel_ = false;
    SharedStrings sharedStrings_;
    std::u16string units_;
    std::string text_; // the text of the cell being reported, when it is not a string of its own
    ContinuedData continued_;

    // The formula whose text result the next STRING record carries.
    struct PendingFormula {
        bool active = false;
        int row = 0;
        int col = 0;
        int attr = 0;
    } pending_;
};

} // namespace xbiff
