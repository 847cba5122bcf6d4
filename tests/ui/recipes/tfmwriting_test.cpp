// The write progress window: completion announced by its own once-a-second look at
// the bar, and every way of closing it leaves it ready for the next write.

#include "homefixture.h"
#include "tfmwriting.h"

#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {

TEST(TFmWriting, AnnouncesCompletionWithinASecondOfTheBarFilling)
{
    TFmWriting window;
    window.beginWrite(QStringLiteral("盤面1---配方寫入中...."), 10);
    EXPECT_TRUE(window.isVisible());
    EXPECT_FALSE(window.BtnOK()->isVisible());
    for (int placed = 1; placed <= 9; ++placed)
        window.setPosition(placed);
    // A full second and more with the bar short of full: nothing is announced.
    waitUntil([] { return false; }, 1200);
    EXPECT_EQ(window.LbTitle()->text(), "盤面1---配方寫入中....");
    EXPECT_FALSE(window.BtnOK()->isVisible());

    window.setPosition(10);
    QElapsedTimer filled;
    filled.start();
    ASSERT_TRUE(waitUntil([&] { return window.BtnOK()->isVisible(); }, 1500));
    EXPECT_LE(filled.elapsed(), 1100);
    EXPECT_EQ(window.LbTitle()->text(), "寫入完成!");
}

TEST(TFmWriting, EveryWayOfClosingResetsTheBarForTheNextWrite)
{
    const struct {
        const char *name;
        std::function<void(TFmWriting &)> close;
    } cases[] = {
        {"OK", [](TFmWriting &w) { w.BtnOK()->click(); }},
        {"the frame's close button", [](TFmWriting &w) { w.close(); }},
        {"Escape", [](TFmWriting &w) {
             QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
             QCoreApplication::sendEvent(&w, &escape);
         }},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        TFmWriting window;
        window.beginWrite(QStringLiteral("所有盤面---配方寫入中...."), 30);
        window.setPosition(30);
        window.Timer1Timer();
        ASSERT_TRUE(window.BtnOK()->isVisible());

        c.close(window);
        EXPECT_FALSE(window.isVisible());
        EXPECT_EQ(window.Bar()->value(), 0);
        EXPECT_FALSE(window.Timer1()->isActive());

        window.beginWrite(QStringLiteral("盤面2---配方寫入中...."), 10);
        EXPECT_TRUE(window.isVisible());
        EXPECT_FALSE(window.BtnOK()->isVisible());
        EXPECT_TRUE(window.Timer1()->isActive());
        EXPECT_EQ(window.LbTitle()->text(), "盤面2---配方寫入中....");
        EXPECT_EQ(window.Bar()->value(), 0);
        EXPECT_EQ(window.Bar()->maximum(), 10);
    }
}

TEST(TFmWriting, ANewWriteWhileShownStartsOver)
{
    TFmWriting window;
    window.beginWrite(QStringLiteral("盤面3---配方寫入中...."), 10);
    window.setPosition(10);
    window.Timer1Timer();
    ASSERT_TRUE(window.BtnOK()->isVisible());

    window.beginWrite(QStringLiteral("所有盤面---配方寫入中...."), 30);
    EXPECT_FALSE(window.BtnOK()->isVisible());
    EXPECT_EQ(window.Bar()->value(), 0);
    window.Timer1Timer();
    EXPECT_EQ(window.LbTitle()->text(), "所有盤面---配方寫入中....");
}

} // namespace
