// The paced recipe write against a stand-in for the engine that takes requests from
// the plant model on its own timer, holds each a while, and reports refusals the way
// the engine does: queued, after the pending flag is already down.

#include "plantmodel.h"
#include "recipewritesequence.h"
#include "writescaling.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTimer>

#include <gtest/gtest.h>

#include <chrono>
#include <functional>

using namespace std::chrono_literals;

namespace {

constexpr auto kLook = 10ms;

bool waitFor(const std::function<bool()> &condition, int timeoutMs = 5000)
{
    QDeadlineTimer deadline(timeoutMs);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return true;
}

// What happened, in order: "placed p.s", "taken p.s".
using Log = QStringList;

class FakeEngine {
public:
    // Each request stays pending for `hold` (a few looks of the sequence), so a
    // sequence that did not wait would overwrite it.
    FakeEngine(PlantModel &model, Log &log, std::chrono::milliseconds hold = 3 * kLook)
        : model_(model), log_(log), hold_(hold)
    {
        timer_.setInterval(2ms);
        QObject::connect(&timer_, &QTimer::timeout, [this] { poll(); });
        timer_.start();
    }

    // Refuses what the real engine refuses (Dp 0 for every slot) plus `alsoRefuse`,
    // delivering each refusal `refusalDelay` after the flag went down.
    std::function<bool(const WriteRequest &)> alsoRefuse = [](const WriteRequest &) { return false; };
    std::chrono::milliseconds refusalDelay{0};
    std::function<void(const RejectedWrite &)> reportTo;
    QList<WriteRequest> taken;

private:
    void poll()
    {
        const std::optional<WriteRequest> request = model_.pendingWrite();
        if (!request)
            return;
        if (!seen_ || seen_->serial != request->serial) {
            seen_ = request;
            since_.start();
            return;
        }
        if (since_.elapsed() < hold_.count())
            return;
        taken.append(*request);
        log_ << QStringLiteral("taken %1.%2").arg(request->panel).arg(request->slot);
        model_.finishWrite(*request);
        ScaledValue scaled = scaleWriteValue(request->valueText, ScaleClass::DecimalPoint, 0);
        if (scaled.accepted() && alsoRefuse(*request))
            scaled.rejection = WriteRejection::OutOfRange;
        if (!scaled.accepted() && reportTo) {
            const RejectedWrite refusal{request->panel, request->slot, request->code, request->valueText,
                                        scaled.rejection};
            QTimer::singleShot(refusalDelay, [report = reportTo, refusal] { report(refusal); });
        }
    }

    PlantModel &model_;
    Log &log_;
    std::chrono::milliseconds hold_;
    QTimer timer_;
    std::optional<WriteRequest> seen_;
    QElapsedTimer since_;
};

RecipeTexts numberedRecipe()
{
    RecipeTexts texts;
    for (int panel = 1; panel <= kPanelCount; ++panel)
        for (int slot = 1; slot <= kSlotCount; ++slot)
            texts[panel][slot] = QString::number(panel * 100 + slot);
    return texts;
}

class RecipeWrite : public ::testing::Test {
protected:
    RecipeWrite()
    {
        QObject::connect(&sequence, &RecipeWriteSequence::placed, [this](int count) {
            const RecipeWriteItem &item = items.at(count - 1);
            log << QStringLiteral("placed %1.%2").arg(item.panel).arg(item.slot);
            counts << count;
        });
        engine.reportTo = [this](const RejectedWrite &w) {
            if (!sequence.takeRejection(w))
                strayRefusals << w;
        };
    }

    bool run(const QList<RecipeWriteItem> &what)
    {
        items = what;
        return sequence.start(items);
    }

