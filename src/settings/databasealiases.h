#pragma once

// Where the settings store sends an alarm table alias (group DatabaseAliases): a
// PostgreSQL address or an SQLite file; nothing when the alias is not set.

#include "settingsstore.h"

#include <QString>

#include <optional>

std::optional<QString> storedDatabaseAddress(SettingsStore &store, const QString &alias);
