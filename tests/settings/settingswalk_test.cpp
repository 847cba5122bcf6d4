#include "fakeforms.h"
#include "radiogroup.h"
#include "settingswalk.h"
#include "storebackends.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include "qtprinters.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

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
    void saveChangedControls()
    {
        FakeForms previous = makeFakeForms();
        changeEveryControl(previous);
        HookLog log;
        ASSERT_TRUE(SaveSettings(backend->store(), previous.forms(), log.hooks()));
        ASSERT_TRUE(log.errors.isEmpty()) << log.errors.join(';').toStdString();
        saved = snapshot(previous);
        backend->restart();
    }

    std::unique_ptr<StoreBackend> backend;
    QMap<QString, QString> saved;
};

TEST_P(SettingsWalk, SavedControlsComeBackAtTheNextStart)
{
    saveChangedControls();

    FakeForms next = makeFakeForms();
    HookLog log;
    LoadSettings(backend->store(), next.forms(), log.hooks());

    EXPECT_TRUE(log.errors.isEmpty()) << log.errors.join(';').toStdString();
    EXPECT_EQ(snapshot(next), saved);
    EXPECT_EQ(log.calls, (QStringList{"comm", "chart", "record"}));
    ASSERT_EQ(log.stationIds.size(), 30);
    for (int p = 1; p <= 3; ++p)
        for (int n = 1; n <= 10; ++n)
            EXPECT_EQ(log.stationIds.value({p, n}), p * 100 + n) << p << "/" << n;
}

TEST_P(SettingsWalk, ProtocolAndCompanyNameAreLeftToTheirOwnDialogs)
{
    backend->put("FmCommSetting", "Psl", 1);
    backend->put("FmHome", "HmTitle", QStringLiteral("大同公司"));
    FakeForms forms = makeFakeForms();
    changeEveryControl(forms);
    control<QComboBox>(forms.comm.get(), "CboPsl")->setCurrentIndex(0);
    control<QLabel>(forms.home.get(), "RzLabel1")->setText(QStringLiteral("別的名稱"));

    HookLog log;
    ASSERT_TRUE(SaveSettings(backend->store(), forms.forms(), log.hooks()));
    backend->restart();

    EXPECT_EQ(backend->stored("FmCommSetting", "Psl"), QStringLiteral("1"));
    EXPECT_EQ(backend->stored("FmHome", "HmTitle"), QStringLiteral("大同公司"));
    EXPECT_EQ(backend->stored("FmCommSetting", "COMB"), QStringLiteral("-1"));
    EXPECT_EQ(backend->stored("FmCommSetting", "BPSA"), QStringLiteral("0"));
    EXPECT_EQ(backend->stored("FmRecord", "TxtSampleTime"), QStringLiteral("30"));
}

TEST_P(SettingsWalk, FreshInstallationKeepsInitialStatesAndStillApplies)
{
    FakeForms forms = makeFakeForms();
    const auto initial = snapshot(forms);
    HookLog log;
    LoadSettings(backend->store(), forms.forms(), log.hooks());

    EXPECT_TRUE(log.errors.isEmpty()) << log.errors.join(';').toStdString();
    EXPECT_EQ(snapshot(forms), initial);
    EXPECT_EQ(log.calls, (QStringList{"comm", "chart", "record"}));
    // The tiles' own addresses reach the engine.
    EXPECT_EQ(log.stationIds.size(), 30);
    EXPECT_EQ(log.stationIds.value({3, 10}), 1);
}

TEST_P(SettingsWalk, SaveCreatesWhatAFreshInstallationLacks)
{
    FakeForms forms = makeFakeForms();
    HookLog log;
    ASSERT_TRUE(SaveSettings(backend->store(), forms.forms(), log.hooks()));
    backend->restart();
    EXPECT_EQ(backend->stored("FmHome", "IDC_10"), QStringLiteral("1"));
    EXPECT_EQ(backend->stored("FmCommSetting", "BPSA"), QStringLiteral("-1"));
    EXPECT_EQ(backend->stored("FmChartSetting", "RdoAutoB"), QStringLiteral("1"));
    EXPECT_EQ(backend->stored("FmRecord", "TxtFilePath"), QStringLiteral("E:\\Temperature Data"));
    EXPECT_FALSE(backend->stored("FmCommSetting", "Psl").has_value());
}

