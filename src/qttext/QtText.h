// The one bridge between the system's code page 932 texts and Qt's Unicode
// strings. Widgets, the platform clipboard and printed fonts go through it.
#pragma once

#include "Cp932.h"

#include <QString>
#include <string>

namespace qttext {

inline QString FromCp932(const std::string& bytes) {
    return QString::fromStdString(cp932::ToUtf8(bytes));
}

inline std::string ToCp932(const QString& text) {
    return cp932::FromUtf8(text.toStdString());
}

// A UTF-8 literal of the source as a QString.
inline QString Q(const char* utf8) {
    return QString::fromUtf8(utf8);
}

// A file-system path (native bytes, UTF-8 here) as the text shown to users.
inline std::string PathAsCp932(const std::string& path) {
    return cp932::FromUtf8(path);
}

} // namespace qttext
