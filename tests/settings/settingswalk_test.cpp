// The load and save walks over declared sections, against the memory store and a real
// ini file. The "controls" are plain states a board keeps, so what the walks do to a
// window's controls is seen without building one.

#include "settingswalk.h"
#include "storebackends.h"

#include "qtprinters.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringList>

#include <gtest/gtest.h>

#include <functional>

namespace {

// Controls as a window would declare them: one of each kind in each of the four keys,
// an ID field that takes only digits, a protocol that only its own dialog stores and
// a number field that holds text.
class Board {
public:
    Board()
    {
        sections_ = {
            {QStringLiteral("FmRecord"),
             {value("ChkSave", SettingKind::Flag, true), numberField("TxtSampleTime", 10),
              value("CboSampleUnit", SettingKind::Integer, 0), value("TxtFilePath", SettingKind::Text, "/data")},
             applying("record")},
            {QStringLiteral("FmCommSetting"),
             {value("ScanAll", SettingKind::Integer, 0), ownDialogs(value("Psl", SettingKind::Integer, 0)),
              value("BPSA", SettingKind::IntegerText, -1), value("Title", SettingKind::Text, "溫度監控系統 8.22")},
             applying("comm")},
            {QStringLiteral("FmHome"),
             {ownDialogs(value("HmTitle", SettingKind::Text, "公司")), value("IDA_1", SettingKind::Text, "1"),
              value("IDB_4", SettingKind::Text, "1"), value("RecipeA_1", SettingKind::Text, "100")},
             applying("home")},
            {QStringLiteral("FmChartSetting"),
             {value("RdoAutoA", SettingKind::Flag, true), value("TxtYmaxA", SettingKind::Text, "600")},
             applying("chart")},
        };
    }

    std::vector<SettingsSection> sections() const { return sections_; }

    // Gives every control a state of its own, other than its initial one.
    void change()
    {
        state = {{"ChkSave", false},        {"TxtSampleTime", "30"}, {"CboSampleUnit", 1},
                 {"TxtFilePath", "/srv/紀錄"}, {"ScanAll", 1},        {"Psl", 1},
                 {"BPSA", 3},               {"Title", "二廠"},        {"HmTitle", "大同"},
                 {"IDA_1", "17"},           {"IDB_4", "204"},        {"RecipeA_1", "-12.5"},
                 {"RdoAutoA", false},       {"TxtYmaxA", "450"}};
    }

    QMap<QString, QVariant> state;
    QStringList applied;

private:
    SettingValue value(const char *name, SettingKind kind, const QVariant &initial)
    {
        const QString key = QString::fromLatin1(name);
        state[key] = initial;
        const bool idField = key.startsWith(QLatin1String("ID"));
        return {key, kind, initial, [this, key] { return state.value(key); },
                [this, key, idField](const QVariant &put) {
                    state[key] = put;
                    // Like a tile's ID field, which takes the text and then holds no address.
                    return !idField || QRegularExpression(QStringLiteral("^[0-9]+$")).match(put.toString()).hasMatch();
                }};
    }
    SettingValue numberField(const char *name, int initial)
    {
        const QString key = QString::fromLatin1(name);
        state[key] = QString::number(initial);
        return {key, SettingKind::Integer, initial, [this, key] { return state.value(key); },
                [this, key](const QVariant &put) {
                    state[key] = QString::number(put.toInt());
                    return true;
                }};
    }
    static SettingValue ownDialogs(SettingValue value)
    {
        value.savedAtShutdown = false;
        return value;
    }
    std::function<void()> applying(const char *what)
    {
        return [this, what] { applied.append(QString::fromLatin1(what)); };
    }

    std::vector<SettingsSection> sections_;
};

QMap<QString, QVariant> statesAsText(const QMap<QString, QVariant> &state)
{
    QMap<QString, QVariant> text;
    for (auto it = state.begin(); it != state.end(); ++it)
        text[it.key()] = it.value().toString();
    return text;
}

using BackendFactory = std::function<std::unique_ptr<StoreBackend>()>;

struct BackendCase {
    const char *name;
    BackendFactory make;
};

void PrintTo(const BackendCase &c, std::ostream *out)
{
    *out << c.name;
}

class SettingsWalk : public ::testing::TestWithParam<BackendCase> {
protected:
    void SetUp() override { backend = GetParam().make(); }

