// The main window's workspace: the study windows' area with the program's picture behind them.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMdiArea>

namespace kestra {

// Paints the background picture at the viewport's size. The picture is rendered when a paint first needs it
// at a size, never for the sizes the window passes through before it is shown, and kept for that size.
// A paint at a size not rendered yet shows the picture's ground colour and renders the picture right after,
// so the window appears without waiting for it (rendering is most of what a start costs).
class BackgroundArea : public QMdiArea {
    Q_OBJECT

public:
    explicit BackgroundArea(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void renderPicture();

    bool m_renderQueued = false;
};

}  // namespace kestra
