// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ui/background_area.h"

#include <QPaintEvent>
#include <QPainter>
#include <QTimer>

#include "app/ui/shell_icons.h"

namespace kestra {

BackgroundArea::BackgroundArea(QWidget* parent) : QMdiArea(parent)
{
    // Every pixel is covered by the picture, so Qt need not clear the viewport first.
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
}

void BackgroundArea::paintEvent(QPaintEvent* event)
{
    QWidget* area = viewport();
    const QPixmap picture = KeptBackgroundPicture(area->size(), area->devicePixelRatioF());
    QPainter painter(area);
    if (picture.isNull()) {
        for (const QRect& rect : event->region()) painter.fillRect(rect, BackgroundGroundColour());
        if (!m_renderQueued) {
            m_renderQueued = true;
            QTimer::singleShot(0, this, &BackgroundArea::renderPicture);
        }
        return;
    }
    const qreal ratio = picture.devicePixelRatio();
    for (const QRect& rect : event->region())
        painter.drawPixmap(
            rect, picture,
            QRectF(rect.x() * ratio, rect.y() * ratio, rect.width() * ratio, rect.height() * ratio));
}

void BackgroundArea::renderPicture()
{
    m_renderQueued = false;
    QWidget* area = viewport();
    BackgroundPicture(area->size(), area->devicePixelRatioF());
    area->update();
}

}  // namespace kestra
