// SPDX-License-Identifier: GPL-3.0-or-later
#include "reporting/ui/flag_icons.h"

#include <QPainter>

namespace kestra {

namespace {

QPixmap blank(const QSize& size)
{
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

void frame(QPainter& p, const QSize& size)
{
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0x80, 0x80, 0x80), 1));
    p.drawRect(QRectF(0.5, 0.5, size.width() - 1, size.height() - 1));
}

}  // namespace

QPixmap DrawItalianFlag(const QSize& size)
{
    QPixmap pixmap = blank(size);
    QPainter p(&pixmap);
    const double third = size.width() / 3.0;
    p.fillRect(QRectF(0, 0, third, size.height()), QColor(0x00, 0x92, 0x46));
    p.fillRect(QRectF(third, 0, third, size.height()), QColor(0xf4, 0xf5, 0xf0));
    p.fillRect(QRectF(2 * third, 0, size.width() - 2 * third, size.height()), QColor(0xce, 0x2b, 0x37));
    frame(p, size);
    return pixmap;
}

QPixmap DrawUnitedKingdomFlag(const QSize& size)
{
    QPixmap pixmap = blank(size);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    // Drawn on the flag's own 60 x 30 grid.
    p.scale(size.width() / 60.0, size.height() / 30.0);
    const QColor blue(0x01, 0x21, 0x69), red(0xc8, 0x10, 0x2e), white(Qt::white);
    p.fillRect(QRectF(0, 0, 60, 30), blue);

    p.setPen(QPen(white, 6));
    p.drawLine(QLineF(0, 0, 60, 30));
    p.drawLine(QLineF(0, 30, 60, 0));

    // The red saltire is counterchanged: in each quarter it runs on the clockwise side of the white one.
    p.save();
    p.setPen(QPen(red, 2));
    const double d = 1.0;  // offset of the red band from the centre line
    p.setClipRect(QRectF(0, 0, 30, 15));
    p.drawLine(QLineF(0, 0 + d, 30, 15 + d));
    p.setClipRect(QRectF(30, 15, 30, 15));
    p.drawLine(QLineF(30, 15 - d, 60, 30 - d));
    p.setClipRect(QRectF(30, 0, 30, 15));
    p.drawLine(QLineF(30 - 2 * d, 15, 60 - 2 * d, 0));
    p.setClipRect(QRectF(0, 15, 30, 15));
    p.drawLine(QLineF(0 + 2 * d, 30, 30 + 2 * d, 15));
    p.restore();

    p.fillRect(QRectF(25, 0, 10, 30), white);
    p.fillRect(QRectF(0, 10, 60, 10), white);
    p.fillRect(QRectF(27, 0, 6, 30), red);
    p.fillRect(QRectF(0, 12, 60, 6), red);
    p.resetTransform();
    frame(p, size);
    return pixmap;
}

}  // namespace kestra
