// SPDX-License-Identifier: GPL-3.0-or-later
#include "reporting/ui/logo_size.h"
#include "text/messages.h"

#include <QFileInfo>
#include <QImageReader>
#include <cmath>

namespace kestra {

namespace {

constexpr double kDefaultDpi = 96.0;

// A QImage made without a file carries the default resolution; a loaded picture showing the same value
// stated none of its own.
double resolutionOf(int dotsPerMeter, int defaultDotsPerMeter)
{
    if (dotsPerMeter <= 0 || dotsPerMeter == defaultDotsPerMeter) return kDefaultDpi;
    return dotsPerMeter * 0.0254;
}

}  // namespace

QSize HimetricSize(const QImage& image)
{
    const QImage blank(1, 1, QImage::Format_RGB32);
    const double dpiX = resolutionOf(image.dotsPerMeterX(), blank.dotsPerMeterX());
    const double dpiY = resolutionOf(image.dotsPerMeterY(), blank.dotsPerMeterY());
    return QSize(static_cast<int>(std::lround(image.width() * 2540.0 / dpiX)),
                 static_cast<int>(std::lround(image.height() * 2540.0 / dpiY)));
}

std::optional<LogoSize> ReadLogoSize(const std::string& path)
{
    const QString file = QString::fromStdString(path);
    if (path.empty() || !QFileInfo(file).isFile()) return std::nullopt;
    QImageReader reader(file);
    reader.setAutoTransform(true);
    const QImage image = reader.read();
    if (image.isNull())
        throw ReportPipelineError(Msg("lettura del logo \"%1\"", {path}),
                                  Msg("l'immagine non può essere letta (%1)", {reader.errorString().toStdString()}));
    const QSize himetric = HimetricSize(image);
    return LogoSize{LogoTwipsFromHimetric(himetric.height()), LogoTwipsFromHimetric(himetric.width())};
}

QStringList LogoFilePatterns()
{
    QStringList patterns;
    for (const QByteArray& format : QImageReader::supportedImageFormats()) {
        const QString f = QString::fromLatin1(format).toLower();
        // Only the common picture formats: the reader also lists container and icon formats.
        static const QStringList wanted = {"bmp", "gif", "jpg", "jpeg", "png", "pcx", "wmf", "tif", "tiff", "webp", "svg"};
        if (wanted.contains(f)) patterns << QStringLiteral("*.") + f;
    }
    patterns.removeDuplicates();
    return patterns;
}

}  // namespace kestra
