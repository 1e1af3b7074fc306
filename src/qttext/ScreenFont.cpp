#include "ScreenFont.h"

#include "QtText.h"

#include <QFontDatabase>

namespace qttext {

QString InstalledFace(const QString& family, const QStringList& substitutes) {
    if (QFontDatabase::hasFamily(family)) {
        return family;
    }
    for (const QString& substitute : substitutes) {
        if (QFontDatabase::hasFamily(substitute)) {
            return substitute;
        }
    }
    return family;
}

QFont ScreenFont(int pixels) {
    // Looked up once: each look-up asks fontconfig.
    static const QString face = InstalledFace(Q("ＭＳ Ｐゴシック"), {QStringLiteral("IPAPGothic")});
    QFont font(face);
    font.setPixelSize(pixels);
    return font;
}

} // namespace qttext