    PlantModel model;
    Log log;
    FakeEngine engine{model, log};
    RecipeWriteSequence sequence{model, nullptr, kLook};
    QSignalSpy finished{&sequence, &RecipeWriteSequence::finished};
    QList<RecipeWriteItem> items;
    QList<int> counts;
    QList<RejectedWrite> strayRefusals;
};

TEST_F(RecipeWrite, AllPanelsPlaceThirtyRequestsEachAfterThePreviousWasTaken)
{
    ASSERT_TRUE(run(recipeWriteItems(numberedRecipe(), 0)));
    ASSERT_TRUE(finished.wait(10000));

    ASSERT_EQ(engine.taken.size(), 30);
    Log expected;
    for (int i = 0; i < 30; ++i) {
        const int panel = 1 + i / 10;
        const int slot = 1 + i % 10;
        const WriteRequest &r = engine.taken.at(i);
        EXPECT_EQ(r.panel, panel);
        EXPECT_EQ(r.slot, slot);
        EXPECT_EQ(r.code, 0);
        EXPECT_EQ(r.valueText, QString::number(panel * 100 + slot));
        // One request per serial number: none was overwritten while pending.
        EXPECT_EQ(r.serial, engine.taken.first().serial + unsigned(i));
        expected << QStringLiteral("placed %1.%2").arg(panel).arg(slot)
                 << QStringLiteral("taken %1.%2").arg(panel).arg(slot);
    }
    EXPECT_EQ(log, expected);
    QList<int> oneToThirty;
    for (int i = 1; i <= 30; ++i)
        oneToThirty << i;
    EXPECT_EQ(counts, oneToThirty);
    EXPECT_EQ(finished.size(), 1);
    EXPECT_TRUE(finished.first().first().value<QList<RejectedWrite>>().isEmpty());
    EXPECT_FALSE(sequence.running());
}

TEST_F(RecipeWrite, OnePanelWritesItsTenSlotsOnly)
{
    for (int panel = 1; panel <= kPanelCount; ++panel) {
        SCOPED_TRACE(panel);
        engine.taken.clear();
        ASSERT_TRUE(run(recipeWriteItems(numberedRecipe(), panel)));
        ASSERT_TRUE(waitFor([&] { return !sequence.running(); }));
        ASSERT_EQ(engine.taken.size(), 10);
        for (int slot = 1; slot <= 10; ++slot) {
            EXPECT_EQ(engine.taken.at(slot - 1).panel, panel);
            EXPECT_EQ(engine.taken.at(slot - 1).slot, slot);
        }
    }
    EXPECT_EQ(finished.size(), 3);
}

TEST_F(RecipeWrite, WaitsForARequestPlacedElsewhereBeforeItsFirst)
{
    model.RequestWrite(2, 7, 5, QStringLiteral("3")); // the setting page's, say
    ASSERT_TRUE(run(recipeWriteItems(numberedRecipe(), 1)));
    ASSERT_TRUE(finished.wait(5000));
    ASSERT_EQ(engine.taken.size(), 11);
    EXPECT_EQ(engine.taken.at(0).code, 5);
    EXPECT_EQ(engine.taken.at(1).slot, 1);
    EXPECT_EQ(log.first(), "taken 2.7");
}

TEST_F(RecipeWrite, RefusedValuesAreCollectedForOneReportAndTheOthersWritten)
{
    RecipeTexts texts = numberedRecipe();
    texts[1][3] = "abc";
    texts[1][5] = "99999"; // beyond 16 bits
    texts[1][10] = "";     // the last one: its refusal comes after the flag is down
    engine.alsoRefuse = [](const WriteRequest &r) { return r.slot == 7; }; // unforeseen
    engine.refusalDelay = 4 * kLook;
    ASSERT_TRUE(run(recipeWriteItems(texts, 1)));
    ASSERT_TRUE(finished.wait(5000));

    EXPECT_EQ(engine.taken.size(), 10);
    const auto refused = finished.first().first().value<QList<RejectedWrite>>();
    ASSERT_EQ(refused.size(), 4);
    EXPECT_EQ(refused.at(0).slot, 3);
    EXPECT_EQ(refused.at(0).reason, WriteRejection::NotANumber);
    EXPECT_EQ(refused.at(1).slot, 5);
    EXPECT_EQ(refused.at(1).reason, WriteRejection::OutOfRange);
    EXPECT_EQ(refused.at(2).slot, 7);
    EXPECT_EQ(refused.at(3).slot, 10);
    EXPECT_EQ(refused.at(3).valueText, "");
    EXPECT_TRUE(strayRefusals.isEmpty());
}

TEST_F(RecipeWrite, RefusalsOfOtherWritesAreNotTaken)
{
    ASSERT_TRUE(run(recipeWriteItems(numberedRecipe(), 1)));
    EXPECT_FALSE(sequence.takeRejection({1, 1, 5, "101", WriteRejection::OutOfRange})); // other code
    EXPECT_FALSE(sequence.takeRejection({2, 1, 0, "201", WriteRejection::OutOfRange})); // other panel
    EXPECT_FALSE(sequence.takeRejection({1, 1, 0, "7", WriteRejection::OutOfRange}));   // other value
    ASSERT_TRUE(finished.wait(5000));
    EXPECT_FALSE(sequence.takeRejection({1, 1, 0, "101", WriteRejection::OutOfRange})); // write over
    EXPECT_TRUE(finished.first().first().value<QList<RejectedWrite>>().isEmpty());
}

TEST_F(RecipeWrite, ASecondStartWhileRunningIsRefused)
{
    ASSERT_TRUE(run(recipeWriteItems(numberedRecipe(), 1)));
    EXPECT_FALSE(sequence.start(recipeWriteItems(numberedRecipe(), 2)));
    ASSERT_TRUE(finished.wait(5000));
    for (const WriteRequest &r : engine.taken)
        EXPECT_EQ(r.panel, 1);
    EXPECT_FALSE(sequence.start({}));
}

TEST_F(RecipeWrite, StopPlacesNothingMoreAndReportsNothing)
{
    ASSERT_TRUE(run(recipeWriteItems(numberedRecipe(), 0)));
    ASSERT_TRUE(waitFor([&] { return engine.taken.size() >= 3; }));
    sequence.stop();
    const int placedAtStop = sequence.placedCount();
    EXPECT_FALSE(sequence.running());
    // Long enough for several more requests, had the sequence gone on.
    waitFor([] { return false; }, 30 * int(kLook.count()));
    EXPECT_EQ(sequence.placedCount(), placedAtStop);
    EXPECT_LE(engine.taken.size(), placedAtStop);
    EXPECT_EQ(finished.size(), 0);
}

} // namespace
