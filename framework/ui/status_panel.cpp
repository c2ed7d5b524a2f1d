// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/ui/status_panel.h"

#include <QMouseEvent>

namespace kestra {

StatusPanel::StatusPanel(const QString& text, QWidget* parent) : QLabel(text, parent)
{
    setFrameShape(QFrame::Panel);
    setLineWidth(1);
    setMargin(2);
    setSunken(true);
}

void StatusPanel::setSunken(bool sunken)
{
    m_sunken = sunken;
    setFrameShadow(sunken ? QFrame::Sunken : QFrame::Raised);
}

void StatusPanel::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) emit clicked();
    QLabel::mouseReleaseEvent(event);
}

void StatusPanel::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) emit doubleClicked();
    QLabel::mouseDoubleClickEvent(event);
}

}  // namespace kestra
