// Every setting of the four windows through a real settings file and a restart: what
// one program instance leaves behind when it closes is what the next one shows and
// applies, and a damaged or partly unusable file costs only what it has to.

#include "chartview.h"
#include "homefixture.h"
#include "pointcountfield.h"
#include "qsettingsstore.h"
#include "radiogroup.h"
#include "tcontroller.h"
#include "trendpage.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

// The settings file an instance reads and writes, opened before the program is built.
struct IniFileStore {
    explicit IniFileStore(const QString &ini) : iniStore(ini) {}
    QSettingsStore iniStore;
};

// One program instance over the settings file `ini`, shown as at start-up; closing
// it saves, as the operator's close does.
class ProgramRun : private IniFileStore, public HomeFixture {
public:
    explicit ProgramRun(const QString &ini) : IniFileStore(ini), HomeFixture(&iniStore) { home().show(); }

    template <typename T>
    T *in(const char *window, const char *name)
    {
        T *found = this->window(window)->findChild<T *>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << window << "/" << name;
        return found;
    }
    void click(const char *window, const char *button) { in<QAbstractButton>(window, button)->click(); }
    void open(const char *window)
    {
        this->window(window)->hide();
        this->window(window)->show();
    }
    QLineEdit *unitTitle(int panel, int slot) { return home().tile(panel, slot)->findChild<QLineEdit *>("TxtUnitTitle"); }
    ChartView &chart(int panel) { return *home().trendPage()->chart(panel); }
};

class SettingsRoundTrip : public ::testing::Test {
protected:
    QString ini() const { return QDir(folder.path()).filePath(QStringLiteral("TEMPERATURE CONTROL.ini")); }
    QString records() const { return QDir(folder.path()).filePath(QStringLiteral("紀錄")); }
    QTemporaryDir folder;
};

