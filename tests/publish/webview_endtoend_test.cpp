// The page in headless Chromium on the simulated plant: the readings the tiles show,
// an alarm driven on the simulator in the page's list within two seconds, and no
// reading for a browser without the token. Leaves a screenshot of the page in the
// test program's folder (webview-page.png).

#include "alarmhelpers.h"
#include "chromiumpage.h"
#include "feedhome.h"
#include "httpprobe.h"
#include "webviewserver.h"

#include <QAbstractButton>
#include <QElapsedTimer>
#include <QJsonArray>
#include <QLineEdit>
#include <QAbstractItemView>

#include <gtest/gtest.h>

#include <cmath>
#include <iostream>

namespace {

const QString kToken = QStringLiteral("e2e-token-91c");

class WebViewEndToEnd : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!QFile::exists(ChromiumPage::browserPath()))
            GTEST_SKIP() << "no Chromium at " << ChromiumPage::browserPath().toStdString();
        sim = startSimulatedLines(store, 1);
        ASSERT_TRUE(sim);
        plant = std::make_unique<FeedHome>(store);
        plant->home().show();
        ASSERT_TRUE(plant->boxes.shown.isEmpty()) << plant->boxes.shown.value(0).text.toStdString();

        WebViewSettings settings;
        settings.enabled = true;
        settings.port = freePort();
        settings.token = kToken;
        server = std::make_unique<WebViewServer>(plant->feed, settings);
        ASSERT_TRUE(server->start()) << server->problem().toStdString();
        base = QStringLiteral("http://127.0.0.1:%1/").arg(server->port());
    }
    void TearDown() override
    {
        server.reset();
        plant.reset();
        sim.reset();
    }

    QString tileText(int slot, const char *field)
    {
        return plant->control<QWidget>(QStringLiteral("ControllerA%1").arg(slot))
            ->findChild<QLineEdit *>(QLatin1String(field))
            ->text();
    }
    // The ten tiles of panel 1 as "PV|SV" lines, in the window and in the page.
    QJsonArray windowTiles()
    {
        QJsonArray tiles;
        for (int slot = 1; slot <= 10; ++slot)
            tiles.append(tileText(slot, "TxtPV") + QLatin1Char('|') + tileText(slot, "TxtSV"));
        return tiles;
    }
    static QString pageTiles()
    {
        return QStringLiteral("[...document.querySelectorAll('#tiles .tile')].map("
                              "t => t.querySelector('.pv').textContent + '|' + t.querySelector('.sv').textContent)");
    }
    bool simOk(const QString &command) { return sim->command(command).left(2) == QLatin1String("ok"); }

    MemorySettingsStore store;
    std::unique_ptr<SimProcess> sim;
    std::unique_ptr<FeedHome> plant;
    std::unique_ptr<WebViewServer> server;
    QString base;
};

