#include "XbiffRecords.h"

#include "Cp932.h"
#include "GeneralNumber.h"
#include "NumberText.h"
#include "XbiffStorage.h"

#include <algorithm>
#include <new>

namespace xbiff {
namespace {

// Record numbers.
constexpr std::uint16_t kBof2 = 0x0009;
constexpr std::uint16_t kBof3 = 0x0209;
constexpr std::uint16_t kBof4 = 0x0409;
constexpr std::uint16_t kBof5 = 0x0809;
constexpr std::uint16_t kEof = 0x000A;
constexpr std::uint16_t kInteger2 = 0x0002;
constexpr std::uint16_t kNumber2 = 0x0003;
constexpr std::uint16_t kNumber = 0x0203;
constexpr std::uint16_t kRk = 0x027E;
constexpr std::uint16_t kMulRk = 0x00BD;
constexpr std::uint16_t kLabel2 = 0x0004;
constexpr std::uint16_t kLabel = 0x0204;
constexpr std::uint16_t kRString = 0x00D6;
constexpr std::uint16_t kSst = 0x00FC;
constexpr std::uint16_t kLabelSst = 0x00FD;
constexpr std::uint16_t kFormula2 = 0x0006; // also BIFF5 and BIFF8
constexpr std::uint16_t kFormula3 = 0x0206;
constexpr std::uint16_t kFormula4 = 0x0406;
constexpr std::uint16_t kString2 = 0x0007;
constexpr std::uint16_t kString = 0x0207;
constexpr std::uint16_t kColInfo = 0x007D;
constexpr std::uint16_t kBoundSheet = 0x0085;
constexpr std::uint16_t kContinue = 0x003C;
constexpr std::uint16_t kBoolErr2 = 0x0005;
constexpr std::uint16_t kBoolErr = 0x0205;
constexpr std::uint16_t kCodePage = 0x0042;

constexpr std::uint16_t kBiff8Version = 0x0600;
constexpr std::uint16_t kWorksheet = 0x0010;
// The last column of a sheet in every BIFF version.
constexpr int kLastColumn = 255;
// The largest record data BIFF8 allows.
constexpr size_t kMaxRecordData = 8224;

bool IsBof(std::uint16_t number) {
    return number == kBof2 || number == kBof3 || number == kBof4 || number == kBof5;
}

// The text Excel shows for a formula's error result, empty when unknown.
const char* ErrorText(std::uint8_t code) {
    switch (code) {
    case 0x00:
        return "#NULL!";
    case 0x07:
        return "#DIV/0!";
    case 0x0F:
        return "#VALUE!";
    case 0x17:
        return "#REF!";
    case 0x1D:
        return "#NAME?";
    case 0x24:
        return "#NUM!";
    case 0x2A:
        return "#N/A";
    default:
        return "";
    }
}

// True when the rest of the data is zero bytes.
bool IsZeroPadding(Cursor rest) {
    while (!rest.AtEnd()) {
        if (rest.U8() != 0) {
            return false;
        }
    }
    return true;
}

} // namespace

void ReadCharacters(Cursor& cursor, size_t count, bool wide, std::u16string& units) {
    const std::string_view bytes = cursor.Bytes(wide ? count * 2 : count);
    const size_t old = units.size();
    units.resize(old + count);
    char16_t* out = units.data() + old;
    if (wide && std::endian::native == std::endian::little) {
        std::memcpy(out, bytes.data(), count * 2);
    } else if (wide) {
        for (size_t i = 0; i < count; ++i) {
            out[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                           static_cast<unsigned char>(bytes[2 * i + 1]) << 8);
        }
    } else {
        for (size_t i = 0; i < count; ++i) {
            out[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[i]));
        }
    }
}

size_t ContinuedStringReader::NextStart() {
    const size_t pos = cursor_.Position();
    while (startIndex_ < data_.starts.size() && data_.starts[startIndex_] < pos) {
        ++startIndex_;
    }
    return startIndex_ < data_.starts.size() ? data_.starts[startIndex_] : data_.bytes.size();
}

