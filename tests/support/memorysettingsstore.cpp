#include "memorysettingsstore.h"

#include "strictint.h"

namespace {
QString path(const QString &key, const QString &name)
{
    return key + QLatin1Char('/') + name;
}

QString asString(const MemorySettingsStore::Value &value)
{
    if (const auto *text = std::get_if<QString>(&value))
        return *text;
    return QString::number(std::get<int>(value));
}

std::optional<int> asInteger(const MemorySettingsStore::Value &value)
{
    if (const auto *number = std::get_if<int>(&value))
        return *number;
    return strToInt(std::get<QString>(value));
}
} // namespace

void MemorySettingsStore::addKey(const QString &key)
{
    keys_[key];
}

void MemorySettingsStore::setString(const QString &key, const QString &name, const QString &value)
{
    keys_[key][name] = value;
}

void MemorySettingsStore::setInteger(const QString &key, const QString &name, int value)
{
    keys_[key][name] = value;
}

void MemorySettingsStore::removeValue(const QString &key, const QString &name)
{
    const auto it = keys_.find(key);
    if (it != keys_.end())
        it->remove(name);
}

bool MemorySettingsStore::hasKey(const QString &key) const
{
    return keys_.contains(key);
}

std::optional<MemorySettingsStore::Value> MemorySettingsStore::value(const QString &key, const QString &name) const
{
    const auto k = keys_.constFind(key);
    if (k == keys_.constEnd())
        return std::nullopt;
    const auto v = k->constFind(name);
    if (v == k->constEnd())
        return std::nullopt;
    return *v;
}

std::optional<QString> MemorySettingsStore::stringValue(const QString &key, const QString &name) const
{
    const auto v = value(key, name);
    return v ? std::optional<QString>(asString(*v)) : std::nullopt;
}

std::optional<int> MemorySettingsStore::integerValue(const QString &key, const QString &name) const
{
    const auto v = value(key, name);
    return v ? asInteger(*v) : std::nullopt;
}

void MemorySettingsStore::failOpening(const QString &key)
{
    failOpen_.insert(key);
}

void MemorySettingsStore::failWriting(const QString &key, const QString &name)
{
    failWrite_.insert(path(key, name));
}

void MemorySettingsStore::failFlushing(const QString &key)
{
    failFlush_.insert(key);
}

bool MemorySettingsStore::openKey(const QString &key, bool create)
{
    if (!openKey_.isEmpty())
        ++nestedOpens_;
    openKey_.clear();
    if (key.isEmpty() || failOpen_.contains(key))
        return false;
    if (!keys_.contains(key)) {
        if (!create)
            return false;
        keys_[key];
    }
    openKey_ = key;
    return true;
}

void MemorySettingsStore::closeKey()
{
    openKey_.clear();
}

std::optional<QString> MemorySettingsStore::readString(const QString &name) const
{
    return openKey_.isEmpty() ? std::nullopt : stringValue(openKey_, name);
}

std::optional<int> MemorySettingsStore::readInteger(const QString &name) const
{
    return openKey_.isEmpty() ? std::nullopt : integerValue(openKey_, name);
}

bool MemorySettingsStore::valueExists(const QString &name) const
{
    return !openKey_.isEmpty() && value(openKey_, name).has_value();
}

bool MemorySettingsStore::writeString(const QString &name, const QString &value)
{
    return write(name, value);
}

bool MemorySettingsStore::writeInteger(const QString &name, int value)
{
    return write(name, value);
}

bool MemorySettingsStore::write(const QString &name, const Value &value)
{
    if (openKey_.isEmpty() || name.isEmpty() || failWrite_.contains(path(openKey_, name)))
        return false;
    keys_[openKey_][name] = value;
    writeLog_.append(path(openKey_, name));
    return true;
}

bool MemorySettingsStore::flush()
{
    return openKey_.isEmpty() || !failFlush_.contains(openKey_);
}

QStringList MemorySettingsStore::valueNames() const
{
    if (openKey_.isEmpty())
        return {};
    return keys_.value(openKey_).keys();
}
