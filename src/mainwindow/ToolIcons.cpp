#include "ToolIcons.h"

#include "IconPixels.h"
#include "ToolPictures.h"

#include <QImage>

namespace toolicons {

namespace {

QPixmap PixmapOf(const iconpixels::Picture& picture) {
    const QImage image(reinterpret_cast<const uchar*>(picture.argb), picture.size, picture.size,
                       QImage::Format_ARGB32_Premultiplied);
    return QPixmap::fromImage(image);
}

} // namespace

QIcon NewNote() {
    return QIcon(PixmapOf(iconpixels::kNewNote));
}

QIcon OpenNote() {
    return QIcon(PixmapOf(iconpixels::kOpenNote));
}

QIcon SaveNote() {
    return QIcon(PixmapOf(iconpixels::kSaveNote));
}

QIcon SaveAs() {
    return QIcon(PixmapOf(iconpixels::kSaveAs));
}

QIcon PrintAll() {
    return QIcon(PixmapOf(iconpixels::kPrintAll));
}

QPixmap ProgramIcon(int size) {
    return QPixmap::fromImage(toolpictures::ProgramIcon(size));
}

QIcon WindowIcon() {
    QIcon icon;
    for (const iconpixels::Picture& picture : iconpixels::kWindowPictures) {
        icon.addPixmap(PixmapOf(picture));
    }
    return icon;
}

} // namespace toolicons
