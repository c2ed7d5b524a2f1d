// The program's own pictures: toolbar icons by button key, the program icon, the main window's background.
#pragma once

#include <QIcon>
#include <QPixmap>
#include <QSize>
#include <QString>

namespace kestra {

// The icon of a toolbar key ("New", "Open" ... "Exit"); a null icon for an unknown key.
QIcon ToolbarIcon(const QString& key);
QIcon ProgramIcon();
// The background picture scaled to cover size (cropped, never stretched).
QPixmap BackgroundPicture(const QSize& size);

}  // namespace kestra