bool ContinuedStringReader::TryReadUnits(std::u16string& units, size_t& needed) {
    needed = 0;
    if (cursor_.Left() < 3) {
        return false;
    }
    size_t count = cursor_.U16();
    const std::uint8_t options = cursor_.U8();
    const size_t header = ((options & 0x08) ? 2 : 0) + ((options & 0x04) ? 4 : 0);
    if (cursor_.Left() < header) {
        return false;
    }
    const size_t richRuns = (options & 0x08) ? cursor_.U16() : 0;
    const size_t extended = (options & 0x04) ? cursor_.U32() : 0;
    bool wide = options & 0x01;
    units.clear();
    while (count > 0) {
        const size_t limit = NextStart();
        if (cursor_.Position() == limit && limit < cursor_.Size()) {
            // The characters go on in a CONTINUE record, after an option byte.
            wide = cursor_.U8() & 0x01;
            continue;
        }
        const size_t fit = (limit - cursor_.Position()) / (wide ? 2 : 1);
        if (fit == 0) {
            if (limit == cursor_.Size()) {
                return false; // the data ends
            }
            throw EXBiffError(Failure::StreamRead); // a 16-bit character split by a boundary
        }
        const size_t take = std::min(fit, count);
        ReadCharacters(cursor_, take, wide, units);
        count -= take;
    }
    const size_t trailer = richRuns * 4 + extended; // at most 2^32 + 2^18
    if (cursor_.Left() < trailer) {
        needed = cursor_.Position() + trailer;
        return false;
    }
    cursor_.Skip(trailer);
    return true;
}

std::string ContinuedStringReader::ReadString(std::u16string& units) {
    size_t needed;
    if (!TryReadUnits(units, needed)) {
        throw EXBiffError(Failure::StreamRead);
    }
    return cp932::FromUtf16(units);
}

RecordLoop::RecordLoop(TXBiff& owner, std::string_view data)
    : owner_(owner), size_(data.size()), stream_(data, Failure::StreamRead) {}

RecordLoop::RecordLoop(TXBiff& owner, StreamSource& source, std::size_t window)
    : owner_(owner), source_(&source), size_(source.Size()),
      window_(new char[std::max(window, kMinWindow)]), windowSize_(std::max(window, kMinWindow)),
      stream_({}, Failure::StreamRead) {}

RecordLoop::~RecordLoop() = default;

void RecordLoop::Slide() {
    const std::size_t keep = stream_.Left();
    std::memmove(window_.get(), window_.get() + stream_.Position(), keep);
    base_ += stream_.Position();
    const std::size_t more =
        static_cast<std::size_t>(std::min<std::uint64_t>(windowSize_ - keep, size_ - base_ - keep));
    source_->Read(window_.get() + keep, more);
    stream_ = Cursor(std::string_view(window_.get(), keep + more), Failure::StreamRead);
}

bool RecordLoop::NextIsContinue() const {
    if (stream_.Left() < 2) {
        return false;
    }
    Cursor peek = stream_;
    return peek.U16() == kContinue;
}

void RecordLoop::Run() {
    try {
        ReadFirstBof();
        while (true) {
            EnsureAhead();
            if (stream_.AtEnd()) {
                break;
            }
            if (stream_.Left() < 4 && openSubstreams_ == 0 && IsZeroPadding(stream_)) {
                break; // a few zero bytes after the last EOF
            }
            const std::uint16_t number = stream_.U16();
            const std::uint16_t length = stream_.U16();
            HandleRecord(number, stream_.Bytes(length));
            if (Position() >= nextPercent_) {
                // Computed again only when it changes: a division per record
                // costs as much as a cell.
                owner_.progress_ = static_cast<int>(Position() * 100 / size_);
                nextPercent_ = (static_cast<std::uint64_t>(owner_.progress_) + 1) * size_ / 100;
                while (nextPercent_ * 100 / size_ <= static_cast<std::uint64_t>(owner_.progress_)) {
                    ++nextPercent_;
                }
            }
            owner_.DoProgress(&owner_);
            if (cancel_) {
                break;
            }
        }
        // The data ends inside a substream, or before a sheet the workbook lists.
        if (!cancel_ && (openSubstreams_ > 0 || lastSheetStart_ >= size_)) {
            throw EXBiffError(Failure::StreamRead);
        }
    } catch (...) {
        SetProgress(0);
        throw;
    }
    SetProgress(0);
}

