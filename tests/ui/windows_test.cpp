// The program's windows exist with their names and captions, open without blocking,
// and find the pictures the build puts beside the program.

#include "applicationtitle.h"
#include "homefixture.h"
#include "plantmodel.h"
#include "tfmaddalarm.h"
#include "tfmalmdlg.h"
#include "tfmbarpage.h"
#include "tfmbrowse.h"
#include "tfmchartsetting.h"
#include "tfmcommtest.h"
#include "tfmmodifyalarm.h"
#include "tfmpaset.h"
#include "tfmpassread.h"
#include "tfmrecord.h"
#include "tfmsetpage.h"
#include "tfmshowpawd.h"
#include "tfmtitle.h"
#include "tfmwriting.h"
#include "tform2.h"

#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

struct WindowCase {
    const char *objectName;
    const char *caption;
    std::function<std::unique_ptr<QWidget>()> make;
};

template <typename T>
std::unique_ptr<QWidget> make()
{
    return std::make_unique<T>();
}

std::unique_ptr<QWidget> makeSetPage()
{
    static PlantModel model;
    static RecordingBoxes boxes;
    static ApplicationTitle title;
    return std::make_unique<TFmSetPage>(model, boxes, title, [] { return 1; });
}

std::unique_ptr<QWidget> makeRecord()
{
    static RecordSettings settings;
    static QTimer timer;
    static RecordingBoxes boxes;
    return std::make_unique<TFmRecord>(settings, timer, [] {}, boxes);
}

TEST(Windows, EachHasItsNameAndCaptionAndOpensWithoutBlocking)
{
    const WindowCase cases[] = {
        {"FmSetPage", "設定溫控器", makeSetPage},
        {"FmBarPage", "DP讀取中...", make<TFmBarPage>},
        {"FmChartSetting", "曲線圖設定", make<TFmChartSetting>},
        {"FmWriting", "Write Recipe", make<TFmWriting>},
        {"FmAddAlarm", "增加警報點", make<TFmAddAlarm>},
        {"FmModifyAlarm", "變更警報設定", make<TFmModifyAlarm>},
        {"FmAlmDlg", "警報訊息", make<TFmAlmDlg>},
        {"FmRecord", "紀錄存檔", makeRecord},
        {"FmBrowse", "瀏覽", make<TFmBrowse>},
        {"FmCommTest", nullptr, make<TFmCommTest>}, // no operation shows it; any caption
        {"fmpaset", "密碼設定", make<Tfmpaset>},
        {"fmpassread", "請輸入密碼", make<Tfmpassread>},
        {"Fmshowpawd", "密碼設定", make<TFmshowpawd>},
        {"Form2", "溫度監控系統 9.22", make<TForm2>},
        {"FmTitle", "設定公司名稱", make<TFmTitle>},
    };
    for (const WindowCase &c : cases) {
        const std::unique_ptr<QWidget> window = c.make();
        EXPECT_EQ(window->objectName(), QString::fromLatin1(c.objectName));
        if (c.caption) {
            EXPECT_EQ(window->windowTitle(), QString::fromUtf8(c.caption)) << c.objectName;
        }
        EXPECT_TRUE(window->isWindow()) << c.objectName;
        EXPECT_FALSE(window->isVisible()) << c.objectName << " shows before it is asked to";
        window->show();
        EXPECT_TRUE(window->isVisible()) << c.objectName;
        EXPECT_FALSE(window->isModal()) << c.objectName;
        EXPECT_EQ(window->windowModality(), Qt::NonModal) << c.objectName;
        window->hide();
    }
}

TEST(Windows, WriteProgressStaysOnTop)
{
    TFmWriting writing;
    EXPECT_TRUE(writing.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
}

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
