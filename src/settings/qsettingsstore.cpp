#include "qsettingsstore.h"

#include "strictint.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

std::unique_ptr<QSettings> openApplicationSettings()
{
#ifdef Q_OS_WIN
    return std::make_unique<QSettings>(QStringLiteral("HKEY_LOCAL_MACHINE\\SOFTWARE\\TEMPERATURE CONTROL"),
                                       QSettings::NativeFormat);
#else
    return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                       QStringLiteral("TEMPERATURE CONTROL"));
#endif
}

// "x.ini.bad", or "x.ini.bad2", ... when an earlier one is still there: nothing the
// operator had is overwritten.
QString freeCopyName(const QString &file)
{
    QString name = file + QStringLiteral(".bad");
    for (int n = 2; QFileInfo::exists(name); ++n)
        name = file + QStringLiteral(".bad%1").arg(n);
    return name;
}

} // namespace

QSettingsStore::QSettingsStore() : QSettingsStore(openApplicationSettings()) {}

QSettingsStore::QSettingsStore(const QString &iniFile)
    : QSettingsStore(std::make_unique<QSettings>(iniFile, QSettings::IniFormat))
{
}

QSettingsStore::QSettingsStore(std::unique_ptr<QSettings> settings) : settings_(std::move(settings))
{
    damaged_ = settings_->status() == QSettings::FormatError;
    if (damaged_)
        damagedCopy_ = freeCopyName(settings_->fileName());
}

QSettingsStore::~QSettingsStore()
{
    closeKey();
    if (!damaged_) {
        settings_->sync();
#ifndef Q_OS_WIN
        if (QFile::exists(settings_->fileName()))
            QFile::setPermissions(settings_->fileName(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
#endif
    }
}

QString QSettingsStore::problem() const
{
    if (!damaged_)
        return QString();
    return QStringLiteral("設定檔「%1」已損壞，無法讀取。程式以初始設定執行；儲存設定時會將原檔保留為「%2」，"
                          "並寫入新的設定檔。")
        .arg(settings_->fileName(), damagedCopy_);
}

bool QSettingsStore::setDamagedFileAside()
{
    const QString file = settings_->fileName();
    const QSettings::Format format = settings_->format();
    settings_.reset();
    if (!QFile::rename(file, damagedCopy_)) {
        settings_ = std::make_unique<QSettings>(file, format);
        return false;
    }
    settings_ = std::make_unique<QSettings>(file, format);
    damaged_ = false;
    return true;
}

bool QSettingsStore::openKey(const QString &key, bool create)
{
    closeKey();
    if (key.isEmpty())
        return false;
    if (damaged_ && (!create || !setDamagedFileAside()))
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

QStringList QSettingsStore::valueNames() const
{
    return open_ ? settings_->childKeys() : QStringList();
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
    // An unwritable file would lose every value at sync.
    if (!open_ || name.isEmpty() || !settings_->isWritable() || settings_->status() != QSettings::NoError)
        return false;
    settings_->setValue(name, value);
    return settings_->status() == QSettings::NoError;
}

bool QSettingsStore::flush()
{
    if (damaged_ || !settings_->isWritable())
        return false;
    // The file holds the screen-lock password: it is made readable by its user only
    // before the first write, and replacing it keeps that.
    keepFilePrivate();
    settings_->sync();
    keepFilePrivate();
    return settings_->status() == QSettings::NoError;
}

void QSettingsStore::keepFilePrivate()
{
#ifndef Q_OS_WIN
    QFile file(settings_->fileName());
    if (!file.exists()) {
        QDir().mkpath(QFileInfo(file).absolutePath());
        if (!file.open(QIODevice::WriteOnly))
            return;
        file.close();
    }
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
#endif
}
