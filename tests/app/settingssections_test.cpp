// The sections the four windows declare to the settings store, over the real windows.

#include "homefixture.h"
#include "homesettings.h"
#include "pointcountfield.h"
#include "qtprinters.h"
#include "tcontroller.h"
#include "tfmchartsetting.h"
#include "tfmcommsetting.h"
#include "tfmrecord.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

std::vector<SettingsSection> declaredSections(HomeFixture &f)
{
    return {homeSettingsSection(f.home(), f.model),
            static_cast<TFmCommSetting *>(f.window("FmCommSetting"))->settingsSection(),
            static_cast<TFmChartSetting *>(f.window("FmChartSetting"))->settingsSection(),
            static_cast<TFmRecord *>(f.window("FmRecord"))->settingsSection()};
}

// An unusable stored value puts back the declared initial state: it must be what the
// window starts with.
TEST(SettingsSections, DeclaredInitialStatesAreWhatTheWindowsStartWith)
{
    HomeFixture f;
    int values = 0;
    for (const SettingsSection &section : declaredSections(f)) {
        for (const SettingValue &value : section.values) {
            EXPECT_EQ(value.read().toString(), value.initial.toString())
                << section.key.toStdString() << "/" << value.name.toStdString();
            ++values;
        }
    }
    EXPECT_EQ(values, 91 + 13 + 22 + 6);
}

struct Unusable {
    const char *key;
    const char *name;
    const char *stored;
};

// One unusable value of every kind in the four keys: one message names them all, each
// of those controls keeps its initial state, and everything else is loaded and applied.
TEST(SettingsSections, UnusableValuesOfEveryKindCostOnlyThemselves)
{
    const Unusable unusable[] = {
        {"FmHome", "IDB_4", "x"},
        {"FmCommSetting", "ScanAll", "all"},
        {"FmCommSetting", "COMA", "COM3"},
        {"FmCommSetting", "BPSA", "abc"},
        {"FmChartSetting", "RdoLimitA", "yes"},
        {"FmChartSetting", "Chk3DB", "true"},
        {"FmRecord", "TxtSampleTime", "10s"},
        {"FmRecord", "ChkSave", "on"},
    };
    HomeFixture f;
    for (const Unusable &u : unusable)
        f.memory.setString(QString::fromLatin1(u.key), QString::fromLatin1(u.name), QString::fromLatin1(u.stored));
    // Good values around them.
    f.memory.setString("FmHome", "IDB_5", "25");
    f.memory.setString("FmHome", "RecipeC_10", "55");
    f.memory.setInteger("FmCommSetting", "COMB", 5);
    f.memory.setString("FmCommSetting", "BPSB", "1");
    f.memory.setString("FmCommSetting", "Title", "三廠");
    f.memory.setString("FmChartSetting", "TxtChtSample", "9");
    f.memory.setInteger("FmChartSetting", "Chk3DC", 1);
    f.memory.setInteger("FmRecord", "CboSampleUnit", 1);
    f.memory.setString("FmRecord", "TxtFilePath", "/srv/紀錄");
    f.home().show();

    ASSERT_EQ(f.boxes.shown.size(), 1);
    const QString told = f.boxes.shown[0].text;
    for (const Unusable &u : unusable)
        EXPECT_TRUE(told.contains(QStringLiteral("%1 = %2").arg(u.name, u.stored))) << u.name << ": " << told.toStdString();

    // The unusable ones: initial states.
    EXPECT_EQ(f.home().tile(2, 4)->idText(), QStringLiteral("1"));
    EXPECT_EQ(f.model.stationId(2, 4), 1);
    QWidget *comm = f.window("FmCommSetting");
    QWidget *chart = f.window("FmChartSetting");
    QWidget *record = f.window("FmRecord");
    EXPECT_FALSE(f.model.scanAll());
    EXPECT_EQ(comm->findChild<QComboBox *>("CboComA")->currentIndex(), 0);
    EXPECT_EQ(f.model.lineSettings(1).ComPort, 1);
    EXPECT_EQ(comm->findChild<QComboBox *>("CboBpsA")->currentIndex(), -1);
    EXPECT_FALSE(chart->findChild<QRadioButton *>("RdoLimitA")->isChecked());
    EXPECT_FALSE(chart->findChild<QCheckBox *>("Chk3DB")->isChecked());
    EXPECT_EQ(record->findChild<QLineEdit *>("TxtSampleTime")->text(), QStringLiteral("10"));
    EXPECT_TRUE(record->findChild<QCheckBox *>("ChkSave")->isChecked());

    // The good ones: loaded and applied.
    EXPECT_EQ(f.model.stationId(2, 5), 25);
    EXPECT_EQ(f.home().recipeField(3, 10)->text(), QStringLiteral("55"));
    EXPECT_EQ(f.model.lineSettings(2).ComPort, 6);
    EXPECT_EQ(f.model.lineSettings(2).BaudRate, 19200);
    EXPECT_EQ(f.title.text(), QStringLiteral("三廠"));
    EXPECT_EQ(f.home().TmrChart()->interval(), 9000);
    EXPECT_TRUE(chart->findChild<QCheckBox *>("Chk3DC")->isChecked());
    EXPECT_EQ(f.home().recorder().settings().SampleUnit, 1);
    EXPECT_EQ(f.home().recorder().settings().FilePath, QStringLiteral("/srv/紀錄"));

    // The close writes the initial states over the unusable values and keeps the rest.
    f.home().close();
    EXPECT_EQ(f.memory.stringValue("FmCommSetting", "BPSA"), QStringLiteral("-1"));
    EXPECT_EQ(f.memory.integerValue("FmRecord", "TxtSampleTime"), 10);
    EXPECT_EQ(f.memory.stringValue("FmRecord", "TxtFilePath"), QStringLiteral("/srv/紀錄"));
}

} // namespace
