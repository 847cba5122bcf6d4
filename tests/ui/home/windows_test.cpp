// The build puts the pictures the windows load beside the program.

#include <QCoreApplication>
#include <QDir>
#include <QImage>

#include <gtest/gtest.h>

namespace {

TEST(AssetPictures, BuildPutsTwelvePagePicturesBesideTheProgram)
{
    const QDir folder(QCoreApplication::applicationDirPath());
    for (int button = 1; button <= 6; ++button) {
        QImage pictures[2];
        for (int pressed = 0; pressed < 2; ++pressed) {
            const QString name = QStringLiteral("button%1%2.bmp").arg(button).arg(pressed ? 'D' : 'U');
            QImage &image = pictures[pressed];
            ASSERT_TRUE(image.load(folder.filePath(name))) << qPrintable(name);
            EXPECT_EQ(image.size(), QSize(112, 38)) << qPrintable(name);
        }
        // The operator must see which page is in front.
        EXPECT_NE(pictures[0].convertToFormat(QImage::Format_RGB32),
                  pictures[1].convertToFormat(QImage::Format_RGB32))
            << "button " << button;
    }
    QImage icon;
    EXPECT_TRUE(icon.load(folder.filePath(QStringLiteral("tempmon.png"))));
    EXPECT_FALSE(icon.isNull());
}

} // namespace