void RecordLoop::ReadFirstBof() {
    std::uint16_t number = 0;
    do {
        EnsureAhead();
        if (stream_.Left() < 2) {
            throw EXBiffError(Failure::UnknownFormat);
        }
        number = stream_.U16();
    } while (!IsBof(number));
    EnsureAhead();
    const std::uint16_t length = stream_.U16();
    Cursor body(stream_.Bytes(length), Failure::UnknownFormat);
    const std::uint16_t bofVersion = body.U16();
    const std::uint16_t type = body.U16();

    switch (number) {
    case kBof2:
        version_ = 2;
        break;
    case kBof3:
        version_ = 3;
        owner_.kind_ = 3;
        break;
    case kBof4:
        version_ = 4;
        break;
    default:
        version_ = 5;
        break;
    }
    if (bofVersion == kBiff8Version) {
        version_ = 8;
        owner_.kind_ = 8;
    }
    sheetNo_ = type == kWorksheet ? 1 : 0;
    openSubstreams_ = 1;
}

void RecordLoop::HandleRecord(std::uint16_t number, std::string_view body) {
    Cursor r(body, Failure::UnknownFormat);
    switch (number) {
    case kBof2:
    case kBof3:
    case kBof4:
    case kBof5:
        OnBof(r);
        break;
    case kEof:
        OnEof();
        break;
    case kInteger2:
        OnInteger(r);
        break;
    case kNumber2:
        OnNumber2(r);
        break;
    case kNumber:
        OnNumber(r);
        break;
    case kRk:
        OnRk(r);
        break;
    case kMulRk:
        OnMulRk(r, body.size());
        break;
    case kLabel2:
        OnLabel2(r);
        break;
    case kLabel:
        OnLabel(body);
        break;
    case kBoolErr2:
        OnBoolErr(r, true);
        break;
    case kBoolErr:
        OnBoolErr(r, false);
        break;
    case kCodePage:
        OnCodePage(r);
        break;
    case kRString:
        OnRString(r);
        break;
    case kSst:
        OnSst(body);
        break;
    case kLabelSst:
        OnLabelSst(r);
        break;
    case kFormula2:
    case kFormula3:
    case kFormula4:
        OnFormula(r);
        break;
    case kString2:
    case kString:
        OnString(body);
        break;
    case kColInfo:
        OnColInfo(r);
        break;
    case kBoundSheet:
        OnBoundSheet(r);
        break;
    default:
        break;
    }
}

bool RecordLoop::WantsCells() const {
    return !cancel_ && owner_.OnReadCell;
}

void RecordLoop::Report(int row, int col, int attr, const std::string& text) {
    if (WantsCells()) {
        owner_.OnReadCell(&owner_, sheetNo_, row, col, attr, text, cancel_);
    }
}

void RecordLoop::ReportNumber(int row, int col, int attr, double value) {
    if (WantsCells()) {
        // Written straight into the text, which keeps its room from cell to
        // cell (a copy of what was just written waits for the writes).
        text_.resize(numtext::kGeneralBufferSize);
        text_.resize(numtext::FormatGeneral(value, text_.data()));
        Report(row, col, attr, text_);
    }
}

void RecordLoop::ReportRk(int row, int col, int attr, std::uint32_t rk) {
    if ((rk & 0x02) == 0) {
        ReportNumber(row, col, attr, TXBiff::NumFromRk(rk));
        return;
    }
    if (WantsCells()) {
        // A whole number or whole hundredths: the text of NumFromRk's value
        // written from the integer itself.
        const std::int32_t value = static_cast<std::int32_t>(rk) >> 2;
        text_.resize(numtext::kGeneralBufferSize);
        text_.resize((rk & 0x01) != 0 ? numtext::FormatHundredths(value, text_.data())
                                      : numtext::FormatWhole(value, text_.data()));
        Report(row, col, attr, text_);
    }
}

