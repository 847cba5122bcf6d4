#include "settingswalk.h"

#include "settingsmessages.h"
#include "strictint.h"
#include "titleplacement.h"

#include "panels.h"

#include <QLoggingCategory>
#include <QObject>
#include <QPoint>
#include <QVariant>

#include <vector>

Q_LOGGING_CATEGORY(lcSettings, "tempmon.settings", QtWarningMsg)

namespace {

// How a value is kept and which side of its control it mirrors.
enum class Kind {
    Text,        // string <-> the control's text
    CompanyName, // string -> the label's text, then the label is placed; never saved
    StationId,   // string holding a whole number <-> the tile's ID text and the slot's StationId
    Index,       // integer <-> item index (-1 for none)
    IndexText,   // string holding the item index's decimal text <-> item index
    Number,      // integer <-> a field holding a whole number
    Flag,        // integer 0 or 1 <-> checked
};

struct Entry {
    QString name;
    Kind kind;
    QString control; // object names from the window down, separated by '/'
    bool saved = true;
    int panel = 0;
    int slot = 0;
};

struct Section {
    QString key;
    QObject *form;
    std::vector<Entry> entries;
    const std::function<void()> *apply;
};

QString letter(int panel)
{
    return QString(panelLetter(panel));
}

std::vector<Entry> homeEntries()
{
    std::vector<Entry> e;
    e.push_back({QStringLiteral("HmTitle"), Kind::CompanyName, QStringLiteral("RzLabel1"), false});
    for (int n = 1; n <= kSlotCount; ++n) {
        for (int p = 1; p <= kPanelCount; ++p)
            e.push_back({QStringLiteral("UnitTitle%1_%2").arg(letter(p)).arg(n), Kind::Text,
                         QStringLiteral("Controller%1%2/TxtUnitTitle").arg(letter(p)).arg(n)});
        for (int p = 1; p <= kPanelCount; ++p)
            e.push_back({QStringLiteral("ID%1_%2").arg(letter(p)).arg(n), Kind::StationId,
                         QStringLiteral("Controller%1%2/TxtID").arg(letter(p)).arg(n), true, p, n});
        for (int p = 1; p <= kPanelCount; ++p)
            e.push_back({QStringLiteral("Recipe%1_%2").arg(letter(p)).arg(n), Kind::Text,
                         QStringLiteral("TxtRecipe%1%2").arg(letter(p)).arg(n)});
    }
    return e;
}

std::vector<Entry> commEntries()
{
    std::vector<Entry> e{
        {QStringLiteral("ScanAll"), Kind::Index, QStringLiteral("RdoScanAll")},
        {QStringLiteral("Converter"), Kind::Index, QStringLiteral("CboConverter")},
        // The protocol is stored by the dialog's OK alone.
        {QStringLiteral("Psl"), Kind::Index, QStringLiteral("CboPsl"), false},
    };
    for (int p = 1; p <= kPanelCount; ++p)
        e.push_back({QStringLiteral("COM%1").arg(letter(p)), Kind::Index, QStringLiteral("CboCom%1").arg(letter(p))});
    for (int p = 1; p <= kPanelCount; ++p)
        e.push_back({QStringLiteral("BPS%1").arg(letter(p)), Kind::IndexText, QStringLiteral("CboBps%1").arg(letter(p))});
    e.push_back({QStringLiteral("Title"), Kind::Text, QStringLiteral("TxtTitle")});
    // Typed other ports, so that a panel on a port beyond the list keeps it; absent
    // in older files, which leaves the fields empty.
    for (int p = 1; p <= kPanelCount; ++p)
        e.push_back({QStringLiteral("OtherCom%1").arg(letter(p)), Kind::Text, QStringLiteral("Edit%1").arg(p)});
    return e;
}

std::vector<Entry> chartEntries()
{
    std::vector<Entry> e;
    const auto perPanel = [&e](const QString &pattern, Kind kind) {
        for (int p = 1; p <= kPanelCount; ++p) {
            const QString name = pattern.arg(letter(p));
            e.push_back({name, kind, name});
        }
    };
    perPanel(QStringLiteral("RdoAuto%1"), Kind::Flag);
    perPanel(QStringLiteral("RdoLimit%1"), Kind::Flag);
    perPanel(QStringLiteral("TxtYmin%1"), Kind::Text);
    perPanel(QStringLiteral("TxtYmax%1"), Kind::Text);
    perPanel(QStringLiteral("Chk3D%1"), Kind::Flag);
    for (int p = 1; p <= kPanelCount; ++p)
        e.push_back({QStringLiteral("ChkSV%1").arg(p), Kind::Flag, QStringLiteral("ChkSV%1").arg(p)});
    e.push_back({QStringLiteral("TxtChtSample"), Kind::Text, QStringLiteral("TxtChtSample")});
    perPanel(QStringLiteral("TxtCht%1Max"), Kind::Text);
    return e;
}

std::vector<Entry> recordEntries()
{
    return {
        {QStringLiteral("ChkSave"), Kind::Flag, QStringLiteral("ChkSave")},
        {QStringLiteral("TxtSampleTime"), Kind::Number, QStringLiteral("TxtSampleTime")},
        {QStringLiteral("CboSampleUnit"), Kind::Index, QStringLiteral("CboSampleUnit")},
        {QStringLiteral("CboSaveUnit"), Kind::Index, QStringLiteral("CboSaveUnit")},
        {QStringLiteral("CboFileType"), Kind::Index, QStringLiteral("CboFileType")},
        {QStringLiteral("TxtFilePath"), Kind::Text, QStringLiteral("TxtFilePath")},
    };
}

std::vector<Section> sections(const SettingsForms &forms, const SettingsHooks &hooks)
{
    return {
        {QStringLiteral("FmHome"), forms.home, homeEntries(), nullptr},
        {QStringLiteral("FmCommSetting"), forms.commSetting, commEntries(), &hooks.applyCommSetting},
        {QStringLiteral("FmChartSetting"), forms.chartSetting, chartEntries(), &hooks.applyChartSetting},
        {QStringLiteral("FmRecord"), forms.record, recordEntries(), &hooks.applyRecord},
    };
}

QObject *findControl(QObject *form, const QString &path)
{
    QObject *at = form;
    for (const QString &name : path.split(QLatin1Char('/'))) {
        at = at->findChild<QObject *>(name);
        if (!at)
            return nullptr;
    }
    return at;
}

// The property each kind mirrors. Grouped radio buttons declare "itemIndex"; lists
// have "currentIndex".
const char *propertyFor(Kind kind, const QObject *control)
{
    switch (kind) {
    case Kind::Index:
    case Kind::IndexText:
        return control->metaObject()->indexOfProperty("itemIndex") >= 0 ? "itemIndex" : "currentIndex";
    case Kind::Flag:
        return "checked";
    default:
        return "text";
    }
}

int itemIndex(const QObject *control, const char *property)
{
    return control->property(property).toInt();
}

void setItemIndex(QObject *control, const char *property, int index)
{
    // A list given an index beyond its items chooses none, as the stored -1 does.
    const QVariant count = control->property("count");
    if (count.isValid() && (index < 0 || index >= count.toInt()))
        index = -1;
    control->setProperty(property, index);
}

void setFlag(QObject *control, bool on, const SettingsHooks &hooks)
{
    if (on) {
        // Selecting a radio button runs its click action, as the operator's click would.
        if (control->inherits("QRadioButton") && hooks.selectRadio)
            hooks.selectRadio(control);
        else
            control->setProperty("checked", true);
        return;
    }
    // A button of an exclusive group cannot be cleared while it is the checked one.
    const QVariant exclusive = control->property("autoExclusive");
    if (exclusive.isValid())
        control->setProperty("autoExclusive", false);
    control->setProperty("checked", false);
    if (exclusive.isValid())
        control->setProperty("autoExclusive", exclusive);
}

QString missingControlMessage(const QString &key, const QString &path)
{
    return QStringLiteral("找不到 %2 的控制項「%1」").arg(path, key);
}

// Loads one value into its control. Returns an error text, empty when it went through.
// A stored station ID that is not a number does not stop the load: it is noted in
// `unusableIds` and its tile gets station 1.
QString loadEntry(SettingsStore &store, const QString &key, bool keyOpen, const Entry &entry,
                  QObject *control, const SettingsHooks &hooks, QStringList &unusableIds)
{
    const char *property = propertyFor(entry.kind, control);
    if (control->metaObject()->indexOfProperty(property) < 0)
        return missingControlMessage(key, entry.control + QLatin1Char('.') + QLatin1String(property));
    const bool present = keyOpen && store.valueExists(entry.name);

    // A value that is there but is no text at all (a damaged store) is not an empty text.
    std::optional<QString> storedText;
    if (present && entry.kind != Kind::Index && entry.kind != Kind::Number && entry.kind != Kind::Flag) {
        storedText = store.readString(entry.name);
        if (!storedText)
            return invalidTypeMessage(entry.name);
    }

    switch (entry.kind) {
    case Kind::Text:
        if (present)
            control->setProperty(property, *storedText);
        return {};
    case Kind::CompanyName:
        if (present) {
            control->setProperty(property, *storedText);
            const QVariant at = control->property("pos");
            if (at.isValid())
                control->setProperty("pos", QPoint(titleLeftEdge(*storedText), at.toPoint().y()));
        }
        return {};
    case Kind::StationId: {
        // The text goes into the ID field first, whose repair turns an empty text
        // into "1"; what the field then holds is converted.
        if (present)
            control->setProperty(property, *storedText);
        const QString text = control->property(property).toString();
        std::optional<int> id = stationIdFromText(text);
        if (!id) {
            // An ID field that starts out unusable is not the store's fault: the slot
            // simply keeps its address.
            if (!present)
                return {};
            unusableIds.append(QStringLiteral("%1 = %2").arg(entry.name, *storedText));
            control->setProperty(property, QStringLiteral("1"));
            id = 1;
        }
        if (hooks.setStationId)
            hooks.setStationId(entry.panel, entry.slot, *id);
        return {};
    }
    case Kind::Index:
    case Kind::Number:
    case Kind::Flag: {
        if (!present)
            return {};
        const std::optional<int> value = store.readInteger(entry.name);
        if (!value)
            return invalidTypeMessage(entry.name);
        if (entry.kind == Kind::Index)
            setItemIndex(control, property, *value);
        else if (entry.kind == Kind::Number)
            control->setProperty(property, QString::number(*value));
        else
            setFlag(control, *value != 0, hooks);
        return {};
    }
    case Kind::IndexText: {
        if (!present)
            return {};
        const std::optional<int> value = strToInt(*storedText);
        if (!value)
            return notAnIntegerMessage(*storedText);
        setItemIndex(control, property, *value);
        return {};
    }
    }
    return {};
}

// Writes one control's state. Returns an error text, empty when it went through.
QString saveEntry(SettingsStore &store, const QString &key, const Entry &entry, const QObject *control)
{
    const char *property = propertyFor(entry.kind, control);
    if (control->metaObject()->indexOfProperty(property) < 0)
        return missingControlMessage(key, entry.control + QLatin1Char('.') + QLatin1String(property));
    bool written = false;
    switch (entry.kind) {
    case Kind::Text:
    case Kind::CompanyName:
    case Kind::StationId:
        written = store.writeString(entry.name, control->property(property).toString());
        break;
    case Kind::Index:
        written = store.writeInteger(entry.name, itemIndex(control, property));
        break;
    case Kind::IndexText:
        written = store.writeString(entry.name, QString::number(itemIndex(control, property)));
        break;
    case Kind::Number: {
        const QString text = control->property(property).toString();
        const std::optional<int> value = strToInt(text);
        if (!value)
            return notAnIntegerMessage(text);
        written = store.writeInteger(entry.name, *value);
        break;
    }
    case Kind::Flag:
        written = store.writeInteger(entry.name, control->property(property).toBool() ? 1 : 0);
        break;
    }
    return written ? QString() : writeFailedMessage(entry.name);
}

void report(const SettingsHooks &hooks, const QString &text)
{
    qCInfo(lcSettings) << text;
    if (hooks.reportError)
        hooks.reportError(text);
}

} // namespace