    // A finished run: the operator's controls saved at shutdown.
    void saveChangedBoard()
    {
        Board previous;
        previous.change();
        ASSERT_EQ(SaveSettings(backend->store(), previous.sections()), QString());
        saved = statesAsText(previous.state);
        backend->restart();
    }

    std::unique_ptr<StoreBackend> backend;
    QMap<QString, QVariant> saved;
};

const QStringList kApplyOrder{"home", "comm", "chart", "record"};

TEST_P(SettingsWalk, SavedControlsComeBackAtTheNextStartInTheStoresKeyOrder)
{
    saveChangedBoard();
    Board next;
    EXPECT_EQ(LoadSettings(backend->store(), next.sections()), QString());
    // The protocol and the company name are stored by their own dialogs, not at shutdown.
    saved["Psl"] = QStringLiteral("0");
    saved["HmTitle"] = QStringLiteral("公司");
    EXPECT_EQ(statesAsText(next.state), saved);
    EXPECT_EQ(next.applied, kApplyOrder) << "sections were declared in another order";
}

TEST_P(SettingsWalk, ValuesOfTheirOwnDialogsAreReadButNotWrittenAtShutdown)
{
    backend->put("FmCommSetting", "Psl", 1);
    backend->put("FmHome", "HmTitle", QStringLiteral("大同公司"));
    Board board;
    board.change();
    board.state["Psl"] = 0;
    ASSERT_EQ(SaveSettings(backend->store(), board.sections()), QString());
    backend->restart();
    EXPECT_EQ(backend->stored("FmCommSetting", "Psl"), QStringLiteral("1"));
    EXPECT_EQ(backend->stored("FmHome", "HmTitle"), QStringLiteral("大同公司"));
    // Item indexes are integers, except those kept as their decimal text.
    EXPECT_EQ(backend->stored("FmCommSetting", "BPSA"), QStringLiteral("3"));
    EXPECT_EQ(backend->stored("FmRecord", "TxtSampleTime"), QStringLiteral("30"));

    Board next;
    EXPECT_EQ(LoadSettings(backend->store(), next.sections()), QString());
    EXPECT_EQ(next.state["Psl"], QVariant(1));
    EXPECT_EQ(next.state["HmTitle"], QVariant(QStringLiteral("大同公司")));
}

TEST_P(SettingsWalk, FreshInstallationKeepsInitialStatesAndStillApplies)
{
    Board board;
    const auto initial = board.state;
    EXPECT_EQ(LoadSettings(backend->store(), board.sections()), QString());
    EXPECT_EQ(board.state, initial);
    EXPECT_EQ(board.applied, kApplyOrder);

    ASSERT_EQ(SaveSettings(backend->store(), board.sections()), QString());
    backend->restart();
    EXPECT_EQ(backend->stored("FmHome", "IDB_4"), QStringLiteral("1"));
    EXPECT_EQ(backend->stored("FmCommSetting", "BPSA"), QStringLiteral("-1"));
    EXPECT_EQ(backend->stored("FmChartSetting", "RdoAutoA"), QStringLiteral("1"));
    EXPECT_FALSE(backend->stored("FmCommSetting", "Psl").has_value());
}

struct Unusable {
    const char *key;
    const char *name;
    QVariant stored;
    const char *told; // how the message names it
};

// One unusable value of each kind, and one its control refuses: each is named, its
// control keeps its initial state, and everything else loads and applies.
TEST_P(SettingsWalk, UnusableValueIsNamedAndCostsOnlyItself)
{
    const Unusable cases[] = {
        {"FmCommSetting", "BPSA", QStringLiteral("abc"), "BPSA = abc"},
        {"FmCommSetting", "BPSA", QStringLiteral(" 2"), "BPSA =  2"},
        {"FmCommSetting", "ScanAll", QStringLiteral("yes"), "ScanAll = yes"},
        {"FmRecord", "TxtSampleTime", QStringLiteral("10s"), "TxtSampleTime = 10s"},
        {"FmRecord", "CboSampleUnit", QStringLiteral("1.5"), "CboSampleUnit = 1.5"},
        {"FmChartSetting", "RdoAutoA", QStringLiteral("true"), "RdoAutoA = true"},
        {"FmHome", "IDB_4", QStringLiteral("x"), "IDB_4 = x"},
        {"FmHome", "IDB_4", QStringLiteral("-3"), "IDB_4 = -3"},
    };
    for (const Unusable &c : cases) {
        SetUp();
        saveChangedBoard();
        backend->put(c.key, c.name, c.stored);
        Board board;
        const QVariant initial = board.state[c.name];
        const QString told = LoadSettings(backend->store(), board.sections());

        EXPECT_EQ(told, QStringLiteral("下列設定值無法使用，已改用初始值：\n") + QString::fromUtf8(c.told)) << c.name;
        EXPECT_EQ(board.state[c.name].toString(), initial.toString()) << c.name;
        EXPECT_EQ(board.applied, kApplyOrder) << c.name;
        for (auto it = saved.begin(); it != saved.end(); ++it) {
            if (it.key() != QLatin1String(c.name) && it.key() != "Psl" && it.key() != "HmTitle")
                EXPECT_EQ(board.state[it.key()].toString(), it.value().toString()) << c.name << ": " << it.key().toStdString();
        }
    }
}

TEST_P(SettingsWalk, EveryUnusableValueIsInTheOneMessageInStoreOrder)
{
    saveChangedBoard();
    backend->put("FmRecord", "TxtSampleTime", QStringLiteral("10s"));
    backend->put("FmCommSetting", "BPSA", QStringLiteral("abc"));
    backend->put("FmHome", "IDB_4", QStringLiteral("4a"));
    Board board;
    EXPECT_EQ(LoadSettings(backend->store(), board.sections()),
              QStringLiteral("下列設定值無法使用，已改用初始值：\nIDB_4 = 4a\nBPSA = abc\nTxtSampleTime = 10s"));
    EXPECT_EQ(board.state["RecipeA_1"], QVariant(QStringLiteral("-12.5")));
    EXPECT_EQ(board.state["TxtFilePath"], QVariant(QStringLiteral("/srv/紀錄")));

    // The close writes the initial states back over the unusable values only.
    ASSERT_EQ(SaveSettings(backend->store(), board.sections()), QString());
    backend->restart();
    EXPECT_EQ(backend->stored("FmCommSetting", "BPSA"), QStringLiteral("-1"));
    EXPECT_EQ(backend->stored("FmCommSetting", "Title"), QStringLiteral("二廠"));
}

INSTANTIATE_TEST_SUITE_P(Stores, SettingsWalk,
                         ::testing::Values(BackendCase{"memory", [] { return std::make_unique<MemoryBackend>(); }},
                                           BackendCase{"ini", [] { return std::make_unique<IniBackend>(); }}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(SettingsKeys, UndeclaredKeysFollowTheStoresOwnInTheOrderGiven)
{
    EXPECT_EQ(settingsKeyOrder(), (QStringList{"FmHome", "FmCommSetting", "FmChartSetting", "FmRecord"}));
    QStringList walked;
    std::vector<SettingsSection> sections;
    for (const char *key : {"Zeta", "FmRecord", "Alpha", "FmHome"})
        sections.push_back({QString::fromLatin1(key), {}, [&walked, key] { walked.append(QString::fromLatin1(key)); }});
    MemorySettingsStore store;
    LoadSettings(store, sections);
    EXPECT_EQ(walked, (QStringList{"FmHome", "FmRecord", "Zeta", "Alpha"}));
}

// Faults the test double can stage.

TEST(SettingsWalkFaults, UnwritableValueEndsTheSave)
{
    MemorySettingsStore store;
    store.failWriting(QStringLiteral("FmCommSetting"), QStringLiteral("BPSA"));
    Board board;
    EXPECT_EQ(SaveSettings(store, board.sections()), QStringLiteral("無法寫入設定值「BPSA」"));
    const QStringList written = store.writeLog();
    ASSERT_FALSE(written.isEmpty());
    EXPECT_EQ(written.last(), QStringLiteral("FmCommSetting/ScanAll"));
    EXPECT_FALSE(store.value("FmCommSetting", "Title").has_value());
    EXPECT_FALSE(store.hasKey("FmRecord"));
    EXPECT_FALSE(store.isKeyOpen());
}

TEST(SettingsWalkFaults, KeyThatCannotBeMadeOrStoredEndsTheSave)
{
    {
        MemorySettingsStore store;
        store.failOpening(QStringLiteral("FmChartSetting"));
        EXPECT_EQ(SaveSettings(store, Board().sections()), QStringLiteral("無法建立設定「FmChartSetting」"));
        EXPECT_TRUE(store.value("FmCommSetting", "Title").has_value());
        EXPECT_FALSE(store.hasKey("FmRecord"));
    }
    {
        MemorySettingsStore store;
        store.failFlushing(QStringLiteral("FmHome"));
        EXPECT_EQ(SaveSettings(store, Board().sections()), QStringLiteral("無法儲存設定「FmHome」"));
        EXPECT_FALSE(store.hasKey("FmCommSetting"));
    }
}

TEST(SettingsWalkFaults, FieldThatHoldsNoWholeNumberEndsTheSave)
{
    MemorySettingsStore store;
    Board board;
    board.state["TxtSampleTime"] = QStringLiteral("ten");
    EXPECT_EQ(SaveSettings(store, board.sections()), QStringLiteral("「ten」不是有效的整數"));
    EXPECT_TRUE(store.value("FmChartSetting", "TxtYmaxA").has_value());
    EXPECT_FALSE(store.value("FmRecord", "CboSampleUnit").has_value());
    EXPECT_FALSE(store.isKeyOpen());
}

TEST(SettingsWalkFaults, UnreadableKeyLeavesItsControlsButGoesOn)
{
    MemorySettingsStore store;
    store.setString("FmCommSetting", "Title", QStringLiteral("不該出現"));
    store.setString("FmRecord", "TxtFilePath", QStringLiteral("/other"));
    store.failOpening(QStringLiteral("FmCommSetting"));
    Board board;
    EXPECT_EQ(LoadSettings(store, board.sections()), QString());
    EXPECT_EQ(board.state["Title"], QVariant(QStringLiteral("溫度監控系統 8.22")));
    EXPECT_EQ(board.state["TxtFilePath"], QVariant(QStringLiteral("/other")));
    EXPECT_EQ(board.applied, kApplyOrder);
    EXPECT_FALSE(store.isKeyOpen());
}

TEST(SettingsWalkFaults, DamagedIniFileIsToldKeptAsideAndReplaced)
{
    IniBackend backend;
    const QByteArray damaged("[FmHome]\nIDA_1=5\n\x01\x02[[[\n=\n[FmCommSetting\nScanAll=@Variant(\\0\\0\\0\\x7f)\n");
    {
        QFile file(backend.path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(damaged);
    }
    backend.restart();
    Board board;
    const auto initial = board.state;
    // One message that names the file; the program runs on the initial settings.
    const QString told = LoadSettings(backend.store(), board.sections());
    EXPECT_TRUE(told.contains(backend.path())) << told.toStdString();
    EXPECT_TRUE(told.contains(QStringLiteral("損壞")));
    EXPECT_EQ(board.state, initial);
    EXPECT_EQ(board.applied, kApplyOrder);

    // The close keeps the operator's file aside and writes a fresh one.
    board.change();
    EXPECT_EQ(SaveSettings(backend.store(), board.sections()), QString());
    QFile kept(backend.path() + QStringLiteral(".bad"));
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), damaged);

    // The next start is clean.
    backend.restart();
    Board next;
    EXPECT_EQ(LoadSettings(backend.store(), next.sections()), QString());
    EXPECT_EQ(next.state["RecipeA_1"], QVariant(QStringLiteral("-12.5")));
}

TEST(SettingsWalkFaults, ValueThatHoldsNoTextIsNamedAndTheLoadGoesOn)
{
    QTemporaryDir folder;
    QSettingsStore raw(std::make_unique<QSettings>(folder.filePath(QStringLiteral("t.ini")), QSettings::IniFormat));
    ASSERT_TRUE(raw.openKey(QStringLiteral("FmCommSetting"), true));
    raw.settings().setValue(QStringLiteral("Title"), QVariant::fromValue(QStringList{"a", "b"}));
    raw.closeKey();
    ASSERT_TRUE(raw.openKey(QStringLiteral("FmRecord"), true));
    raw.writeString(QStringLiteral("TxtFilePath"), QStringLiteral("/kept"));
    raw.closeKey();
    Board board;
    EXPECT_EQ(LoadSettings(raw, board.sections()), QStringLiteral("下列設定值無法使用，已改用初始值：\nTitle"));
    EXPECT_EQ(board.state["Title"], QVariant(QStringLiteral("溫度監控系統 8.22")));
    EXPECT_EQ(board.state["TxtFilePath"], QVariant(QStringLiteral("/kept")));
}

} // namespace