void RecordLoop::SetProgress(int value) {
    owner_.progress_ = value;
    owner_.DoProgress(&owner_);
}

void RecordLoop::OnBof(Cursor& r) {
    r.U16(); // version
    if (r.U16() == kWorksheet) {
        ++sheetNo_;
    }
    ++openSubstreams_;
}

void RecordLoop::OnEof() {
    if (openSubstreams_ > 0) {
        --openSubstreams_;
    }
}

void RecordLoop::OnInteger(Cursor& r) {
    const int row = r.U16();
    const int col = r.U16();
    const int attr = static_cast<int>(r.U24());
    const int value = r.U16();
    if (WantsCells()) {
        Report(row, col, attr, numtext::IntToStr(value));
    }
}

void RecordLoop::OnNumber2(Cursor& r) {
    const int row = r.U16();
    const int col = r.U16();
    const int attr = static_cast<int>(r.U24());
    ReportNumber(row, col, attr, r.F64());
}

void RecordLoop::OnNumber(Cursor& r) {
    const int row = r.U16();
    const int col = r.U16();
    const int attr = r.U16();
    ReportNumber(row, col, attr, r.F64());
}

void RecordLoop::OnRk(Cursor& r) {
    const int row = r.U16();
    const int col = r.U16();
    const int attr = r.U16();
    ReportRk(row, col, attr, r.U32());
}

void RecordLoop::OnMulRk(Cursor& r, size_t length) {
    if (length < 6 || (length - 6) % 6 != 0) {
        throw EXBiffError(Failure::UnknownFormat);
    }
    const int row = r.U16();
    const int firstCol = r.U16();
    const size_t cells = (length - 6) / 6;
    for (size_t i = 0; i < cells; ++i) {
        const int attr = r.U16();
        ReportRk(row, firstCol + static_cast<int>(i), attr, r.U32());
    }
    r.U16(); // last column
}

void RecordLoop::OnLabel2(Cursor& r) {
    const int row = r.U16();
    const int col = r.U16();
    const int attr = static_cast<int>(r.U24());
    const size_t length = r.U8();
    Report(row, col, attr, ByteText(r.Bytes(length)));
}

void RecordLoop::OnLabel(std::string_view body) {
    constexpr size_t kTextOffset = 8; // row, column, format index, count
    Cursor r(body, Failure::UnknownFormat);
    const int row = r.U16();
    const int col = r.U16();
    const int attr = r.U16();
    const size_t count = r.U16();
    size_t needed = count;
    if (version_ >= 8) {
        const bool wide = r.U8() & 0x01; // the option byte
        needed = wide ? count * 2 : count;
    }
    if (r.Left() >= needed) {
        r.Rewind(kTextOffset);
        Report(row, col, attr, ReadText(r, count));
    } else if (version_ >= 8) {
        // The characters go on in CONTINUE records, each after an option byte.
        const ContinuedData& data = GatherContinued(body);
        if (data.starts.empty()) {
            throw EXBiffError(Failure::UnknownFormat); // no continuation: too short
        }
        ContinuedStringReader reader(data);
        reader.cursor().Skip(kTextOffset - 2);
        Report(row, col, attr, reader.ReadString(units_));
    } else {
        Report(row, col, attr, ContinuedByteText(body, kTextOffset, count));
    }
}

std::string RecordLoop::ContinuedByteText(std::string_view body, size_t offset, size_t count) {
    const ContinuedData& data = GatherContinued(body);
    Cursor joined(data.bytes, Failure::UnknownFormat);
    joined.Skip(offset);
    return ByteText(joined.Bytes(count));
}

void RecordLoop::OnBoolErr(Cursor& r, bool threeAttributeBytes) {
    static const std::string kTrue = "TRUE";
    static const std::string kFalse = "FALSE";
    const int row = r.U16();
    const int col = r.U16();
    const int attr = threeAttributeBytes ? static_cast<int>(r.U24()) : r.U16();
    const std::uint8_t value = r.U8();
    const bool isError = r.U8() != 0;
    if (!isError) {
        Report(row, col, attr, value ? kTrue : kFalse);
    } else if (*ErrorText(value) != '\0') {
        Report(row, col, attr, ErrorText(value));
    }
}

