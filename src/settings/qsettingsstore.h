#pragma once

// The store over QSettings: the registry on Windows, an ini file elsewhere. A key is
// a group of the settings; a value is a setting of that group.

#include "settingsstore.h"

#include <QSettings>

#include <memory>

class QSettingsStore : public SettingsStore {
public:
    // The program's own settings: on Windows the machine-wide registry key
    // "SOFTWARE\TEMPERATURE CONTROL", elsewhere the user's "TEMPERATURE CONTROL.ini".
    QSettingsStore();
    explicit QSettingsStore(std::unique_ptr<QSettings> settings);
    // An ini file of the program's layout at `iniFile` (a tool pointed at another file).
    explicit QSettingsStore(const QString &iniFile);
    ~QSettingsStore() override;

    bool openKey(const QString &key, bool create) override;
    void closeKey() override;

    std::optional<QString> readString(const QString &name) const override;
    std::optional<int> readInteger(const QString &name) const override;
    bool valueExists(const QString &name) const override;
    QStringList valueNames() const override;
    QString problem() const override;

    bool writeString(const QString &name, const QString &value) override;
    bool writeInteger(const QString &name, int value) override;
    bool flush() override;

    QSettings &settings() { return *settings_; }
    // Where a damaged file is kept once a fresh one replaces it.
    QString damagedCopyName() const { return damagedCopy_; }

private:
    bool writeValue(const QString &name, const QVariant &value);
    bool setDamagedFileAside();
    void keepFilePrivate();

    std::unique_ptr<QSettings> settings_;
    bool open_ = false;
    bool damaged_ = false;
    QString damagedCopy_;
};
