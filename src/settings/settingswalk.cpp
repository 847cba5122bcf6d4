#include "settingswalk.h"

#include "settingsmessages.h"
#include "strictint.h"

#include <QLoggingCategory>

#include <algorithm>
#include <optional>

Q_LOGGING_CATEGORY(lcSettings, "tempmon.settings", QtWarningMsg)

namespace {

void orderByKey(std::vector<SettingsSection> &sections)
{
    const QStringList &order = settingsKeyOrder();
    const auto rank = [&order](const SettingsSection &section) {
        const qsizetype at = order.indexOf(section.key);
        return at < 0 ? order.size() : at;
    };
    std::stable_sort(sections.begin(), sections.end(),
                     [&rank](const SettingsSection &a, const SettingsSection &b) { return rank(a) < rank(b); });
}

// The stored value as its control takes it; empty when the value cannot be one of
// its kind.
std::optional<QVariant> storedState(const SettingsStore &store, const SettingValue &value)
{
    switch (value.kind) {
    case SettingKind::Text:
        if (const auto text = store.readString(value.name))
            return QVariant(*text);
        return std::nullopt;
    case SettingKind::IntegerText: {
        const auto text = store.readString(value.name);
        if (!text)
            return std::nullopt;
        if (const auto number = strToInt(*text))
            return QVariant(*number);
        return std::nullopt;
    }
    case SettingKind::Integer:
        if (const auto number = store.readInteger(value.name))
            return QVariant(*number);
        return std::nullopt;
    case SettingKind::Flag:
        if (const auto number = store.readInteger(value.name))
            return QVariant(*number != 0);
        return std::nullopt;
    }
    return std::nullopt;
}

// "IDB_4 = x" for the operator, or the name alone for a value that holds no text.
QString describeStored(const SettingsStore &store, const SettingValue &value)
{
    const auto text = store.readString(value.name);
    return text ? QStringLiteral("%1 = %2").arg(value.name, *text) : value.name;
}

// A control's whole number: an integer, or a field's text that must hold one.
std::optional<int> wholeNumber(const QVariant &state, QString &refusedText)
{
    if (state.typeId() != QMetaType::QString)
        return state.toInt();
    const QString text = state.toString();
    const std::optional<int> number = strToInt(text);
    if (!number)
        refusedText = text;
    return number;
}

// Writes one control's state. Returns the error for the operator, empty when written.
QString saveValue(SettingsStore &store, const SettingValue &value)
{
    const QVariant state = value.read();
    bool written = false;
    switch (value.kind) {
    case SettingKind::Text:
        written = store.writeString(value.name, state.toString());
        break;
    case SettingKind::IntegerText:
    case SettingKind::Integer: {
        QString refused;
        const std::optional<int> number = wholeNumber(state, refused);
        if (!number)
            return notAnIntegerMessage(refused);
        written = value.kind == SettingKind::Integer ? store.writeInteger(value.name, *number)
                                                     : store.writeString(value.name, QString::number(*number));
        break;
    }
    case SettingKind::Flag:
        written = store.writeInteger(value.name, state.toBool() ? 1 : 0);
        break;
    }
    return written ? QString() : writeFailedMessage(value.name);
}

} // namespace

const QStringList &settingsKeyOrder()
{
    static const QStringList order{QStringLiteral("FmHome"), QStringLiteral("FmCommSetting"),
                                   QStringLiteral("FmChartSetting"), QStringLiteral("FmRecord")};
    return order;
}

QString LoadSettings(SettingsStore &store, std::vector<SettingsSection> sections)
{
    orderByKey(sections);
    // A store that could not be read opens no key: every control keeps its initial
    // state and the sections are applied as they stand.
    QStringList toTell;
    const QString problem = store.problem();
    if (!problem.isEmpty())
        toTell.append(problem);

    QStringList unusable;
    for (const SettingsSection &section : sections) {
        // A key not there yet (a fresh installation) leaves every control as it starts.
        const bool keyOpen = store.openKey(section.key, false);
        qCDebug(lcSettings) << "load" << section.key << (keyOpen ? "" : "(absent)");
        for (const SettingValue &value : section.values) {
            if (!keyOpen || !store.valueExists(value.name))
                continue;
            const std::optional<QVariant> state = storedState(store, value);
            if (state && value.put(*state))
                continue;
            // One bad value must not cost the ones after it, nor, through the save at
            // shutdown, the good values still in the store.
            unusable.append(describeStored(store, value));
            value.put(value.initial);
        }
        if (keyOpen)
            store.closeKey();
        if (section.apply)
            section.apply();
    }
    if (!unusable.isEmpty())
        toTell.append(unusableValuesMessage(unusable));
    for (const QString &text : toTell)
        qCInfo(lcSettings) << text;
    return toTell.join(QStringLiteral("\n\n"));
}

QString SaveSettings(SettingsStore &store, std::vector<SettingsSection> sections)
{
    orderByKey(sections);
    for (const SettingsSection &section : sections) {
        if (!store.openKey(section.key, true))
            return keyNotCreatedMessage(section.key);
        for (const SettingValue &value : section.values) {
            if (!value.savedAtShutdown)
                continue;
            const QString error = saveValue(store, value);
            if (!error.isEmpty()) {
                store.closeKey();
                qCInfo(lcSettings) << error;
                return error;
            }
        }
        const bool stored = store.flush();
        store.closeKey();
        if (!stored)
            return keyNotSavedMessage(section.key);
    }
    return {};
}
