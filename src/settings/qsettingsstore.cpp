#include "qsettingsstore.h"

#include "appsettings.h"
#include "strictint.h"

QSettingsStore::QSettingsStore() : QSettingsStore(openApplicationSettings()) {}

QSettingsStore::QSettingsStore(std::unique_ptr<QSettings> settings) : settings_(std::move(settings)) {}

QSettingsStore::~QSettingsStore()
{
    closeKey();
    settings_->sync();
}

bool QSettingsStore::openKey(const QString &key, bool create)
{
    closeKey();
    if (key.isEmpty())
        return false;
    // A group exists only through its values; a created key appears with its first write.
    if (!create && !settings_->childGroups().contains(key))
        return false;
    settings_->beginGroup(key);
    open_ = true;
    return true;
}

void QSettingsStore::closeKey()
{
    if (!open_)
        return;
    settings_->endGroup();
    open_ = false;
}

std::optional<QString> QSettingsStore::readString(const QString &name) const
{
    if (!open_ || !settings_->contains(name))
        return std::nullopt;
    const QVariant value = settings_->value(name);
    // A list or other structured value is not a control's text (QVariant would still
    // turn some of them into an empty string).
    switch (value.typeId()) {
    case QMetaType::QStringList:
    case QMetaType::QVariantList:
    case QMetaType::QVariantMap:
    case QMetaType::QVariantHash:
    case QMetaType::UnknownType:
        return std::nullopt;
    default:
        break;
    }
    if (!value.canConvert<QString>())
        return std::nullopt;
    return value.toString();
}

std::optional<int> QSettingsStore::readInteger(const QString &name) const
{
    if (!open_ || !settings_->contains(name))
        return std::nullopt;
    const QVariant value = settings_->value(name);
    switch (value.typeId()) {
    case QMetaType::Int:
        return value.toInt();
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong: {
        // A registry DWORD is 32 bits; anything wider is not one of ours.
        bool ok = false;
        const int number = value.toInt(&ok);
        return ok ? std::optional<int>(number) : std::nullopt;
    }
    case QMetaType::QString:
        return strToInt(value.toString());
    default:
        return std::nullopt;
    }
}

bool QSettingsStore::valueExists(const QString &name) const
{
    return open_ && settings_->contains(name);
}

bool QSettingsStore::writeString(const QString &name, const QString &value)
{
    return writeValue(name, value);
}

bool QSettingsStore::writeInteger(const QString &name, int value)
{
    return writeValue(name, value);
}

bool QSettingsStore::writeValue(const QString &name, const QVariant &value)
{
    // A file that could not be parsed is left as it is rather than replaced by the
    // few values written now; an unwritable file would lose every value at sync.
    if (!open_ || name.isEmpty() || !settings_->isWritable() || settings_->status() != QSettings::NoError)
        return false;
    settings_->setValue(name, value);
    return settings_->status() == QSettings::NoError;
}

bool QSettingsStore::flush()
{
    if (!settings_->isWritable())
        return false;
    settings_->sync();
    return settings_->status() == QSettings::NoError;
}
