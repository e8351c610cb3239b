#include "gui/qt_page_renderer.h"

#include <gtest/gtest.h>

#include <QImage>

#include "support/temp_dir.h"

namespace orvella {
namespace {

TEST(QtPageRendererTest, APageBecomesAScreenSizedPictureOfItsLayout) {
    testing::TempDir dir;
    dir.Write("page.htm",
              "<html><body bgcolor=\"#0000ff\"><p style=\"background-color:#ff0000\">"
              "Orvella</p><img src=\"https://example.invalid/remote.png\"></body></html>");
    const QtPageRenderer renderer(dir.File("out.png"), [] { return QSize(200, 150); });

    Result<std::string> picture = renderer.PictureForPage(dir.File("page.htm"));
    ASSERT_TRUE(picture) << picture.message();
    EXPECT_EQ(*picture, dir.File("out.png"));
    const QImage image(QString::fromStdString(*picture));
    ASSERT_EQ(image.size(), QSize(200, 150));
    // The red paragraph runs across the page's width; the page's own colour fills the rest.
    EXPECT_EQ(image.pixelColor(150, 10), QColor(255, 0, 0));
    EXPECT_EQ(image.pixelColor(100, 140), QColor(0, 0, 255));

    Result<std::string> missing = renderer.PictureForPage(dir.File("gone.htm"));
    ASSERT_FALSE(missing);
    EXPECT_NE(missing.message().find("gone.htm"), std::string::npos);
}

}  // namespace
}  // namespace orvella
