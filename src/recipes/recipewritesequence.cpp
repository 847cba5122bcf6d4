#include "recipewritesequence.h"

#include "catalogue.h"
#include "plantmodel.h"
#include "writescaling.h"

#include <algorithm>

namespace {

// A recipe holds set values: the catalogue's SV entry gives their code and scale.
const ParameterEntry &setValue()
{
    static const ParameterEntry *const entry = findParameter(Level::Level1, "SV");
    Q_ASSERT(entry);
    return *entry;
}

} // namespace

QList<RecipeWriteItem> recipeWriteItems(const RecipeTexts &texts, int panel)
{
    QList<RecipeWriteItem> items;
    const int first = panel == 0 ? 1 : panel;
    const int last = panel == 0 ? kPanelCount : panel;
    if (first < 1 || last > kPanelCount)
        return items;
    for (int p = first; p <= last; ++p)
        for (int slot = 1; slot <= kSlotCount; ++slot)
            items.append({p, slot, texts[p][slot]});
    return items;
}

RecipeWriteSequence::RecipeWriteSequence(PlantModel &model, QObject *parent,
                                         std::chrono::milliseconds lookInterval)
    : QObject(parent), model_(model)
{
    timer_.setInterval(lookInterval);
    connect(&timer_, &QTimer::timeout, this, &RecipeWriteSequence::look);
    const auto interval = std::max(lookInterval, std::chrono::milliseconds(1));
    settlingLimit_ = std::max<int>(1, int(kRefusalWait / interval));
}

bool RecipeWriteSequence::start(const QList<RecipeWriteItem> &items)
{
    if (running() || items.isEmpty())
        return false;
    items_ = items;
    placedItems_.clear();
    refused_.clear();
    placed_ = 0;
    settlingLooks_ = 0;
    phase_ = Phase::Placing;
    timer_.start();
    // The first request goes at once when the slot is free, as every later one does
    // at the first look that finds it free.
    look();
    return true;
}

void RecipeWriteSequence::stop()
{
    timer_.stop();
    phase_ = Phase::Idle;
}

void RecipeWriteSequence::look()
{
    switch (phase_) {
    case Phase::Idle:
        timer_.stop();
        return;
    case Phase::Placing:
        if (model_.writePending())
            return;
        if (placed_ < items_.size()) {
            placeNext();
            return;
        }
        // The engine lowers the flag a moment before it reports a refusal, so the last
        // request's refusal may still be on its way: give it at least one more look.
        phase_ = Phase::Settling;
        return;
    case Phase::Settling:
        ++settlingLooks_;
        if (!refusalsOutstanding() || settlingLooks_ >= settlingLimit_)
            finish();
        return;
    }
}

void RecipeWriteSequence::placeNext()
{
    const RecipeWriteItem item = items_.at(placed_);
    Placed entry{item};
    // A refusal is foreseeable from the value and the decimal places the engine holds
    // now; the engine decides with the places it holds when it takes the request.
    entry.refusalExpected =
        !scaleWriteValue(item.text, setValue().scale, model_.dp(item.panel, item.slot)).accepted();
    placedItems_.append(entry);
    model_.RequestWrite(item.panel, item.slot, std::uint8_t(setValue().code), item.text);
    ++placed_;
    emit placed(placed_);
}

bool RecipeWriteSequence::refusalsOutstanding() const
{
    return std::any_of(placedItems_.cbegin(), placedItems_.cend(),
                       [](const Placed &p) { return p.refusalExpected && !p.refused; });
}

bool RecipeWriteSequence::takeRejection(const RejectedWrite &write)
{
    if (!running() || write.code != setValue().code)
        return false;
    for (Placed &p : placedItems_) {
        if (!p.refused && p.item.panel == write.panel && p.item.slot == write.slot
            && p.item.text == write.valueText) {
            p.refused = true;
            refused_.append(write);
            return true;
        }
    }
    return false;
}

void RecipeWriteSequence::finish()
{
    timer_.stop();
    phase_ = Phase::Idle;
    const QList<RejectedWrite> refused = refused_;
    emit finished(refused);
}
