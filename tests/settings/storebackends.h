#pragma once

// The two stores the walks run against: the test double and the ini-file store over a
// temporary file. Values laid in with put() are what a previous run left behind.

#include "memorysettingsstore.h"
#include "qsettingsstore.h"

#include <QTemporaryDir>
#include <QVariant>

#include <memory>
#include <optional>

class StoreBackend {
public:
    virtual ~StoreBackend() = default;
    virtual void put(const QString &key, const QString &name, const QVariant &value) = 0;
    virtual SettingsStore &store() = 0;
    // Starts over from what has been stored, as the next run of the program would.
    virtual void restart() = 0;

    std::optional<QString> stored(const QString &key, const QString &name)
    {
        SettingsStore &s = store();
        if (!s.openKey(key, false))
            return std::nullopt;
        auto value = s.readString(name);
        s.closeKey();
        return value;
    }
};

class MemoryBackend : public StoreBackend {
public:
    void put(const QString &key, const QString &name, const QVariant &value) override
    {
        if (value.typeId() == QMetaType::Int)
            memory.setInteger(key, name, value.toInt());
        else
            memory.setString(key, name, value.toString());
    }
    SettingsStore &store() override { return memory; }
    void restart() override {}

    MemorySettingsStore memory;
};

class IniBackend : public StoreBackend {
public:
    IniBackend() : path_(dir_.filePath(QStringLiteral("TEMPERATURE CONTROL.ini"))) {}

    void put(const QString &key, const QString &name, const QVariant &value) override
    {
        store_.reset(); // written out before another view of the file changes it
        QSettings raw(path_, QSettings::IniFormat);
        raw.setValue(key + QLatin1Char('/') + name, value);
        raw.sync();
    }
    SettingsStore &store() override
    {
        if (!store_)
            store_ = std::make_unique<QSettingsStore>(std::make_unique<QSettings>(path_, QSettings::IniFormat));
        return *store_;
    }
    void restart() override { store_.reset(); }

    QString path() const { return path_; }

private:
    QTemporaryDir dir_;
    QString path_;
    std::unique_ptr<QSettingsStore> store_;
};
