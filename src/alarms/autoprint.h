#pragma once

// When the alarm list prints itself: every N minutes or hours after a reference time
// (set when automatic printing is switched on, when the interval is accepted, and by
// each automatic print). Measured on date and time, so an interval that passes
// midnight still ends.

#include <QDateTime>
#include <QString>

#include <optional>

class AutoPrintSchedule {
public:
    // The items of the unit list, by index.
    enum Unit { Minutes = 0, Hours = 1 };

    void restart(const QDateTime &now) { reference_ = now; }
    QDateTime reference() const { return reference_; }

    // Strictly more than the interval since the reference. Never due while the
    // interval text is not a whole number of at least 1, or no unit is chosen.
    // Without a reference (never started) the first check is due.
    bool due(const QDateTime &now, const QString &intervalText, int unitIndex) const;

private:
    QDateTime reference_;
};

// The interval field read as a whole number; nothing when it holds none.
std::optional<int> printIntervalNumber(const QString &text);
