// The help window finds the guide's pictures beside its document (the build tree) or in the documentation
// folder of an installed tree (share/doc/kestra beside share/kestra), and shows nothing for a missing one.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ui/help_viewer.h"

#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QTextBrowser>
#include <QTextDocument>
#include <QUrl>
#include <QVariant>
#include <filesystem>

#include "test_support.h"

namespace kestra {
namespace {

namespace fs = std::filesystem;

struct PictureCase {
    const char* name;
    const char* pictureFolder;  // under the prefix; "" for none
    bool found;
};

void PrintTo(const PictureCase& c, std::ostream* os)
{
    *os << c.name;
}

class HelpPictures : public ::testing::TestWithParam<PictureCase> {};

TEST_P(HelpPictures, AreFoundBesideTheDocumentOrInTheDocumentationFolder)
{
    const PictureCase& c = GetParam();
    test::TempDir dir;
    const fs::path help = dir / "share" / "kestra";
    fs::create_directories(help);
    test::writeFile(help / "Guida.html",
                    "<html><body><p>Guida</p><img src=\"immagini/it/finestra.png\" width=\"40\"></body></html>");
    if (*c.pictureFolder) {
        const fs::path folder = dir.path() / c.pictureFolder / "immagini" / "it";
        fs::create_directories(folder);
        QImage picture(20, 10, QImage::Format_RGB32);
        picture.fill(QColor(10, 120, 200));
        ASSERT_TRUE(picture.save(QString::fromStdString((folder / "finestra.png").string())));
    }

    HelpWindow window;
    ASSERT_TRUE(window.showContents(QString::fromStdString((help / "Guida.html").string())));
    // as the document asks for it: its address makes the name absolute first
    const QVariant loaded = window.browser()->document()->resource(QTextDocument::ImageResource,
                                                                   QUrl(QStringLiteral("immagini/it/finestra.png")));
    QImage image;
    if (loaded.canConvert<QImage>()) image = loaded.value<QImage>();
    if (image.isNull() && loaded.canConvert<QByteArray>()) image.loadFromData(loaded.toByteArray());
    EXPECT_EQ(!image.isNull(), c.found);
    if (c.found) {
        EXPECT_EQ(image.size(), QSize(20, 10));
        EXPECT_EQ(image.pixelColor(3, 3), QColor(10, 120, 200));
    }
}

INSTANTIATE_TEST_SUITE_P(Folders, HelpPictures,
                         ::testing::Values(PictureCase{"beside", "share/kestra", true},
                                           PictureCase{"documentation", "share/doc/kestra", true},
                                           PictureCase{"elsewhere", "share/other", false},
                                           PictureCase{"missing", "", false}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace kestra