TEST_F(WebViewEndToEnd, PageShowsTheTilesReadingsAndAnAlarmWithinTwoSeconds)
{
    plant->control<QAbstractButton>(QStringLiteral("BtnStart"))->click();
    ASSERT_TRUE(waitUntil([&] {
        for (int slot = 1; slot <= 10; ++slot)
            if (tileText(slot, "TxtSV").isEmpty())
                return false;
        return true;
    }, 30000));
    // The plant held still, slot 5 at a reading of the tiles' own kind.
    for (int slot = 1; slot <= 10; ++slot)
        ASSERT_TRUE(simOk(QStringLiteral("hold 1 %1 on").arg(slot)));
    ASSERT_TRUE(simOk(QStringLiteral("set 1 5 0x8A 2505")));
    ASSERT_TRUE(waitUntil([&] { return tileText(5, "TxtPV") == QLatin1String("250.5"); }, 10000));

    ChromiumPage page;
    ASSERT_TRUE(page.open(QUrl(base + QStringLiteral("?token=") + kToken))) << page.error().toStdString();
    const QJsonValue shown = page.waitFor(pageTiles(), [&](const QJsonValue &v) { return v.toArray() == windowTiles(); }, 15000);
    ASSERT_EQ(shown.toArray(), windowTiles());
    EXPECT_EQ(shown.toArray()[4].toString().section(QLatin1Char('|'), 0, 0), "250.5");
    EXPECT_EQ(page.evaluate(QStringLiteral("document.title")).toString(), plant->home().windowTitle());
    EXPECT_EQ(page.evaluate(QStringLiteral("[...document.querySelectorAll('#tabs button')].map(b => b.textContent).join()")).toString(),
              QStringLiteral("盤面1,盤面2,盤面3"));
    EXPECT_EQ(page.evaluate(QStringLiteral("location.search")).toString(), "") << "the token leaves the address bar";
    EXPECT_EQ(page.evaluate(QStringLiteral("document.cookie")).toString(), "") << "the cookie is out of the script's reach";

    // An alarm point on slot 5, then the controller driven above its band.
    const QString sv = tileText(5, "TxtSV");
    plant->model.setAlarmPoint(1, 5, AlarmLimits{QStringLiteral("5"), QStringLiteral("5"), true});
    const int above = int(std::lround((sv.toDouble() + 20) * 10));
    auto *list = plant->control<QAbstractItemView>(QStringLiteral("LstAlarming"));
    ASSERT_NE(list, nullptr);
    const int before = lineCount(list);
    QElapsedTimer sinceDriven;
    sinceDriven.start();
    ASSERT_TRUE(simOk(QStringLiteral("set 1 5 0x8A %1").arg(above)));
    // innerText: the line as a reader sees it, with the alarm text's runs of spaces.
    const QJsonValue firstAlarm = page.waitFor(
        QStringLiteral("document.querySelector('#alarms li') ? document.querySelector('#alarms li').innerText : ''"),
        [](const QJsonValue &v) { return v.toString().contains(QStringLiteral("第5台-->偏差高警報!")); }, 5000);
    const qint64 elapsed = sinceDriven.elapsed();
    ASSERT_TRUE(firstAlarm.toString().contains(QStringLiteral("第5台-->偏差高警報!"))) << firstAlarm.toString().toStdString();
    EXPECT_LE(elapsed, 2000) << "the alarm reached the page " << elapsed << " ms after it was driven";
    std::cout << "[ alarm ] on the page " << elapsed << " ms after the simulator was driven" << std::endl;
    ASSERT_EQ(lineCount(list), before + 1);
    EXPECT_EQ(firstAlarm.toString(), listLines(list).value(lineCount(list) - 1)) << "newest first, as the list holds it";

    // The trend of panel 1 has the history of the view's thread and the pushes since.
    EXPECT_GT(page.waitFor(QStringLiteral("state.trend ? state.trend.times.length : 0"),
                           [](const QJsonValue &v) { return v.toInt() >= 2; }, 5000).toInt(), 1);

    const QString shot = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("webview-page.png"));
    ASSERT_TRUE(page.screenshot(shot));
    std::cout << "[ screenshot ] " << shot.toStdString() << std::endl;
}

TEST_F(WebViewEndToEnd, BrowserWithoutTheTokenSeesNoReading)
{
    plant->control<QAbstractButton>(QStringLiteral("BtnStart"))->click();
    ASSERT_TRUE(waitUntil([&] { return !tileText(1, "TxtPV").isEmpty(); }, 30000));
    const QString pv = tileText(1, "TxtPV");

    for (const QString &url : {base, base + QStringLiteral("?token=wrong"), base + QStringLiteral("snapshot")}) {
        const QString dom = ChromiumPage::dumpDom(QUrl(url));
        ASSERT_FALSE(dom.isEmpty()) << url.toStdString();
        EXPECT_TRUE(dom.contains(QStringLiteral("需要存取權杖"))) << url.toStdString() << "\n" << dom.toStdString();
        EXPECT_FALSE(dom.contains(pv)) << url.toStdString();
        EXPECT_FALSE(dom.contains(QStringLiteral("盤面1"))) << url.toStdString();
    }
}

} // namespace
