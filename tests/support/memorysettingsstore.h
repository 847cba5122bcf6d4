#pragma once

// A store held in memory, for tests: values can be laid in before a run and looked at
// after it, and the store can be told to fail opening a key or writing a value.

#include "settingsstore.h"

#include <QMap>
#include <QSet>
#include <QStringList>

#include <variant>

class MemorySettingsStore : public SettingsStore {
public:
    using Value = std::variant<QString, int>;

    // Filling and inspecting, independent of the open key.
    void addKey(const QString &key);
    void setString(const QString &key, const QString &name, const QString &value);
    void setInteger(const QString &key, const QString &name, int value);
    void removeValue(const QString &key, const QString &name);
    bool hasKey(const QString &key) const;
    std::optional<Value> value(const QString &key, const QString &name) const;
    // The value as a string read and an integer read of it would give.
    std::optional<QString> stringValue(const QString &key, const QString &name) const;
    std::optional<int> integerValue(const QString &key, const QString &name) const;

    // Faults: openKey(key) fails; writing `name` of `key` fails (and stays unwritten).
    void failOpening(const QString &key);
    void failWriting(const QString &key, const QString &name);
    void failFlushing(const QString &key);

    // Every successful write as "Key/Name", in order.
    QStringList writeLog() const { return writeLog_; }
    void clearWriteLog() { writeLog_.clear(); }
    bool isKeyOpen() const { return !openKey_.isEmpty(); }
    // Times a key was opened while another was still open.
    int nestedOpens() const { return nestedOpens_; }

    bool openKey(const QString &key, bool create) override;
    void closeKey() override;
    std::optional<QString> readString(const QString &name) const override;
    std::optional<int> readInteger(const QString &name) const override;
    bool valueExists(const QString &name) const override;
    QStringList valueNames() const override;
    bool writeString(const QString &name, const QString &value) override;
    bool writeInteger(const QString &name, int value) override;
    bool flush() override;

private:
    bool write(const QString &name, const Value &value);

    QMap<QString, QMap<QString, Value>> keys_;
    QSet<QString> failOpen_;
    QSet<QString> failWrite_; // "Key/Name"
    QSet<QString> failFlush_;
    QStringList writeLog_;
    QString openKey_;
    int nestedOpens_ = 0;
};
