// The kinds of file the program opens and writes, in one table: what the
// file dialogs offer (description and pattern, in their order), the
// extension a name takes, the archive kind and layout of a note, and the
// writer that produces the file. Adding a format is one row. No Qt.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace filekinds {

enum class Archive { None, Text, Xml };
enum class Layout { Current, Format04 };
enum class Writer { None, Note, Spreadsheet };

struct FileKind {
    std::string_view saveDescription; // UTF-8, as the save dialog shows it
    std::string_view openDescription; // UTF-8; empty when the open dialog does not offer it
    std::string_view pattern;         // "*.srt"; "*.*" for every file
    std::string_view extension;       // ".srt"; empty for every file
    Archive archive;
    Layout layout;
    Writer writer;
};

// Every kind, in the order of the save dialog's filters. The open dialog
// offers those with an open description, in the same order.
std::span<const FileKind> Kinds();

// The dialogs' filter texts "description|pattern|description|pattern|…"
// (UTF-8).
std::string SaveFilterText();
std::string OpenFilterText();

// The kind at the save dialog's 1-based filter position; nullptr when out
// of range.
const FileKind* SaveKindAt(int position);

// The save dialog's 1-based position of the first kind written by `writer`
// (1 when there is none); the first position is the note's own kind.
int SavePositionOf(Writer writer);
constexpr int kFirstSavePosition = 1;

// The extension of the file-name part of `path` (after the last '/'): its
// text from the last '.' on, dot included; empty when it has no dot.
std::string Extension(std::string_view path);

// The kind a name stands for by its extension, compared exactly (".SRT" is
// not ".srt"): the first row with that extension, so ".srt" is the current
// layout. nullptr for any other name.
const FileKind* KindOfName(std::string_view path);

// The archive a note file is read as: XML for ".xml", text otherwise.
Archive ArchiveToRead(std::string_view path);

// The name a save writes for `typed`, chosen under `kind`: a file-name part
// without a dot takes the kind's extension; any other name stays as typed.
std::string NameWithExtension(std::string_view typed, const FileKind& kind);

} // namespace filekinds
