// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ui/shell_icons.h"

#include <QFile>
#include <QPainter>
#include <QSvgRenderer>
#include <algorithm>
#include <deque>

#include "framework/ui/ui_text.h"

// The pictures live in a resource of the static GUI library; naming its initialiser here makes the linker
// keep it.
static void initShellResources()
{
    Q_INIT_RESOURCE(shell);
}

namespace kestra {

namespace {

QString resourcePath(const QString& name)
{
    static const bool initialised = [] {
        initShellResources();
        return true;
    }();
    (void)initialised;
    return QStringLiteral(":/icons/") + name;
}

}  // namespace

QIcon ToolbarIcon(const QString& key)
{
    const QString path = resourcePath(key + QStringLiteral(".svg"));
    if (key.isEmpty() || !QFile::exists(path)) return {};
    return QIcon(path);
}

QIcon ProgramIcon()
{
    return QIcon(resourcePath(QStringLiteral("kestra.svg")));
}

namespace {

struct RenderedBackground {
    QSize pixels;
    qreal ratio;
    QPixmap picture;  // carries the ratio, so handing it out copies nothing
};

constexpr std::size_t kKeptBackgrounds = 3;

std::deque<RenderedBackground>& renderedBackgrounds()
{
    static std::deque<RenderedBackground> kept;
    return kept;
}

int& renderCount()
{
    static int count = 0;
    return count;
}

QPixmap renderBackground(const QSize& pixels)
{
    ++renderCount();
    QPixmap pixmap(pixels);
    pixmap.fill(BackgroundGroundColour());
    // the picture's subtitle speaks the interface language
    QFile file(resourcePath(QStringLiteral("background.svg")));
    QByteArray svg = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    const QString subtitle = QStringLiteral("Validazione dei metodi analitici");
    svg.replace(subtitle.toUtf8(), Ui::tr("Validazione dei metodi analitici").toHtmlEscaped().toUtf8());
    QSvgRenderer renderer(svg);
    if (!renderer.isValid()) return pixmap;
    // Cover the whole area keeping the picture's proportions. The title sits in the bottom right corner:
    // what overflows is cut off at the top and the left, so the title is always whole.
    const QSizeF picture = renderer.defaultSize();
    const qreal scale = std::max(pixmap.width() / picture.width(), pixmap.height() / picture.height());
    const QSizeF drawn = picture * scale;
    const QRectF target(pixmap.width() - drawn.width(), pixmap.height() - drawn.height(), drawn.width(),
                        drawn.height());
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter, target);
    return pixmap;
}

}  // namespace

namespace {

QSize pixelSize(const QSize& size, qreal ratio)
{
    return (QSizeF(size.expandedTo(QSize(1, 1))) * ratio).toSize().expandedTo(QSize(1, 1));
}

qreal validRatio(qreal devicePixelRatio)
{
    return devicePixelRatio > 0 ? devicePixelRatio : 1.0;
}

}  // namespace

QColor BackgroundGroundColour()
{
    return QColor(243, 237, 170);
}

QPixmap KeptBackgroundPicture(const QSize& size, qreal devicePixelRatio)
{
    const qreal ratio = validRatio(devicePixelRatio);
    const QSize pixels = pixelSize(size, ratio);
    const auto& kept = renderedBackgrounds();
    const auto it = std::find_if(kept.begin(), kept.end(), [&](const RenderedBackground& b) {
        return b.pixels == pixels && qFuzzyCompare(b.ratio, ratio);
    });
    return it != kept.end() ? it->picture : QPixmap();
}

QPixmap BackgroundPicture(const QSize& size, qreal devicePixelRatio)
{
    const QPixmap found = KeptBackgroundPicture(size, devicePixelRatio);
    if (!found.isNull()) return found;
    const qreal ratio = validRatio(devicePixelRatio);
    QPixmap picture = renderBackground(pixelSize(size, ratio));
    picture.setDevicePixelRatio(ratio);
    auto& kept = renderedBackgrounds();
    kept.push_front({pixelSize(size, ratio), ratio, picture});
    if (kept.size() > kKeptBackgrounds) kept.pop_back();
    return picture;
}

int BackgroundRenderCount()
{
    return renderCount();
}

}  // namespace kestra
