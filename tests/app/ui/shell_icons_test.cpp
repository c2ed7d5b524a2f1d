// The main window's background: its title in the bottom right corner stays whole at any window size.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ui/shell_icons.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPixmap>
#include <cstdlib>

namespace kestra {
namespace {

TEST(ShellIcons, TheBackgroundKeepsItsBottomRightCornerWhenTheAreaIsShorterOrNarrower)
{
    const QImage natural = BackgroundPicture(QSize(1600, 1000)).toImage();
    // a maximised window at 1600 x 1000 leaves about 966 pixels under its title and menu bar
    const QImage shorter = BackgroundPicture(QSize(1600, 966)).toImage();
    const QImage narrower = BackgroundPicture(QSize(1200, 1000)).toImage();
    ASSERT_FALSE(natural.isNull());
    // the same colour but for the rounding of antialiased edges
    const auto near = [](QRgb a, QRgb b) {
        return std::abs(qRed(a) - qRed(b)) <= 8 && std::abs(qGreen(a) - qGreen(b)) <= 8 &&
               std::abs(qBlue(a) - qBlue(b)) <= 8;
    };
    int differing = 0;
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 700; ++x) {
            // the subtitle's last rows: the same pixels whatever was cut off
            if (!near(shorter.pixel(1599 - x, 965 - y), natural.pixel(1599 - x, 999 - y))) ++differing;
            if (!near(narrower.pixel(1199 - x, 999 - y), natural.pixel(1599 - x, 999 - y))) ++differing;
        }
    EXPECT_EQ(differing, 0);
}

}  // namespace
}  // namespace kestra