TEST_F(SettingsRoundTrip, EveryControlOfTheFourWindowsComesBackAndIsApplied)
{
    {
        ProgramRun run(ini());
        // The main window: tile titles, station IDs and recipe fields.
        run.unitTitle(1, 1)->setText(QStringLiteral("一號爐"));
        run.unitTitle(3, 10)->setText(QStringLiteral("Oven C10"));
        run.home().tile(2, 4)->setIdText(QStringLiteral("24"));
        run.home().tile(3, 10)->setIdText(QStringLiteral("247"));
        run.home().recipeField(1, 1)->setText(QStringLiteral("-12.5"));
        run.home().recipeField(3, 10)->setText(QStringLiteral("配方"));

        run.open("FmCommSetting");
        run.click("FmCommSetting", "RdoScanAllItem1");
        run.in<QComboBox>("FmCommSetting", "CboPsl")->setCurrentIndex(0);
        run.in<QComboBox>("FmCommSetting", "CboConverter")->setCurrentIndex(1);
        run.in<QComboBox>("FmCommSetting", "CboComA")->setCurrentIndex(3);
        run.in<QComboBox>("FmCommSetting", "CboBpsA")->setCurrentIndex(0);
        run.in<QComboBox>("FmCommSetting", "CboComB")->setCurrentIndex(7);
        run.in<QComboBox>("FmCommSetting", "CboBpsB")->setCurrentIndex(2);
        run.in<QLineEdit>("FmCommSetting", "Edit3")->setText(QStringLiteral("17"));
        run.in<QComboBox>("FmCommSetting", "CboBpsC")->setCurrentIndex(3);
        run.in<QLineEdit>("FmCommSetting", "TxtTitle")->setText(QStringLiteral("二廠 熱處理線"));
        run.click("FmCommSetting", "BtnOK");

        run.open("FmChartSetting");
        run.click("FmChartSetting", "RdoLimitA");
        run.in<QLineEdit>("FmChartSetting", "TxtYminA")->setText(QStringLiteral("-20"));
        run.in<QLineEdit>("FmChartSetting", "TxtYmaxA")->setText(QStringLiteral("450"));
        run.click("FmChartSetting", "RdoLimitC");
        run.in<QLineEdit>("FmChartSetting", "TxtYminC")->setText(QStringLiteral("100"));
        run.in<QLineEdit>("FmChartSetting", "TxtYmaxC")->setText(QStringLiteral("200"));
        run.in<QCheckBox>("FmChartSetting", "Chk3DB")->setChecked(true);
        run.in<QCheckBox>("FmChartSetting", "ChkSV1")->setChecked(true);
        run.in<QCheckBox>("FmChartSetting", "ChkSV3")->setChecked(true);
        run.in<PointCountField>("FmChartSetting", "ChtAMax")->setText(QStringLiteral("3600"));
        run.in<PointCountField>("FmChartSetting", "ChtBMax")->setText(QStringLiteral("12"));
        run.in<QLineEdit>("FmChartSetting", "TxtChtSample")->setText(QStringLiteral("42"));
        run.click("FmChartSetting", "BtnChtSetingOk");

        run.open("FmRecord");
        run.in<QLineEdit>("FmRecord", "TxtSampleTime")->setText(QStringLiteral("3"));
        run.in<QComboBox>("FmRecord", "CboSampleUnit")->setCurrentIndex(1);
        run.in<QComboBox>("FmRecord", "CboSaveUnit")->setCurrentIndex(1);
        run.in<QComboBox>("FmRecord", "CboFileType")->setCurrentIndex(1);
        run.in<QLineEdit>("FmRecord", "TxtFilePath")->setText(records());
        run.click("FmRecord", "ChkSave"); // the design has recording on
        run.click("FmRecord", "BtnOK");
        ASSERT_TRUE(run.boxes.shown.isEmpty())
            << run.boxes.shown.value(0).text.toStdString();
    }

    ProgramRun next(ini());
    for (const auto &box : next.boxes.shown)
        ADD_FAILURE() << "load reported: " << box.text.toStdString();

    EXPECT_EQ(next.unitTitle(1, 1)->text(), QStringLiteral("一號爐"));
    EXPECT_EQ(next.unitTitle(3, 10)->text(), QStringLiteral("Oven C10"));
    EXPECT_EQ(next.home().tile(2, 4)->idText(), QStringLiteral("24"));
    EXPECT_EQ(next.model.stationId(2, 4), 24);
    EXPECT_EQ(next.model.stationId(3, 10), 247);
    EXPECT_EQ(next.home().recipeField(1, 1)->text(), QStringLiteral("-12.5"));
    EXPECT_EQ(next.home().recipeField(3, 10)->text(), QStringLiteral("配方"));
    EXPECT_EQ(next.home().recipeField(2, 5)->text(), QStringLiteral("100"));

    // The communication dialog's OK ran: the engine polls the chosen lines.
    EXPECT_TRUE(next.model.scanAll());
    const LineSettings a = next.model.lineSettings(1);
    const LineSettings b = next.model.lineSettings(2);
    const LineSettings c = next.model.lineSettings(3);
    EXPECT_EQ(a.ComPort, 4);
    EXPECT_EQ(a.BaudRate, 38400);
    EXPECT_EQ(b.ComPort, 8);
    EXPECT_EQ(b.BaudRate, 9600);
    EXPECT_EQ(c.ComPort, 17);
    EXPECT_EQ(c.BaudRate, 4800);
    for (const LineSettings &line : {a, b, c}) {
        EXPECT_EQ(line.Converter, TConverter::RS485);
        EXPECT_EQ(line.Psl, TPsl::vorn);
    }
    EXPECT_EQ(next.in<QLineEdit>("FmCommSetting", "Edit3")->text(), QStringLiteral("17"));
    EXPECT_EQ(next.in<QComboBox>("FmCommSetting", "CboComC")->currentIndex(), -1);
    EXPECT_EQ(next.title.text(), QStringLiteral("二廠 熱處理線"));

    // The chart dialog's OK ran: axes, point limits, 3D, SV lines, sampling interval.
    ASSERT_FALSE(next.chart(1).leftAxisAutomatic());
    EXPECT_EQ(next.chart(1).leftAxisRange().min, -20);
    EXPECT_EQ(next.chart(1).leftAxisRange().max, 450);
    EXPECT_TRUE(next.chart(2).leftAxisAutomatic());
    ASSERT_FALSE(next.chart(3).leftAxisAutomatic());
    EXPECT_EQ(next.chart(3).leftAxisRange().min, 100);
    EXPECT_EQ(next.chart(3).leftAxisRange().max, 200);
    EXPECT_FALSE(next.chart(1).is3D());
    EXPECT_TRUE(next.chart(2).is3D());
    EXPECT_TRUE(next.chart(1).isSeriesVisible(1));
    EXPECT_FALSE(next.chart(2).isSeriesVisible(1));
    EXPECT_TRUE(next.chart(3).isSeriesVisible(1));
    EXPECT_EQ(next.home().trendPage()->PointLimit(1), 3600);
    EXPECT_EQ(next.home().trendPage()->PointLimit(2), 12);
    EXPECT_EQ(next.home().trendPage()->PointLimit(3), 1000);
    EXPECT_EQ(next.home().TmrChart()->interval(), 42000);
    EXPECT_TRUE(next.in<QLineEdit>("FmChartSetting", "TxtYminC")->isEnabled());
    EXPECT_FALSE(next.in<QLineEdit>("FmChartSetting", "TxtYminB")->isEnabled());

    // The recording dialog's OK ran, then the load switched the timer off.
    const RecordSettings &recording = next.home().recorder().settings();
    EXPECT_FALSE(recording.Save);
    EXPECT_EQ(recording.SampleTime, 3);
    EXPECT_EQ(recording.SampleUnit, 1);
    EXPECT_EQ(recording.SaveUnit, 1);
    EXPECT_EQ(recording.FileType, 1);
    EXPECT_EQ(recording.FilePath, records());
    EXPECT_EQ(next.home().recorder().timer()->interval(), 180000);
    EXPECT_FALSE(next.home().recorder().timer()->isActive());
    next.click("FmHome", "BtnStart");
    EXPECT_FALSE(next.home().recorder().timer()->isActive()) << "recording was switched off";
}