void RecordLoop::OnCodePage(Cursor& r) {
    const int codePage = r.U16();
    if (version_ < 8) {
        codePage_ = codePage;
    }
}

std::string RecordLoop::ByteText(std::string_view bytes) const {
    // From BIFF8 on, byte texts are Latin-1 characters whatever the CODEPAGE
    // record says (it is 1200 there); they never come here.
    return codePage_ == 0 ? std::string(bytes) : cp932::FromCodePage(bytes, codePage_);
}

void RecordLoop::OnRString(Cursor& r) {
    const int row = r.U16();
    const int col = r.U16();
    const int attr = r.U16();
    const size_t count = r.U16();
    Report(row, col, attr, ReadText(r, count));
}

std::string RecordLoop::ReadText(Cursor& r, size_t count) {
    if (version_ < 8) {
        return ByteText(r.Bytes(count));
    }
    const bool wide = r.U8() & 0x01;
    units_.clear();
    ReadCharacters(r, count, wide, units_);
    return cp932::FromUtf16(units_);
}

const ContinuedData& RecordLoop::GatherContinued(std::string_view first) {
    if (first.size() > kMaxRecordData) {
        throw EXBiffError(Failure::UnknownFormat);
    }
    ContinuedData& data = continued_;
    data.bytes = first;
    data.joined.clear();
    data.starts.clear();
    // The window still holds the next record's number; `first` lies in it
    // and is copied before the window moves on.
    if (stream_.Left() < 4 || !NextIsContinue()) {
        return data;
    }
    data.joined.assign(first);
    while (true) {
        EnsureAhead();
        if (stream_.Left() < 4 || !NextIsContinue()) {
            break;
        }
        stream_.U16();
        const std::uint16_t length = stream_.U16();
        if (length > kMaxRecordData) {
            throw EXBiffError(Failure::UnknownFormat);
        }
        std::string_view body = stream_.Bytes(length);
        data.starts.push_back(data.joined.size());
        data.joined.append(body);
    }
    data.bytes = data.joined;
    return data;
}

void RecordLoop::OnSst(std::string_view body) {
    // The table is read record by record: the strings of the data gathered
    // so far are taken, then the data they took is dropped and the next
    // CONTINUE record appended to what is left (a string that goes on).
    if (body.size() > kMaxRecordData) {
        throw EXBiffError(Failure::UnknownFormat);
    }
    if (body.size() >= 8) {
        // Room for the unique count of strings, as far as the rest of the
        // stream is likely to hold them, and for their texts in the bytes of
        // the rest of the stream: a hint, not a limit, which a damaged count
        // cannot make fail.
        Cursor counts(body, Failure::UnknownFormat);
        counts.U32();
        const std::uint64_t rest = size_ - Position();
        try {
            sharedStrings_.Reserve(
                static_cast<size_t>(std::min<std::uint64_t>(counts.U32(), rest / 16)),
                static_cast<size_t>(rest));
        } catch (const std::bad_alloc&) {
        }
    }
    ContinuedData& data = continued_;
    data.joined.assign(body);
    data.starts.clear();
    size_t done = 0;      // the end of the strings taken
    size_t needed = 0;    // the data a string's rich runs and extended data need
    bool counted = false; // the total and unique counts (not needed) passed over
    while (true) {
        data.bytes = data.joined;
        if (data.joined.size() >= needed) {
            ContinuedStringReader reader(data);
            Cursor& cursor = reader.cursor();
            cursor.Skip(done);
            if (!counted && cursor.Left() >= 8) {
                cursor.Skip(8);
                counted = true;
                done = cursor.Position();
            }
            while (counted && !cursor.AtEnd() && reader.TryReadUnits(units_, needed)) {
                sharedStrings_.Add(units_);
                done = cursor.Position();
            }
        }
        if (stream_.Left() < 4 || !NextIsContinue()) {
            if (!counted || done < data.joined.size()) {
                throw EXBiffError(Failure::StreamRead); // the table ends inside a string
            }
            return;
        }
        data.joined.erase(0, done);
        size_t kept = 0;
        for (size_t start : data.starts) {
            if (start >= done) {
                data.starts[kept++] = start - done;
            }
        }
        data.starts.resize(kept);
        needed = needed > done ? needed - done : 0;
        done = 0;
        EnsureAhead();
        stream_.U16();
        const std::uint16_t length = stream_.U16();
        if (length > kMaxRecordData) {
            throw EXBiffError(Failure::UnknownFormat);
        }
        const std::string_view next = stream_.Bytes(length);
        data.starts.push_back(data.joined.size());
        data.joined.append(next);
    }
}