TEST_P(SettingsWalk, UnusableIdIsToldOnceAndCostsNothingElse)
{
    saveChangedControls();
    backend->put("FmHome", "IDB_4", QStringLiteral("x"));
    backend->put("FmHome", "IDC_2", QStringLiteral("99999999999"));
    backend->put("FmHome", "IDA_7", QString()); // the field's repair makes this "1"

    FakeForms forms = makeFakeForms();
    HookLog log;
    LoadSettings(backend->store(), forms.forms(), log.hooks());

    EXPECT_EQ(log.errors, QStringList{QStringLiteral("下列站號不是數字，已改為 1：\nIDC_2 = 99999999999\nIDB_4 = x")});
    EXPECT_EQ(log.calls, (QStringList{"comm", "chart", "record"}));
    const auto now = snapshot(forms);
    for (auto it = now.begin(); it != now.end(); ++it) {
        const QString &control = it.key();
        const bool repaired = control == "FmHome:ControllerB4/TxtID" || control == "FmHome:ControllerC2/TxtID"
                              || control == "FmHome:ControllerA7/TxtID";
        EXPECT_EQ(it.value(), repaired ? QStringLiteral("1") : saved.value(control)) << control.toStdString();
    }
    EXPECT_EQ(log.stationIds.size(), 30);
    EXPECT_EQ(log.stationIds.value({2, 4}), 1);
    EXPECT_EQ(log.stationIds.value({3, 2}), 1);
    EXPECT_EQ(log.stationIds.value({1, 7}), 1);
    EXPECT_EQ(log.stationIds.value({2, 5}), 205);
}

struct PresentButBad {
    const char *key;
    const char *name;
    QVariant value;
    const char *message;
};

TEST_P(SettingsWalk, PresentButUnusableValuesAreReported)
{
    const PresentButBad cases[] = {
        {"FmCommSetting", "BPSA", QStringLiteral("abc"), "「abc」不是有效的整數"},
        {"FmCommSetting", "BPSB", QStringLiteral(" 2"), "「 2」不是有效的整數"},
        {"FmCommSetting", "COMA", QStringLiteral("COM3"), "設定值「COMA」的資料型態不正確"},
        {"FmCommSetting", "ScanAll", QStringLiteral("yes"), "設定值「ScanAll」的資料型態不正確"},
        {"FmRecord", "TxtSampleTime", QStringLiteral("10s"), "設定值「TxtSampleTime」的資料型態不正確"},
        {"FmChartSetting", "Chk3DB", QStringLiteral("true"), "設定值「Chk3DB」的資料型態不正確"},
    };
    for (const PresentButBad &c : cases) {
        SetUp();
        backend->put(c.key, c.name, c.value);
        FakeForms forms = makeFakeForms();
        HookLog log;
        LoadSettings(backend->store(), forms.forms(), log.hooks());
        EXPECT_EQ(log.errors, QStringList{QString::fromUtf8(c.message)}) << c.name;
        EXPECT_FALSE(log.calls.contains(QStringLiteral("record"))) << c.name;
    }
}

struct IndexText {
    QVariant stored;
    int index;
};

TEST_P(SettingsWalk, SpeedTextAndPortIndexSelectTheirItems)
{
    // Stored as the decimal text of the item index; anything out of the list selects none.
    const IndexText speeds[] = {{QStringLiteral("0"), 0}, {QStringLiteral("4"), 4}, {QStringLiteral("+2"), 2},
                                {QStringLiteral("-1"), -1}, {QStringLiteral("5"), -1}, {3, 3}};
    for (const IndexText &c : speeds) {
        SetUp();
        backend->put("FmCommSetting", "BPSC", c.stored);
        backend->put("FmCommSetting", "COMA", -1);
        FakeForms forms = makeFakeForms();
        HookLog log;
        LoadSettings(backend->store(), forms.forms(), log.hooks());
        EXPECT_TRUE(log.errors.isEmpty()) << c.stored.toString().toStdString();
        EXPECT_EQ(control<QComboBox>(forms.comm.get(), "CboBpsC")->currentIndex(), c.index)
            << c.stored.toString().toStdString();
        EXPECT_EQ(control<QComboBox>(forms.comm.get(), "CboComA")->currentIndex(), -1);
    }
}

TEST_P(SettingsWalk, CompanyNamePlacesItsLabel)
{
    backend->put("FmHome", "HmTitle", QStringLiteral("中華電子股份公司")); // 16 bytes
    FakeForms forms = makeFakeForms();
    HookLog log;
    LoadSettings(backend->store(), forms.forms(), log.hooks());
    const QLabel *label = control<QLabel>(forms.home.get(), "RzLabel1");
    EXPECT_EQ(label->text(), QStringLiteral("中華電子股份公司"));
    EXPECT_EQ(label->x(), 272);
    EXPECT_EQ(label->y(), 7);
}

