// Writing the recipe from the recipe page: the requests the engine is given, their
// pacing, the progress window, the buttons, refusals, and closing mid-write. The test
// takes the engine's side: it takes requests off the plant model and reports
// refusals through the engine's own event path, queued, after lowering the flag.

#include "homefixture.h"
#include "recipepage.h"
#include "tfmwriting.h"
#include "writescaling.h"

#include <QAbstractButton>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

class EngineSide {
public:
    // Slot `slowSlot` of every panel is held for `slowMs` before it is taken, longer
    // than the page's 100 ms look, so a request placed before it was taken would
    // overwrite it.
    explicit EngineSide(HomeFixture &f, int slowSlot = 5, int slowMs = 250) : f_(f), slowSlot_(slowSlot), slowMs_(slowMs)
    {
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout, [this] { poll(); });
        timer_.start();
    }

    QList<WriteRequest> taken;
    QElapsedTimer sinceLastTake;
    // Values shown in the model while taking: the buttons' state then.
    QList<bool> buttonsEnabledWhileTaking;

private:
    void poll()
    {
        const std::optional<WriteRequest> request = f_.model.pendingWrite();
        if (!request)
            return;
        if (!seen_ || seen_->serial != request->serial) {
            seen_ = request;
            since_.start();
        }
        if (request->slot == slowSlot_ && since_.elapsed() < slowMs_)
            return;
        taken.append(*request);
        sinceLastTake.start();
        buttonsEnabledWhileTaking << f_.control<QAbstractButton>("BtnWriteA")->isEnabled();
        f_.model.finishWrite(*request);
        const ScaledValue scaled = scaleWriteValue(request->valueText, ScaleClass::DecimalPoint,
                                                   f_.model.dp(request->panel, request->slot));
        if (!scaled.accepted())
            f_.home().engine().events().onWriteRejected(
                {request->panel, request->slot, request->code, request->valueText, scaled.rejection});
    }

    HomeFixture &f_;
    int slowSlot_;
    int slowMs_;
    QTimer timer_;
    std::optional<WriteRequest> seen_;
    QElapsedTimer since_;
};

class RecipeWrites : public ::testing::Test {
protected:
    RecipeWrites()
    {
        f.home().show();
        f.control<QAbstractButton>("ImgButton4")->click();
        for (int panel = 1; panel <= 3; ++panel)
            for (int slot = 1; slot <= 10; ++slot)
                f.home().recipeField(panel, slot)->setText(QString::number(panel * 100 + slot));
    }

    TFmWriting *progress() { return static_cast<TFmWriting *>(f.window("FmWriting")); }
    QAbstractButton *button(const char *name) { return f.control<QAbstractButton>(name); }
    QList<bool> writeButtonsEnabled()
    {
        QList<bool> states;
        for (const char *name : {"BtnWriteA", "BtnWriteB", "BtnWriteC", "BtnWriteAll"})
            states << button(name)->isEnabled();
        return states;
    }
    bool writeDone(int timeoutMs = 15000)
    {
        return waitUntil([&] { return !f.home().recipePage()->writing(); }, timeoutMs);
    }

    HomeFixture f;
};

TEST_F(RecipeWrites, AllPanelsThirtyRequestsInOrderThenComplete)
{
    EngineSide engine(f);
    button("BtnWriteAll")->click();
    ASSERT_NE(progress(), nullptr);
    EXPECT_TRUE(progress()->isVisible());
    EXPECT_EQ(progress()->LbTitle()->text(), "所有盤面---配方寫入中....");
    EXPECT_EQ(progress()->Bar()->maximum(), 30);
    EXPECT_FALSE(progress()->BtnOK()->isVisible());
    EXPECT_EQ(writeButtonsEnabled(), QList<bool>({false, false, false, false}));

    ASSERT_TRUE(waitUntil([&] { return engine.taken.size() == 30; }, 20000)) << engine.taken.size();
    for (int i = 0; i < 30; ++i) {
        const WriteRequest &r = engine.taken.at(i);
        EXPECT_EQ(r.panel, 1 + i / 10);
        EXPECT_EQ(r.slot, 1 + i % 10);
        EXPECT_EQ(r.code, 0);
        EXPECT_EQ(r.valueText, QString::number(r.panel * 100 + r.slot));
        EXPECT_EQ(r.serial, engine.taken.first().serial + unsigned(i)) << "request " << i + 1 << " overwritten";
    }
    EXPECT_EQ(engine.buttonsEnabledWhileTaking, QList<bool>(30, false));
    EXPECT_EQ(progress()->Bar()->value(), 30);

    // "OK" and the completion title within a second of the last request.
    ASSERT_TRUE(waitUntil([&] { return progress()->LbTitle()->text() == "寫入完成!"; }, 1500));
    EXPECT_LE(engine.sinceLastTake.elapsed(), 1300);
    EXPECT_TRUE(progress()->BtnOK()->isVisible());
    ASSERT_TRUE(writeDone());
    EXPECT_EQ(writeButtonsEnabled(), QList<bool>({true, true, true, true}));
    EXPECT_TRUE(f.boxes.shown.isEmpty());

    progress()->BtnOK()->click();
    EXPECT_FALSE(progress()->isVisible());
    EXPECT_EQ(progress()->Bar()->value(), 0);
}

