#include "JapaneseFont.h"

#include <QFontDatabase>
#include <QStringList>

namespace printing {

bool HaveJapaneseFont() {
    return !QFontDatabase::families(QFontDatabase::Japanese).isEmpty();
}

} // namespace printing
