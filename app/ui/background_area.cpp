#include "app/ui/background_area.h"

#include <QPaintEvent>
#include <QPainter>

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
    const QPixmap picture = BackgroundPicture(area->size(), area->devicePixelRatioF());
    QPainter painter(area);
    const qreal ratio = picture.devicePixelRatio();
    for (const QRect& rect : event->region())
        painter.drawPixmap(
            rect, picture,
            QRectF(rect.x() * ratio, rect.y() * ratio, rect.width() * ratio, rect.height() * ratio));
}

}  // namespace kestra
