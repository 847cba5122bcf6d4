#pragma once

// The settings store as the windows use it: one key at a time, opened, read or
// written value by value, and closed before the next key is opened.

#include <QString>
#include <QStringList>

#include <optional>

class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    // Key names are relative, such as "FmHome". `create` makes the key when absent.
    virtual bool openKey(const QString &key, bool create) = 0;
    virtual void closeKey() = 0;

    // Empty when the value is absent (or, for integers, does not hold an integer).
    virtual std::optional<QString> readString(const QString &name) const = 0;
    virtual std::optional<int> readInteger(const QString &name) const = 0;

    // False when the value could not be written (store read-only, disk full).
    virtual bool writeString(const QString &name, const QString &value) = 0;
    virtual bool writeInteger(const QString &name, int value) = 0;

    // Whether the open key holds the value at all, whatever its type. readInteger alone
    // cannot tell an absent value (use the control's initial state) from one holding
    // text (a damaged store, to be reported).
    virtual bool valueExists(const QString &name) const { return readString(name).has_value(); }

    // The names of the open key's values, in no particular order.
    virtual QStringList valueNames() const = 0;

    // Why the stored settings could not be read (a damaged file), for the operator;
    // empty when they could. A damaged store opens no key for reading, so everything
    // starts from its initial state, and is replaced by a fresh one at the first
    // write, the old one kept aside.
    virtual QString problem() const { return QString(); }

    // Makes the open key's writes durable. False when they could not be stored; a
    // backing that writes through at once has nothing to do.
    virtual bool flush() { return true; }
};
