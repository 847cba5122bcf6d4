#include "settingsmessages.h"

QString invalidTypeMessage(const QString &valueName)
{
    return QStringLiteral("設定值「%1」的資料型態不正確").arg(valueName);
}

QString writeFailedMessage(const QString &valueName)
{
    return QStringLiteral("無法寫入設定值「%1」").arg(valueName);
}

QString keyNotCreatedMessage(const QString &key)
{
    return QStringLiteral("無法建立設定「%1」").arg(key);
}

QString keyNotSavedMessage(const QString &key)
{
    return QStringLiteral("無法儲存設定「%1」").arg(key);
}

QString unusableValuesMessage(const QStringList &entries)
{
    return QStringLiteral("下列設定值無法使用，已改用初始值：\n%1").arg(entries.join(QLatin1Char('\n')));
}
