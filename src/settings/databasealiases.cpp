#include "databasealiases.h"

std::optional<QString> storedDatabaseAddress(SettingsStore &store, const QString &alias)
{
    std::optional<QString> address;
    if (store.openKey(QStringLiteral("DatabaseAliases"), false)) {
        address = store.readString(alias);
        store.closeKey();
    }
    return address;
}