TEST_F(RecipeWrites, EachPanelButtonWritesItsTenSlots)
{
    EngineSide engine(f, 0); // no slow slot: one panel after another
    const struct {
        const char *button;
        int panel;
        const char *title;
    } cases[] = {
        {"BtnWriteA", 1, "盤面1---配方寫入中...."},
        {"BtnWriteB", 2, "盤面2---配方寫入中...."},
        {"BtnWriteC", 3, "盤面3---配方寫入中...."},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.button);
        engine.taken.clear();
        button(c.button)->click();
        EXPECT_EQ(progress()->LbTitle()->text(), QString::fromUtf8(c.title));
        EXPECT_EQ(progress()->Bar()->maximum(), 10);
        ASSERT_TRUE(writeDone());
        ASSERT_EQ(engine.taken.size(), 10);
        for (int slot = 1; slot <= 10; ++slot) {
            EXPECT_EQ(engine.taken.at(slot - 1).panel, c.panel);
            EXPECT_EQ(engine.taken.at(slot - 1).slot, slot);
        }
        EXPECT_EQ(progress()->Bar()->value(), 10);
    }
}

TEST_F(RecipeWrites, RefusedValuesAreToldOnceAtTheEndAndTheOthersWritten)
{
    f.home().recipeField(1, 3)->setText("abc");
    f.home().recipeField(1, 8)->setText("40000");
    EngineSide engine(f);
    button("BtnWriteA")->click();
    ASSERT_TRUE(writeDone());
    EXPECT_EQ(engine.taken.size(), 10);
    ASSERT_TRUE(waitUntil([&] { return !f.boxes.shown.isEmpty(); }));
    // Whatever else arrives late would show up now.
    waitUntil([] { return false; }, 300);
    ASSERT_EQ(f.boxes.shown.size(), 1);
    const ShownBox box = f.boxes.shown.at(0);
    EXPECT_EQ(box.caption, "錯誤");
    for (const char *part : {"盤面1 溫控點3", "abc", "不是數字", "盤面1 溫控點8", "40000"})
        EXPECT_TRUE(box.text.contains(QString::fromUtf8(part))) << part << " in " << box.text.toStdString();
    EXPECT_FALSE(box.text.contains("溫控點1：")) << box.text.toStdString();
}

TEST_F(RecipeWrites, ASecondWriteCannotStartInsideTheFirst)
{
    EngineSide engine(f);
    button("BtnWriteA")->click();
    button("BtnWriteB")->click();
    f.home().recipePage()->BtnWriteAllClick();
    ASSERT_TRUE(writeDone());
    ASSERT_EQ(engine.taken.size(), 10);
    for (const WriteRequest &r : engine.taken)
        EXPECT_EQ(r.panel, 1);
}

TEST_F(RecipeWrites, TheWriteGoesOnWithTheProgressWindowClosed)
{
    EngineSide engine(f, 0);
    button("BtnWriteC")->click();
    ASSERT_TRUE(waitUntil([&] { return engine.taken.size() >= 3; }));
    progress()->close();
    ASSERT_TRUE(writeDone());
    EXPECT_EQ(engine.taken.size(), 10);
    EXPECT_FALSE(progress()->isVisible());

    // The next write starts over with "OK" hidden.
    button("BtnWriteA")->click();
    EXPECT_TRUE(progress()->isVisible());
    EXPECT_FALSE(progress()->BtnOK()->isVisible());
    EXPECT_EQ(progress()->LbTitle()->text(), "盤面1---配方寫入中....");
    ASSERT_TRUE(writeDone());
}

TEST_F(RecipeWrites, ClosingTheProgramStopsTheWrite)
{
    button("BtnWriteAll")->click(); // nobody takes the first request yet
    ASSERT_TRUE(f.model.writePending());
    ASSERT_TRUE(f.home().recipePage()->writing());
    f.home().FormClose();
    EXPECT_FALSE(f.home().recipePage()->writing());

    // Were the write still running, it would place its next request once this one is gone.
    const std::optional<WriteRequest> first = f.model.pendingWrite();
    ASSERT_TRUE(first.has_value());
    f.model.finishWrite(*first);
    waitUntil([] { return false; }, 400);
    EXPECT_FALSE(f.model.writePending());
}

} // namespace
