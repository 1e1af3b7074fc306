#include "Xbiff.h"

#include "ClipboardText.h"
#include "Cp932.h"
#include "XbiffRecords.h"
#include "XbiffStorage.h"
#include "Xwritebiff.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>

namespace xbiff {

std::string MessageOf(Failure failure) {
    switch (failure) {
    case Failure::OpenFailed:
        return S("ﾌｧｲﾙを開くことに失敗しました");
    case Failure::UnknownFormat:
        return S("未知のフォーマット.");
    case Failure::StreamRead:
        break;
    }
    return S("ストリーム読込みエラー.");
}

} // namespace xbiff

EXBiffError::EXBiffError(xbiff::Failure failure)
    : std::runtime_error(xbiff::MessageOf(failure)), failure_(failure) {}

void TXBiff::LoadFile(const std::string& FileName) {
    fileName_ = FileName;
    LoadExcel(FileName);
}

void TXBiff::LoadExcel(const std::string& FileName) {
    const xbiff::WorkbookData data = xbiff::ReadWorkbookFile(FileName);
    kind_ = data.kind;
    xbiff::RecordLoop loop(*this, *data.source);
    loop.Run();
}

void TXBiff::LoadData(std::string_view FileBytes) {
    if (FileBytes.size() > xbiff::kMaxFileSize) {
        throw EXBiffError(xbiff::Failure::UnknownFormat);
    }
    const xbiff::WorkbookData data = xbiff::FindWorkbookData(FileBytes);
    kind_ = data.kind;
    if (data.source) {
        xbiff::RecordLoop loop(*this, *data.source);
        loop.Run();
    } else {
        xbiff::RecordLoop loop(*this, FileBytes);
        loop.Run();
    }
}

void TXBiff::SaveFile(const std::string& FileName, const std::vector<std::string>& Lines) {
    if (Lines.empty()) {
        return;
    }
    const size_t width = editing::SplitClipboardFields(Lines.front()).size();
    const std::int64_t total = static_cast<std::int64_t>(Lines.size()) * width;
    TWriteBiff writer(FileName, static_cast<int>(Lines.size()) + 1, static_cast<int>(width) + 1);
    std::int64_t written = 0;
    for (size_t row = 0; row < Lines.size(); ++row) {
        const std::vector<std::string> fields = editing::SplitClipboardFields(Lines[row]);
        const size_t count = std::min(width, fields.size());
        for (size_t col = 0; col < count; ++col) {
            writer.WriteCell(static_cast<int>(row), static_cast<int>(col), 0, fields[col]);
        }
        written += static_cast<std::int64_t>(count);
        progress_ = total > 0 ? static_cast<int>(written * 100 / total) : 100;
        DoProgress(this);
    }
    try {
        writer.Finish();
    } catch (...) {
        progress_ = 0;
        DoProgress(this);
        throw;
    }
    progress_ = 0;
    DoProgress(this);
}

double TXBiff::NumFromRk(std::uint32_t Value) {
    double result;
    if (Value & 0x02) {
        result = static_cast<double>(static_cast<std::int32_t>(Value) >> 2);
    } else {
        const std::uint64_t bits = static_cast<std::uint64_t>(Value & 0xFFFFFFFCu) << 32;
        std::memcpy(&result, &bits, sizeof result);
    }
    if (Value & 0x01) {
        result /= 100;
    }
    return result;
}

void TXBiff::DoProgress(TXBiff* Sender) {
    if (OnProgress) {
        OnProgress(Sender, progress_);
    }
}
