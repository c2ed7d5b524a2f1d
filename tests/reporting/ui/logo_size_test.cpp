// SPDX-License-Identifier: GPL-3.0-or-later
#include "reporting/ui/logo_size.h"

#include <gtest/gtest.h>

#include "report_test_support.h"
#include "test_support.h"

namespace kestra {
namespace {

TEST(LogoSizeTest, TwipsComeFromPixelsAndTheStatedResolution)
{
    test::TempDir dir;
    // 10000 dots per metre: a pixel is 0.1 mm, 10 HIMETRIC.
    test::WritePicture(dir / "a.png", 400, 200, 10000);
    const auto a = ReadLogoSize((dir / "a.png").string());
    ASSERT_TRUE(a);
    EXPECT_EQ(a->widthTwips, 2200);
    EXPECT_EQ(a->heightTwips, 1100);

    test::WritePicture(dir / "b.png", 2000, 500, 10000);  // 20 x 5 cm
    const auto b = ReadLogoSize((dir / "b.png").string());
    ASSERT_TRUE(b);
    EXPECT_EQ(b->widthTwips, 11000);
    EXPECT_EQ(b->heightTwips, 2750);
    ReportLayout layout;
    ApplyReportLogo(layout, (dir / "b.png").string(), ReadLogoSize);
    EXPECT_EQ(layout.logo.widthTwips, 5700);
    EXPECT_EQ(layout.logo.heightTwips, 1425);

    // No resolution in the file: 96 dpi, so 96 pixels are an inch, 2540 HIMETRIC.
    test::WritePicture(dir / "c.png", 96, 48, 0);
    const auto c = ReadLogoSize((dir / "c.png").string());
    ASSERT_TRUE(c);
    EXPECT_EQ(c->widthTwips, 1397);
    EXPECT_EQ(c->heightTwips, 698);
}

TEST(LogoSizeTest, MissingFileIsNoLogoAndAnUnreadableOneAnError)
{
    test::TempDir dir;
    EXPECT_FALSE(ReadLogoSize((dir / "none.png").string()));
    EXPECT_FALSE(ReadLogoSize(""));
    test::writeFile(dir / "bad.png", "not a picture");
    EXPECT_THROW(ReadLogoSize((dir / "bad.png").string()), ReportPipelineError);
}

TEST(LogoSizeTest, FilterListsFormatsReallyRead)
{
    const QStringList patterns = LogoFilePatterns();
    for (const char* p : {"*.png", "*.bmp", "*.jpg", "*.gif"}) EXPECT_TRUE(patterns.contains(QString::fromLatin1(p))) << p;
    EXPECT_FALSE(patterns.contains(QStringLiteral("*.pcx")));  // listed by older systems, not read here
}

}  // namespace
}  // namespace kestra