void LoadSettings(SettingsStore &store, const SettingsForms &forms, const SettingsHooks &hooks)
{
    // A store that could not be read is told once; every control then keeps its
    // initial state and the dialogs are applied as they stand.
    const QString problem = store.problem();
    if (!problem.isEmpty())
        report(hooks, problem);
    QStringList unusableIds;
    for (const Section &section : sections(forms, hooks)) {
        if (!section.form)
            continue;
        // A key not there yet (a fresh installation) leaves every control as it starts.
        const bool keyOpen = store.openKey(section.key, false);
        qCDebug(lcSettings) << "load" << section.key << (keyOpen ? "" : "(absent)");
        for (const Entry &entry : section.entries) {
            QObject *control = findControl(section.form, entry.control);
            const QString error = control
                ? loadEntry(store, section.key, keyOpen, entry, control, hooks, unusableIds)
                : missingControlMessage(section.key, entry.control);
            if (!error.isEmpty()) {
                store.closeKey();
                report(hooks, error);
                return;
            }
        }
        store.closeKey();
        if (!unusableIds.isEmpty()) {
            report(hooks, unusableStationIdsMessage(unusableIds));
            unusableIds.clear();
        }
        if (section.apply && *section.apply)
            (*section.apply)();
    }
}

bool SaveSettings(SettingsStore &store, const SettingsForms &forms, const SettingsHooks &hooks)
{
    for (const Section &section : sections(forms, hooks)) {
        if (!section.form)
            continue;
        if (!store.openKey(section.key, true)) {
            report(hooks, keyNotCreatedMessage(section.key));
            return false;
        }
        for (const Entry &entry : section.entries) {
            if (!entry.saved)
                continue;
            const QObject *control = findControl(section.form, entry.control);
            const QString error = control ? saveEntry(store, section.key, entry, control)
                                          : missingControlMessage(section.key, entry.control);
            if (!error.isEmpty()) {
                store.closeKey();
                report(hooks, error);
                return false;
            }
        }
        const bool stored = store.flush();
        store.closeKey();
        if (!stored) {
            report(hooks, keyNotSavedMessage(section.key));
            return false;
        }
    }
    return true;
}