TEST_P(SettingsWalk, LoadedRadioButtonsRunTheirClickAction)
{
    backend->put("FmChartSetting", "RdoAutoB", 0);
    backend->put("FmChartSetting", "RdoLimitB", 1);
    FakeForms forms = makeFakeForms();
    HookLog log;
    LoadSettings(backend->store(), forms.forms(), log.hooks());
    EXPECT_FALSE(control<QRadioButton>(forms.chart.get(), "RdoAutoB")->isChecked());
    EXPECT_TRUE(control<QRadioButton>(forms.chart.get(), "RdoLimitB")->isChecked());
    EXPECT_TRUE(control<QLineEdit>(forms.chart.get(), "TxtYminB")->isEnabled());
    EXPECT_FALSE(control<QLineEdit>(forms.chart.get(), "TxtYminA")->isEnabled());
}

INSTANTIATE_TEST_SUITE_P(Stores, SettingsWalk,
                         ::testing::Values(BackendCase{"memory", [] { return std::make_unique<MemoryBackend>(); }},
                                           BackendCase{"ini", [] { return std::make_unique<IniBackend>(); }}),
                         [](const auto &info) { return std::string(info.param.name); });

// Faults the test double can stage.

TEST(SettingsWalkFaults, UnwritableValueEndsTheSave)
{
    MemorySettingsStore store;
    store.failWriting(QStringLiteral("FmCommSetting"), QStringLiteral("COMB"));
    FakeForms forms = makeFakeForms();
    HookLog log;
    EXPECT_FALSE(SaveSettings(store, forms.forms(), log.hooks()));
    EXPECT_EQ(log.errors, QStringList{QStringLiteral("無法寫入設定值「COMB」")});
    const QStringList written = store.writeLog();
    ASSERT_FALSE(written.isEmpty());
    EXPECT_EQ(written.last(), QStringLiteral("FmCommSetting/COMA"));
    EXPECT_FALSE(store.value("FmCommSetting", "BPSA").has_value());
    EXPECT_FALSE(store.hasKey("FmRecord"));
    EXPECT_FALSE(store.isKeyOpen());
}

TEST(SettingsWalkFaults, KeyThatCannotBeMadeOrStoredEndsTheSave)
{
    {
        MemorySettingsStore store;
        store.failOpening(QStringLiteral("FmChartSetting"));
        HookLog log;
        EXPECT_FALSE(SaveSettings(store, makeFakeForms().forms(), log.hooks()));
        EXPECT_EQ(log.errors, QStringList{QStringLiteral("無法建立設定「FmChartSetting」")});
        EXPECT_TRUE(store.value("FmCommSetting", "Title").has_value());
        EXPECT_FALSE(store.hasKey("FmRecord"));
    }
    {
        MemorySettingsStore store;
        store.failFlushing(QStringLiteral("FmHome"));
        HookLog log;
        EXPECT_FALSE(SaveSettings(store, makeFakeForms().forms(), log.hooks()));
        EXPECT_EQ(log.errors, QStringList{QStringLiteral("無法儲存設定「FmHome」")});
        EXPECT_FALSE(store.hasKey("FmCommSetting"));
    }
}

TEST(SettingsWalkFaults, UnreadableKeyLeavesItsControlsButGoesOn)
{
    MemorySettingsStore store;
    store.setString("FmCommSetting", "Title", QStringLiteral("不該出現"));
    store.setString("FmRecord", "TxtFilePath", QStringLiteral("/data"));
    store.failOpening(QStringLiteral("FmCommSetting"));
    FakeForms forms = makeFakeForms();
    HookLog log;
    LoadSettings(store, forms.forms(), log.hooks());
    EXPECT_EQ(control<QLineEdit>(forms.comm.get(), "TxtTitle")->text(), QStringLiteral("溫度監控系統 8.22"));
    EXPECT_EQ(control<QLineEdit>(forms.record.get(), "TxtFilePath")->text(), QStringLiteral("/data"));
    EXPECT_EQ(log.calls, (QStringList{"comm", "chart", "record"}));
}

