#pragma once

// What a window declares of itself to the settings store: the key it owns and, in
// the order they are kept, the values of that key with their kinds and the states
// the window's controls start in. The declaring window gives each value the means to
// read its control and to put a stored state into it; the store side knows nothing
// else of the window.

#include <QString>
#include <QVariant>

#include <functional>
#include <vector>

enum class SettingKind {
    Text,        // a string, the control's text
    IntegerText, // a string holding a whole number (an item index kept as its decimal text)
    Integer,     // an integer: an item index (-1 for none) or a number
    Flag,        // an integer 0 or 1: a check box or radio button selected
};

struct SettingValue {
    QString name;
    SettingKind kind = SettingKind::Text;
    // The control's state before anything is loaded: a QString for Text, an int for
    // IntegerText and Integer, a bool for Flag.
    QVariant initial;
    // The control's state, of the same type as `initial`; an integer kind may give the
    // text of a field that should hold a whole number, which is checked on saving.
    std::function<QVariant()> read;
    // Puts a stored state into the control; false when the control cannot take it
    // (a station ID that is not one), which makes the stored value unusable.
    std::function<bool(const QVariant &)> put;
    // False for a value that its own dialog stores when the operator confirms it; the
    // load reads it, the shutdown leaves it as it is.
    bool savedAtShutdown = true;
};

struct SettingsSection {
    QString key;
    std::vector<SettingValue> values;
    // Runs once the key has been loaded (a dialog's OK action), also when the key is
    // absent or held unusable values.
    std::function<void()> apply;
};
