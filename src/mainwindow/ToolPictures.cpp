#include "ToolPictures.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

namespace toolpictures {

namespace {

// A picture `size` pixels square, transparent where `draw` leaves it so,
// drawn with antialiasing.
template <typename Draw> QImage Drawn(Draw draw, int size = kToolSize) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        draw(p);
    }
    return image;
}

void Sheet(QPainter& p, const QRectF& r) {
    const qreal fold = r.width() * 0.3;
    QPainterPath path;
    path.moveTo(r.left(), r.top());
    path.lineTo(r.right() - fold, r.top());
    path.lineTo(r.right(), r.top() + fold);
    path.lineTo(r.right(), r.bottom());
    path.lineTo(r.left(), r.bottom());
    path.closeSubpath();
    p.setPen(QPen(QColor(0x40, 0x40, 0x40), 1));
    p.setBrush(Qt::white);
    p.drawPath(path);
    QPainterPath corner;
    corner.moveTo(r.right() - fold, r.top());
    corner.lineTo(r.right() - fold, r.top() + fold);
    corner.lineTo(r.right(), r.top() + fold);
    p.setBrush(QColor(0xD8, 0xD8, 0xD8));
    p.drawPath(corner);
}

void Disk(QPainter& p, const QRectF& r) {
    p.setPen(QPen(QColor(0x20, 0x30, 0x60), 1));
    p.setBrush(QColor(0x35, 0x5C, 0xB0));
    p.drawRoundedRect(r, 1.5, 1.5);
    // Label and shutter.
    p.setBrush(Qt::white);
    p.setPen(Qt::NoPen);
    p.drawRect(QRectF(r.left() + r.width() * 0.2, r.top() + r.height() * 0.52, r.width() * 0.6,
                      r.height() * 0.4));
    p.setBrush(QColor(0xC8, 0xC8, 0xC8));
    p.drawRect(
        QRectF(r.left() + r.width() * 0.28, r.top() + 1, r.width() * 0.44, r.height() * 0.32));
    p.setBrush(QColor(0x35, 0x5C, 0xB0));
    p.drawRect(
        QRectF(r.left() + r.width() * 0.55, r.top() + 2, r.width() * 0.1, r.height() * 0.24));
}

} // namespace

QImage NewNote() {
    return Drawn([](QPainter& p) {
        Sheet(p, QRectF(4.5, 1.5, 11, 16));
        p.setPen(QPen(QColor(0xE0, 0xA0, 0x00), 1.4));
        p.drawLine(QPointF(14, 13), QPointF(19, 18));
        p.drawLine(QPointF(19, 13), QPointF(14, 18));
        p.drawLine(QPointF(16.5, 12), QPointF(16.5, 19));
    });
}

QImage OpenNote() {
    return Drawn([](QPainter& p) {
        p.setPen(QPen(QColor(0x80, 0x60, 0x10), 1));
        p.setBrush(QColor(0xE8, 0xC0, 0x50));
        p.drawPolygon(
            QPolygonF{{1.5, 4.5}, {7.5, 4.5}, {9, 6.5}, {16.5, 6.5}, {16.5, 17.5}, {1.5, 17.5}});
        p.setBrush(QColor(0xF8, 0xD8, 0x70));
        p.drawPolygon(QPolygonF{{1.5, 17.5}, {4.5, 9.5}, {19.5, 9.5}, {16.5, 17.5}});
    });
}

QImage SaveNote() {
    return Drawn([](QPainter& p) { Disk(p, QRectF(2.5, 2.5, 15, 15)); });
}

QImage SaveAs() {
    return Drawn([](QPainter& p) {
        Disk(p, QRectF(1.5, 1.5, 13, 13));
        p.setPen(QPen(QColor(0x20, 0x20, 0x20), 1));
        p.setBrush(QColor(0xF0, 0xB0, 0x30));
        p.drawPolygon(QPolygonF{{18.5, 9.5}, {20, 11}, {12.5, 18.5}, {10.5, 19}, {11, 17}});
    });
}

QImage PrintAll() {
    return Drawn([](QPainter& p) {
        Sheet(p, QRectF(5.5, 1.5, 9, 8));
        p.setPen(QPen(QColor(0x40, 0x40, 0x40), 1));
        p.setBrush(QColor(0xB8, 0xB8, 0xC0));
        p.drawRoundedRect(QRectF(1.5, 8.5, 17, 7), 1.5, 1.5);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(5.5, 13.5, 9, 5));
        p.setPen(QPen(QColor(0x30, 0xA0, 0x30), 1.5));
        p.drawPoint(QPointF(16, 11));
    });
}

QImage ProgramIcon(int size) {
    return Drawn(
        [size](QPainter& p) {
            p.scale(size / 32.0, size / 32.0);
            Sheet(p, QRectF(5.5, 2.5, 21, 27));
            p.setPen(QPen(QColor(0x70, 0x90, 0xC0), 1));
            for (int y = 11; y <= 25; y += 4) {
                p.drawLine(QPointF(8.5, y + 0.5), QPointF(23.5, y + 0.5));
            }
            p.setPen(QPen(QColor(0xC0, 0x30, 0x30), 1.6));
            p.drawLine(QPointF(9, 4.5), QPointF(12, 8));
            p.drawLine(QPointF(15, 4.5), QPointF(12, 8));
            p.drawLine(QPointF(12, 8), QPointF(12, 10));
            p.drawLine(QPointF(9.5, 7.5), QPointF(14.5, 7.5));
        },
        size);
}

} // namespace toolpictures
