#pragma once

// Writes a recipe's set values through the engine's single request slot, one request
// at a time: a request is placed only once the engine has taken the previous one,
// which is looked at on every tick of a timer, so the window thread stays free
// between looks. Refused values come back from the engine as RejectedWrite events
// and are collected for one report at the end.

#include "engineevents.h"
#include "recipetexts.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>

#include <chrono>

class PlantModel;

struct RecipeWriteItem {
    int panel = 0;
    int slot = 0;
    QString text;
};

// The requests of one panel (1 to 3, slots 1 to 10) or, for panel 0, of all three.
QList<RecipeWriteItem> recipeWriteItems(const RecipeTexts &texts, int panel);

class RecipeWriteSequence : public QObject {
    Q_OBJECT
public:
    static constexpr std::chrono::milliseconds kLookInterval{100};
    // After the last request is taken, how long a refusal foreseen from a value is
    // waited for before the write is reported without it.
    static constexpr std::chrono::milliseconds kRefusalWait{2000};

    explicit RecipeWriteSequence(PlantModel &model, QObject *parent = nullptr,
                                 std::chrono::milliseconds lookInterval = kLookInterval);

    // False, and nothing starts, while another write runs or when `items` is empty.
    bool start(const QList<RecipeWriteItem> &items);
    // Places nothing more and reports nothing; a request already placed stays with
    // the engine.
    void stop();
    bool running() const { return phase_ != Phase::Idle; }
    int placedCount() const { return placed_; }

    // A refusal the engine reported. True when it concerns a request of the write
    // under way, which keeps it for the final report.
    bool takeRejection(const RejectedWrite &write);

signals:
    // After each request placed, with the number placed so far.
    void placed(int count);
    // Every request has been taken by the engine; `refused` lists those it could not
    // send, in the order they were placed.
    void finished(const QList<RejectedWrite> &refused);

private:
    enum class Phase { Idle, Placing, Settling };
    struct Placed {
        RecipeWriteItem item;
        bool refusalExpected = false;
        bool refused = false;
    };

    void look();
    void placeNext();
    bool refusalsOutstanding() const;
    void finish();

    PlantModel &model_;
    QTimer timer_;
    Phase phase_ = Phase::Idle;
    QList<RecipeWriteItem> items_;
    QList<Placed> placedItems_;
    QList<RejectedWrite> refused_;
    int placed_ = 0;
    int settlingLooks_ = 0;
    int settlingLimit_ = 1;
};
