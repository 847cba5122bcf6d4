#pragma once

// The store over QSettings: the registry on Windows, an ini file elsewhere. A key is
// a group of the settings; a value is a setting of that group.

#include "settingsstore.h"

#include <QSettings>

#include <memory>

class QSettingsStore : public SettingsStore {
public:
    // The program's own settings (openApplicationSettings()).
    QSettingsStore();
    explicit QSettingsStore(std::unique_ptr<QSettings> settings);
    ~QSettingsStore() override;

    bool openKey(const QString &key, bool create) override;
    void closeKey() override;

    std::optional<QString> readString(const QString &name) const override;
    std::optional<int> readInteger(const QString &name) const override;
    bool valueExists(const QString &name) const override;

    bool writeString(const QString &name, const QString &value) override;
    bool writeInteger(const QString &name, int value) override;
    bool flush() override;

    QSettings &settings() { return *settings_; }

private:
    bool writeValue(const QString &name, const QVariant &value);

    std::unique_ptr<QSettings> settings_;
    bool open_ = false;
};
