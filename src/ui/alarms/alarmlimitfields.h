#pragma once

// The high and low limit fields the add and modify dialogs share. Both are read
// before any row is touched, so a limit that is not a number stores nothing.

#include <optional>

class LocaleFormats;
class MessageBoxes;
class QLabel;
class QLineEdit;
class QWidget;

struct AlarmLimitFields {
    QLineEdit *high;
    QLabel *highLabel;
    QLineEdit *low;
    QLabel *lowLabel;
};

struct AlarmLimitValues {
    double high;
    double low;
};

// Both limits as numbers in the locale's notation; otherwise the first field that
// holds none is named to the operator, focused and selected, and nothing comes back.
std::optional<AlarmLimitValues> readAlarmLimits(QWidget *dialog, const AlarmLimitFields &fields,
                                                MessageBoxes &boxes, const LocaleFormats *locale);
