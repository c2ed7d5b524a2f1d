// The program's own pictures: toolbar icons by button key, the program icon, the main window's background.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QIcon>
#include <QPixmap>
#include <QSize>
#include <QString>

namespace kestra {

// The icon of a toolbar key ("New", "Open" ... "Exit"); a null icon for an unknown key.
QIcon ToolbarIcon(const QString& key);
QIcon ProgramIcon();
// The background picture scaled to cover size (cropped, never stretched) on a screen with the given pixel
// ratio. Rendered once per size: the last few sizes are kept, so going back and forth between a maximised
// and a normal window renders nothing again.
QPixmap BackgroundPicture(const QSize& size, qreal devicePixelRatio = 1.0);
// The picture when it is already rendered for that size; a null pixmap otherwise (nothing is rendered).
QPixmap KeptBackgroundPicture(const QSize& size, qreal devicePixelRatio = 1.0);
// The picture's ground colour, what shows where it is not drawn yet.
QColor BackgroundGroundColour();
// How many times the picture has been rendered in this process (the tests count them).
int BackgroundRenderCount();

}  // namespace kestra
