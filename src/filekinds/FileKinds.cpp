#include "FileKinds.h"

#include <array>

namespace filekinds {
namespace {

constexpr Archive Text = Archive::Text;
constexpr Archive Xml = Archive::Xml;
constexpr Archive NoArchive = Archive::None;
constexpr Layout Current = Layout::Current;
constexpr Layout Format04 = Layout::Format04;
constexpr Writer Note = Writer::Note;
constexpr Writer Spreadsheet = Writer::Spreadsheet;
constexpr Writer NoWriter = Writer::None;

// The save dialog's filters, in order; the open dialog shows the rows that
// have an open description.
constexpr std::array kKinds = {
    FileKind{"データファイル(*.srt)", "データファイル(*.srt)", "*.srt", ".srt", Text, Current,
             Note},
    FileKind{"XMLデータファイル(*.xml)", "データファイル(*.xml)", "*.xml", ".xml", Xml, Current,
             Note},
    FileKind{"データファイル(*.txt)", "データファイル(*.txt)", "*.txt", ".txt", Text, Current,
             Note},
    FileKind{"Excelデータファイル(*.xls)", "", "*.xls", ".xls", NoArchive, Current, Spreadsheet},
    FileKind{"Ver0.4データファイル(*.srt)", "", "*.srt", ".srt", Text, Format04, Note},
    FileKind{"Ver0.4XMLデータファイル(*.xml)", "", "*.xml", ".xml", Xml, Format04, Note},
    FileKind{"全てのファイル(*.*)", "全てのファイル(*.*)", "*.*", "", NoArchive, Current, NoWriter},
};

std::string FilterText(std::string_view FileKind::*description) {
    std::string text;
    for (const FileKind& kind : kKinds) {
        if ((kind.*description).empty()) {
            continue;
        }
        if (!text.empty()) {
            text += '|';
        }
        text.append(kind.*description).append("|").append(kind.pattern);
    }
    return text;
}

std::string_view FileNamePart(std::string_view path) {
    const size_t slash = path.rfind('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

} // namespace

std::span<const FileKind> Kinds() {
    return kKinds;
}

std::string SaveFilterText() {
    return FilterText(&FileKind::saveDescription);
}

std::string OpenFilterText() {
    return FilterText(&FileKind::openDescription);
}

const FileKind* SaveKindAt(int position) {
    if (position < 1 || position > static_cast<int>(kKinds.size())) {
        return nullptr;
    }
    return &kKinds[position - 1];
}

int SavePositionOf(Writer writer) {
    for (size_t i = 0; i < kKinds.size(); ++i) {
        if (kKinds[i].writer == writer) {
            return static_cast<int>(i) + 1;
        }
    }
    return kFirstSavePosition;
}

std::string Extension(std::string_view path) {
    const std::string_view name = FileNamePart(path);
    const size_t dot = name.rfind('.');
    return dot == std::string_view::npos ? std::string() : std::string(name.substr(dot));
}

const FileKind* KindOfName(std::string_view path) {
    const std::string extension = Extension(path);
    if (extension.empty()) {
        return nullptr;
    }
    for (const FileKind& kind : kKinds) {
        if (kind.extension == extension) {
            return &kind;
        }
    }
    return nullptr;
}

Archive ArchiveToRead(std::string_view path) {
    return Extension(path) == ".xml" ? Xml : Text;
}

std::string NameWithExtension(std::string_view typed, const FileKind& kind) {
    std::string name(typed);
    const std::string_view part = FileNamePart(typed);
    if (!part.empty() && part.find('.') == std::string_view::npos) {
        name.append(kind.extension);
    }
    return name;
}

} // namespace filekinds
