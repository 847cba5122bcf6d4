// Deviation alarms on the simulated plant: an alarm point added through the add
// dialog, a controller driven out of its band with the simulator, the announcement
// in the list, the alarm window and the count table; a second excursion; and the
// next start of the program on the same database.

#include "alarmhelpers.h"
#include "simulatedplant.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <gtest/gtest.h>

#include <cmath>

namespace {

// Line 1 on the simulator; the alarm databases in a folder of the test's, so that
// they outlive one program run.
class AlarmEndToEnd : public SimulatedPlantTest {
protected:
    void SetUp() override
    {
        startPlant(1, [this](MemorySettingsStore &seeded) {
            seeded.setString("DatabaseAliases", "DbAlarmInfo", QDir(databases.path()).filePath(QStringLiteral("info.db")));
            seeded.setString("DatabaseAliases", "DbAlarmCount", QDir(databases.path()).filePath(QStringLiteral("count.db")));
        });
    }

    // The controller's set value in its own units, once the program has read it.
    int rawSetValue(int slot)
    {
        const QString sv = f->model.reading(1, slot).SvText;
        return int(std::lround(sv.toDouble() * std::pow(10, f->model.dp(1, slot))));
    }
    void setPv(int slot, int raw) { ASSERT_EQ(sim->command(QStringLiteral("set 1 %1 0x8A %2").arg(slot).arg(raw)).left(2), "ok"); }

    QTemporaryDir databases;
};

TEST_F(AlarmEndToEnd, ExcursionAboveTheBandIsAnnouncedCountedAndTheCountsStartAgainAfterARestart)
{
    const int slot = 3;
    f->control<QAbstractButton>("BtnStart")->click();
    ASSERT_TRUE(waitUntil([&] { return !f->model.reading(1, slot).SvText.isEmpty(); }, 20000));
    // The plant held at its set value, so that nothing alarms before the test says so.
    ASSERT_EQ(sim->command(QStringLiteral("hold 1 %1 on").arg(slot)).left(2), "ok");
    const int sv = rawSetValue(slot);
    const int unit = int(std::lround(std::pow(10, f->model.dp(1, slot))));
    setPv(slot, sv);
    ASSERT_TRUE(waitUntil([&] { return f->model.reading(1, slot).PvText == f->model.reading(1, slot).SvText; }, 10000));

    // The operator adds the point: panel 1, slot 03, 5 above and below, first alarm on.
    f->control<QPushButton>("BtnAddSetting")->click();
    QWidget *dialog = f->window("FmAddAlarm");
    dialog->findChild<QRadioButton *>(QStringLiteral("Radio1"))->click();
    dialog->findChild<QComboBox *>(QStringLiteral("CboPanel1"))->setCurrentText(QStringLiteral("1"));
    dialog->findChild<QComboBox *>(QStringLiteral("CboControllerNO"))->setCurrentText(QStringLiteral("03"));
    dialog->findChild<QLineEdit *>(QStringLiteral("TxtHAlm"))->setText(QStringLiteral("5"));
    dialog->findChild<QLineEdit *>(QStringLiteral("TxtLAlm"))->setText(QStringLiteral("5"));
    dialog->findChild<QPushButton *>(QStringLiteral("BtnOK"))->click();
    ASSERT_EQ(f->model.alarmLimits(1, slot).HAlarm, "5");

    auto *list = f->control<QListView>("LstAlarming");
    auto *windowList = inWindow<QListWidget>(*f, "FmAlmDlg", "LstAlarm");
    const QString highLine = QStringLiteral("偏差高警報!   盤面:1,第3台-->偏差高警報!   時間:");

    // SV + 5 is still inside; SV + 6 is an excursion, announced once however long it lasts.
    setPv(slot, sv + 5 * unit);
    setPv(slot, sv + 6 * unit);
    ASSERT_TRUE(waitUntil([&] { return lineCount(list) == 1; }, 15000));
    EXPECT_TRUE(listLines(list).value(0).startsWith(highLine)) << listLines(list).value(0).toStdString();
    EXPECT_TRUE(alarmWindow(*f)->isVisible());
    EXPECT_EQ(listLines(windowList).value(0).left(6), "訊息1,盤面");
    EXPECT_EQ(inWindow<QLabel>(*f, "FmAlmDlg", "STxtAlmCount")->text(), "1");
    EXPECT_EQ(nonZeroCounts(*f->alarmTables), (std::map<QString, QString>{{"01/03", "01"}}));
    const long cycles = f->home().engine().cycleCount();
    ASSERT_TRUE(waitUntil([&] { return f->home().engine().cycleCount() >= cycles + 3; }, 15000));
    EXPECT_EQ(lineCount(list), 1);

    // Back inside, then out again: the second excursion.
    setPv(slot, sv);
    ASSERT_TRUE(waitUntil([&] { return !f->model.alarmState(1, slot).HighActive; }, 15000));
    setPv(slot, sv + 10 * unit);
    ASSERT_TRUE(waitUntil([&] { return lineCount(list) == 2; }, 15000));
    EXPECT_TRUE(listLines(list).value(1).startsWith(highLine));
    EXPECT_EQ(listLines(windowList).value(1).left(6), "訊息2,盤面");
    EXPECT_EQ(nonZeroCounts(*f->alarmTables), (std::map<QString, QString>{{"01/03", "02"}}));
    EXPECT_EQ(gridRows(f->control<QTableView>("DBGrid2")), QStringList{"02 01 03"});
    EXPECT_EQ(f->beeps, 2);

    // The next start of the program on the same database: counts at "00", the point kept.
    f.reset();
    f = std::make_unique<HomeFixture>(&store);
    EXPECT_TRUE(f->boxes.shown.isEmpty());
    EXPECT_EQ(storedCounts(*f->alarmTables).size(), 30u);
    EXPECT_TRUE(nonZeroCounts(*f->alarmTables).empty());
    EXPECT_EQ(gridRows(f->control<QTableView>("DBGrid1")), QStringList{"1 03 5 5 YES"});
    EXPECT_EQ(f->model.alarmLimits(1, slot).HAlarm, "5");
    EXPECT_TRUE(lineCount(f->control<QListView>("LstAlarming")) == 0) << "the list lives in memory only";
}

} // namespace
