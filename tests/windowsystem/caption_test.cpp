// The captions as the window system holds them: nothing may be appended by the
// toolkit (the application's display name would be, on X11 and Windows).

#include "homefixture.h"

#include <QAbstractButton>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// The window's _NET_WM_NAME as another X client reads it.
QString windowManagerName(const QWidget *window)
{
    QProcess xprop;
    xprop.start(QStringLiteral("xprop"), {QStringLiteral("-id"), QString::number(window->winId()),
                                          QStringLiteral("_NET_WM_NAME")});
    if (!xprop.waitForFinished(5000))
        return QStringLiteral("<xprop did not answer>");
    const QString out = QString::fromUtf8(xprop.readAllStandardOutput()).trimmed();
    const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("= \"(.*)\"$")).match(out);
    return m.hasMatch() ? m.captured(1) : out;
}

bool captionIs(const QWidget *window, const QString &caption)
{
    return waitUntil([&] { return windowManagerName(window) == caption; }, 5000);
}

TEST(WindowCaptions, AreExactlyTheWindowsOwnTexts)
{
    ASSERT_EQ(QGuiApplication::platformName(), QStringLiteral("xcb"));
    MemorySettingsStore store;
    store.setString("FmCommSetting", "Title", QStringLiteral("測試監控 A1"));
    HomeFixture f(&store);
    f.home().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&f.home()));
    // The load applies the recording settings last, and their OK returns the window
    // to its monitoring page and caption; the title shows from the comm dialog's OK.
    EXPECT_TRUE(captionIs(&f.home(), QStringLiteral("溫度監控-->監控畫面")))
        << windowManagerName(&f.home()).toStdString();

    f.control<QAbstractButton>("ImgButton2")->click();
    EXPECT_TRUE(captionIs(&f.home(), QStringLiteral("溫度監控-->曲線圖")))
        << windowManagerName(&f.home()).toStdString();

    f.control<QAbstractButton>("BtnStart")->click();
    QWidget *scan = f.window("FmBarPage");
    ASSERT_TRUE(QTest::qWaitForWindowExposed(scan));
    EXPECT_TRUE(captionIs(scan, QStringLiteral("DP讀取中..."))) << windowManagerName(scan).toStdString();

    f.control<QAbstractButton>("BtnD")->click();
    QWidget *comm = f.window("FmCommSetting");
    ASSERT_TRUE(QTest::qWaitForWindowExposed(comm));
    EXPECT_TRUE(captionIs(comm, QStringLiteral("通訊設定"))) << windowManagerName(comm).toStdString();
    comm->findChild<QAbstractButton *>(QStringLiteral("BtnOK"))->click();
    EXPECT_TRUE(captionIs(&f.home(), QStringLiteral("測試監控 A1"))) << windowManagerName(&f.home()).toStdString();

    f.control<QAbstractButton>("ImgButton5")->click();
    QWidget *record = f.window("FmRecord");
    ASSERT_TRUE(QTest::qWaitForWindowExposed(record));
    EXPECT_TRUE(captionIs(record, QStringLiteral("紀錄存檔"))) << windowManagerName(record).toStdString();
    record->findChild<QAbstractButton *>(QStringLiteral("BtnBrowse"))->click();
    QWidget *browse = f.window("FmBrowse");
    ASSERT_TRUE(QTest::qWaitForWindowExposed(browse));
    EXPECT_TRUE(captionIs(browse, QStringLiteral("瀏覽"))) << windowManagerName(browse).toStdString();
}

} // namespace