void RecordLoop::OnLabelSst(Cursor& r) {
    const int row = r.U16();
    const int col = r.U16();
    r.U16(); // cell format index
    const std::uint32_t index = r.U32();
    if (index < sharedStrings_.Size()) {
        text_.assign(sharedStrings_[index]);
        Report(row, col, 0, text_);
    }
}

void RecordLoop::OnFormula(Cursor& r) {
    static const std::string kTrue = "TRUE";
    static const std::string kFalse = "FALSE";
    const int row = r.U16();
    const int col = r.U16();
    const int attr = version_ == 2 ? static_cast<int>(r.U24()) : r.U16();
    const std::string_view result = r.Bytes(8);
    pending_.active = false;
    const auto byte = [&](size_t i) { return static_cast<std::uint8_t>(result[i]); };
    // Bytes 6 and 7 set to 0xFF mark a result that is not a number; byte 0
    // then tells which kind it is.
    if (byte(6) == 0xFF && byte(7) == 0xFF) {
        switch (byte(0)) {
        case 0: // text, carried by the STRING record that follows
            pending_ = {true, row, col, attr};
            break;
        case 1:
            Report(row, col, attr, byte(2) ? kTrue : kFalse);
            break;
        case 2:
            if (*ErrorText(byte(2)) != '\0') {
                Report(row, col, attr, ErrorText(byte(2)));
            }
            break;
        case 3: // empty text
            Report(row, col, attr, std::string());
            break;
        default:
            break;
        }
        return;
    }
    Cursor number(result, Failure::UnknownFormat);
    ReportNumber(row, col, attr, number.F64());
}

void RecordLoop::OnString(std::string_view body) {
    std::string text;
    if (version_ >= 8) {
        const ContinuedData& data = GatherContinued(body);
        ContinuedStringReader reader(data);
        text = reader.ReadString(units_);
    } else {
        Cursor r(body, Failure::UnknownFormat);
        const size_t length = version_ == 2 ? r.U8() : r.U16();
        text = length <= r.Left() ? ByteText(r.Bytes(length))
                                  : ContinuedByteText(body, r.Position(), length);
    }
    if (pending_.active) {
        pending_.active = false;
        Report(pending_.row, pending_.col, pending_.attr, text);
    }
}

void RecordLoop::OnColInfo(Cursor& r) {
    const int first = r.U16();
    // A sheet has at most 256 columns; larger numbers (a damaged record could
    // ask for 65536 events per 10 bytes) are not reported.
    const int last = std::min<int>(r.U16(), kLastColumn);
    const int width = r.U16();
    if (!owner_.OnReadColW) {
        return;
    }
    for (int col = first; col <= last; ++col) {
        owner_.OnReadColW(&owner_, sheetNo_, col, width);
    }
}

void RecordLoop::OnBoundSheet(Cursor& r) {
    lastSheetStart_ = std::max<size_t>(lastSheetStart_, r.U32()); // where the sheet's BOF is
    const std::uint16_t options = r.U16();
    if ((options >> 8) != 0) {
        return; // not a worksheet
    }
    const size_t count = r.U8();
    const std::string name = ReadText(r, count);
    if (owner_.OnReadSheetName) {
        owner_.OnReadSheetName(&owner_, name);
    }
}

} // namespace xbiff