TEST_F(SettingsRoundTrip, UnusableIdAndMissingValuesCostOnlyThemselves)
{
    {
        QSettings file(ini(), QSettings::IniFormat);
        file.setValue(QStringLiteral("FmHome/IDB_4"), QStringLiteral("x"));
        file.setValue(QStringLiteral("FmHome/IDC_9"), QStringLiteral("77"));
        file.setValue(QStringLiteral("FmHome/RecipeC_10"), QStringLiteral("55"));
        file.setValue(QStringLiteral("FmChartSetting/TxtChtSample"), QStringLiteral("9"));
    }
    ProgramRun run(ini());
    ASSERT_EQ(run.boxes.shown.size(), 1);
    EXPECT_TRUE(run.boxes.shown[0].text.contains(QStringLiteral("IDB_4"))) << run.boxes.shown[0].text.toStdString();
    EXPECT_EQ(run.home().tile(2, 4)->idText(), QStringLiteral("1"));
    EXPECT_EQ(run.model.stationId(2, 4), 1);
    // Values after the unusable one are loaded, values never stored keep their design.
    EXPECT_EQ(run.model.stationId(3, 9), 77);
    EXPECT_EQ(run.home().recipeField(3, 10)->text(), QStringLiteral("55"));
    EXPECT_EQ(run.home().recipeField(3, 9)->text(), QStringLiteral("100"));
    EXPECT_EQ(run.home().TmrChart()->interval(), 9000);
    EXPECT_EQ(run.home().trendPage()->PointLimit(1), 1000);
    // Monitoring starts all the same.
    run.click("FmHome", "BtnStart");
    EXPECT_TRUE(waitUntil([&] { return run.opens->load() > 0; }));
}

TEST_F(SettingsRoundTrip, DamagedFileIsKeptAsideAndTheProgramStartsOnTheDesign)
{
    {
        QFile damaged(ini());
        ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
        damaged.write("[FmHome\nIDA_1=12\n");
    }
    const QByteArray before = [&] {
        QFile f(ini());
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }();
    {
        ProgramRun run(ini());
        ASSERT_FALSE(run.boxes.shown.isEmpty());
        EXPECT_EQ(run.home().tile(1, 1)->idText(), QStringLiteral("1"));
        run.home().tile(1, 2)->setIdText(QStringLiteral("8"));
    }
    QFile kept(ini() + QStringLiteral(".bad"));
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly)) << "the damaged file is kept for a look";
    EXPECT_EQ(kept.readAll(), before);
    ProgramRun next(ini());
    EXPECT_TRUE(next.boxes.shown.isEmpty()) << next.boxes.shown.value(0).text.toStdString();
    EXPECT_EQ(next.model.stationId(1, 2), 8);
}

} // namespace