TEST(SettingsWalkFaults, MissingControlIsReportedAndStops)
{
    MemorySettingsStore store;
    FakeForms forms = makeFakeForms();
    delete control<QLineEdit>(forms.home.get(), "ControllerB4/TxtID");
    HookLog log;
    LoadSettings(store, forms.forms(), log.hooks());
    EXPECT_EQ(log.errors, QStringList{QStringLiteral("找不到 FmHome 的控制項「ControllerB4/TxtID」")});
    EXPECT_TRUE(log.calls.isEmpty());

    log = HookLog();
    EXPECT_FALSE(SaveSettings(store, forms.forms(), log.hooks()));
    EXPECT_EQ(log.errors.size(), 1);
    EXPECT_FALSE(store.value("FmHome", "IDC_4").has_value());
}

TEST(SettingsWalkFaults, UnsavableSampleTimeIsReported)
{
    MemorySettingsStore store;
    FakeForms forms = makeFakeForms();
    control<QLineEdit>(forms.record.get(), "TxtSampleTime")->setText(QStringLiteral("ten"));
    HookLog log;
    EXPECT_FALSE(SaveSettings(store, forms.forms(), log.hooks()));
    EXPECT_EQ(log.errors, QStringList{QStringLiteral("「ten」不是有效的整數")});
    EXPECT_FALSE(store.value("FmRecord", "CboSampleUnit").has_value());
}

TEST(SettingsWalkFaults, DamagedIniFileIsToldKeptAsideAndReplaced)
{
    IniBackend backend;
    const QByteArray damaged("[FmHome]\nIDA_1=5\n\x01\x02[[[\n=\n[FmCommSetting\nCOMA=@Variant(\\0\\0\\0\\x7f)\n");
    {
        QFile file(backend.path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(damaged);
    }
    backend.restart();
    FakeForms forms = makeFakeForms();
    const auto initial = snapshot(forms);
    HookLog log;
    LoadSettings(backend.store(), forms.forms(), log.hooks());
    // One message that names the file; the program runs on the initial settings.
    ASSERT_EQ(log.errors.size(), 1);
    EXPECT_TRUE(log.errors[0].contains(backend.path())) << log.errors[0].toStdString();
    EXPECT_TRUE(log.errors[0].contains(QStringLiteral("損壞")));
    EXPECT_EQ(snapshot(forms), initial);
    EXPECT_EQ(log.calls, (QStringList{"comm", "chart", "record"}));

    // The close keeps the operator's file aside and writes a fresh one.
    changeEveryControl(forms);
    log = HookLog();
    EXPECT_TRUE(SaveSettings(backend.store(), forms.forms(), log.hooks()));
    EXPECT_TRUE(log.errors.isEmpty()) << log.errors.join(';').toStdString();
    QFile kept(backend.path() + QStringLiteral(".bad"));
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), damaged);

    // The next start is clean.
    backend.restart();
    FakeForms next = makeFakeForms();
    HookLog nextLog;
    LoadSettings(backend.store(), next.forms(), nextLog.hooks());
    EXPECT_TRUE(nextLog.errors.isEmpty()) << nextLog.errors.join(';').toStdString();
    EXPECT_EQ(snapshot(next), snapshot(forms));
}

TEST(SettingsWalkFaults, ValueThatHoldsNoTextIsReported)
{
    QTemporaryDir folder;
    QSettingsStore raw(std::make_unique<QSettings>(folder.filePath(QStringLiteral("t.ini")), QSettings::IniFormat));
    ASSERT_TRUE(raw.openKey(QStringLiteral("FmCommSetting"), true));
    raw.settings().setValue(QStringLiteral("Title"), QVariant::fromValue(QStringList{"a", "b"}));
    raw.closeKey();
    FakeForms forms = makeFakeForms();
    HookLog log;
    LoadSettings(raw, forms.forms(), log.hooks());
    EXPECT_EQ(log.errors, QStringList{QStringLiteral("設定值「Title」的資料型態不正確")});
    EXPECT_EQ(control<QLineEdit>(forms.comm.get(), "TxtTitle")->text(), QStringLiteral("溫度監控系統 8.22"));
}

TEST(SettingsWalkFaults, LaterWindowsAreSkippedWhileAbsent)
{
    MemorySettingsStore store;
    store.setInteger("FmRecord", "ChkSave", 7); // would be reported if the key were walked
    FakeForms forms = makeFakeForms();
    SettingsForms only{forms.home.get(), forms.comm.get(), nullptr, nullptr};
    HookLog log;
    LoadSettings(store, only, log.hooks());
    EXPECT_TRUE(log.errors.isEmpty());
    EXPECT_EQ(log.calls, QStringList{"comm"});
    EXPECT_TRUE(SaveSettings(store, only, log.hooks()));
    EXPECT_FALSE(store.hasKey("FmChartSetting"));
}

} // namespace
