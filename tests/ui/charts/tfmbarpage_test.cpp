// The scan progress window: bars per panel, closing itself once all three are full,
// and the one signal per closing that lets the trend charts start.

#include "tbusyanimation.h"
#include "tfmbarpage.h"

#include <QElapsedTimer>
#include <QProgressBar>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

class TFmBarPageTest : public ::testing::Test {
protected:
    int value(int panel) const { return page.bar(panel)->value(); }
    void fill(int slotsPanel1, int slotsPanel2, int slotsPanel3)
    {
        page.setProgress(1, slotsPanel1);
        page.setProgress(2, slotsPanel2);
        page.setProgress(3, slotsPanel3);
    }
    TBusyAnimation *animation() const { return page.findChild<TBusyAnimation *>(QStringLiteral("Animate1")); }
    QTimer *timer1() const { return page.findChild<QTimer *>(QStringLiteral("Timer1")); }

    TFmBarPage page;
};

TEST_F(TFmBarPageTest, LooksAsNamed)
{
    EXPECT_EQ(page.objectName(), "FmBarPage");
    EXPECT_EQ(page.windowTitle(), "DP讀取中...");
    EXPECT_TRUE(page.isWindow());
    EXPECT_FALSE(page.isVisible());
    for (int panel = 1; panel <= 3; ++panel) {
        QProgressBar *bar = page.findChild<QProgressBar *>(QStringLiteral("Bar%1").arg(panel));
        ASSERT_EQ(bar, page.bar(panel));
        EXPECT_EQ(bar->minimum(), 0);
        EXPECT_EQ(bar->maximum(), 10);
    }
    EXPECT_EQ(page.bar(0), nullptr);
    EXPECT_EQ(page.bar(4), nullptr);
    ASSERT_NE(animation(), nullptr);
    ASSERT_NE(timer1(), nullptr);
    EXPECT_EQ(timer1()->interval(), 1000);
    EXPECT_FALSE(timer1()->isActive());
}

TEST_F(TFmBarPageTest, ProgressMovesOnlyItsOwnBarWithinRange)
{
    struct Case {
        int panel, position;
        int expected[3];
    } const cases[] = {
        {1, 4, {4, 0, 0}},  {2, 10, {4, 10, 0}}, {3, 1, {4, 10, 1}}, {1, 12, {10, 10, 1}},
        {3, -2, {10, 10, 0}}, {0, 5, {10, 10, 0}}, {4, 5, {10, 10, 0}},
    };
    for (const Case &c : cases) {
        page.setProgress(c.panel, c.position);
        for (int panel = 1; panel <= 3; ++panel)
            EXPECT_EQ(value(panel), c.expected[panel - 1]) << "after (" << c.panel << ", " << c.position << ")";
    }
}

TEST_F(TFmBarPageTest, ShowForScanStartsFromEmptyBars)
{
    fill(3, 10, 7);
    page.showForScan(nullptr);
    EXPECT_TRUE(page.isVisible());
    for (int panel = 1; panel <= 3; ++panel)
        EXPECT_EQ(value(panel), 0) << panel;
    EXPECT_TRUE(timer1()->isActive());
    EXPECT_TRUE(animation()->isRunning());

    // The animation moves while shown.
    const int first = animation()->frame();
    EXPECT_TRUE(QTest::qWaitFor([&] { return animation()->frame() != first; }, 2000));

    // A second rescan while the window is up is the same scan going on: the panels
    // already scanned keep their full bars, so the window still closes by itself.
    fill(10, 4, 0);
    page.showForScan(nullptr);
    EXPECT_EQ(value(1), 10);
    EXPECT_EQ(value(2), 4);
    QSignalSpy closed(&page, &TFmBarPage::scanWindowClosed);
    fill(10, 10, 10);
    EXPECT_TRUE(closed.wait(3000));
}

TEST_F(TFmBarPageTest, OpensCentredOnTheWindowGiven)
{
    QWidget home;
    home.setGeometry(40, 30, 819, 610);
    home.show();
    page.showForScan(&home);
    EXPECT_LE((page.frameGeometry().center() - home.frameGeometry().center()).manhattanLength(), 2);
}

TEST_F(TFmBarPageTest, ClosesItselfWithinASecondOfTheLastFullBar)
{
    QSignalSpy closed(&page, &TFmBarPage::scanWindowClosed);
    page.showForScan(nullptr);
    fill(10, 10, 9);
    // Two panels full is not the end of the scan: the window stays through several checks.
    const int checks = 2;
    EXPECT_FALSE(closed.wait(checks * timer1()->interval()));
    EXPECT_TRUE(page.isVisible());

    QElapsedTimer sinceFull;
    page.setProgress(3, 10);
    sinceFull.start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !page.isVisible(); }, 3000));
    // The next check closes it; a loaded machine may deliver that check a little late.
    EXPECT_LT(sinceFull.elapsed(), timer1()->interval() + 300);
    EXPECT_EQ(closed.count(), 1);

    // Closing stops its clocks, so nothing else arrives, and leaves the bars at 0.
    EXPECT_FALSE(timer1()->isActive());
    EXPECT_FALSE(animation()->isRunning());
    for (int panel = 1; panel <= 3; ++panel)
        EXPECT_EQ(value(panel), 0) << panel;
}

TEST_F(TFmBarPageTest, EachScanEndsWithItsOwnClose)
{
    QSignalSpy closed(&page, &TFmBarPage::scanWindowClosed);
    for (int scan = 1; scan <= 2; ++scan) {
        page.showForScan(nullptr);
        ASSERT_TRUE(page.isVisible());
        EXPECT_EQ(value(1), 0);
        fill(10, 10, 10);
        ASSERT_TRUE(closed.wait(2000)) << "scan " << scan;
        EXPECT_EQ(closed.count(), scan);
        EXPECT_FALSE(page.isVisible());
    }
}

TEST_F(TFmBarPageTest, OperatorClosingCountsAsTheEndOfTheScan)
{
    QSignalSpy closed(&page, &TFmBarPage::scanWindowClosed);
    page.showForScan(nullptr);
    fill(10, 2, 0);
    EXPECT_TRUE(page.close());
    EXPECT_EQ(closed.count(), 1);
    EXPECT_FALSE(timer1()->isActive());
    EXPECT_EQ(value(1), 0);

    // Closing a window that is not up (as at program end) is no scan's end.
    EXPECT_TRUE(page.close());
    EXPECT_EQ(closed.count(), 1);
}

} // namespace
