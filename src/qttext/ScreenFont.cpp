#include "ScreenFont.h"

#include "QtText.h"

#include <QFontDatabase>

namespace qttext {

QString InstalledFace(const QString& family, const QStringList& substitutes) {
    // The installed families, listed once: QFontDatabase::hasFamily asks
    // fontconfig to resolve each name first.
    const QStringList installed = QFontDatabase::families();
    if (installed.contains(family, Qt::CaseInsensitive)) {
        return family;
    }
    for (const QString& substitute : substitutes) {
        if (installed.contains(substitute, Qt::CaseInsensitive)) {
            return substitute;
        }
    }
    return family;
}

QFont ScreenFont(int pixels) {
    // Looked up once.
    static const QString face = InstalledFace(Q("ＭＳ Ｐゴシック"), {QStringLiteral("IPAPGothic")});
    QFont font(face);
    font.setPixelSize(pixels);
    return font;
}

std::jthread ReadFontDatabaseAside() {
    return std::jthread([] { QFontDatabase::families(); });
}

} // namespace qttext
