// The program on a server database: both aliases naming one PostgreSQL database of
// a server the test starts for itself, as installations that share one alarm
// history have it; and the start-up when that server is down.

#include "../alarms/pgserver.h"
#include "alarmhelpers.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <gtest/gtest.h>

namespace {

void useDatabase(MemorySettingsStore &store, const QString &address)
{
    store.setString("DatabaseAliases", "DbAlarmInfo", address);
    store.setString("DatabaseAliases", "DbAlarmCount", address);
}

TEST(AlarmServer, PointsAndCountsLiveOnTheServerAcrossRestarts)
{
    PgServer server;
    if (!server.start())
        LEAVE_WITHOUT_PG_SERVER(server.reason());
    const QString address = server.createDatabase(QStringLiteral("plant"));
    ASSERT_FALSE(address.isEmpty()) << server.reason().toStdString();
    MemorySettingsStore store;
    useDatabase(store, address);

    {
        HomeFixture f(&store);
        f.home().show();
        ASSERT_TRUE(f.boxes.shown.isEmpty()) << f.boxes.shown.value(0).text.toStdString();
        f.control<QPushButton>("BtnAddSetting")->click();
        QWidget *dialog = f.window("FmAddAlarm");
        dialog->findChild<QRadioButton *>(QStringLiteral("Radio2"))->click();
        dialog->findChild<QComboBox *>(QStringLiteral("CboPanel2"))->setCurrentText(QStringLiteral("2"));
        dialog->findChild<QLineEdit *>(QStringLiteral("TxtHAlm"))->setText(QStringLiteral("2.5"));
        dialog->findChild<QPushButton *>(QStringLiteral("BtnOK"))->click();
        EXPECT_FALSE(dialog->isVisible());
        EXPECT_EQ(f.model.alarmLimits(2, 10).HAlarm, "2.5");

        f.home().engine().events().onAlarm({AlarmSide::Low, 2, 7, 1, QTime(8, 0, 0)});
        f.home().engine().events().onAlarm({AlarmSide::High, 2, 7, 2, QTime(8, 0, 5)});
        ASSERT_TRUE(waitUntil([&] { return lineCount(f.control<QListView>("LstAlarming")) == 2; }));
        EXPECT_EQ(nonZeroCounts(*f.alarmTables), (std::map<QString, QString>{{"02/07", "02"}}));
        EXPECT_EQ(gridRows(f.control<QTableView>("DBGrid2")), QStringList{"02 02 07"});

        // The same slot once more is refused by the server's key, named as ever.
        f.boxes.shown.clear();
        dialog->findChild<QRadioButton *>(QStringLiteral("Radio1"))->click();
        dialog->findChild<QComboBox *>(QStringLiteral("CboPanel1"))->setCurrentText(QStringLiteral("2"));
        dialog->findChild<QComboBox *>(QStringLiteral("CboControllerNO"))->setCurrentText(QStringLiteral("07"));
        f.control<QPushButton>("BtnAddSetting")->click();
        dialog->findChild<QPushButton *>(QStringLiteral("BtnOK"))->click();
        ASSERT_EQ(f.boxes.shown.size(), 2);
        EXPECT_EQ(f.boxes.shown[0].caption, "警報點重複設定");
        EXPECT_EQ(f.boxes.shown[0].text, "盤面:2,溫控點:07");
    }
    HomeFixture again(&store);
    EXPECT_TRUE(again.boxes.shown.isEmpty());
    EXPECT_TRUE(nonZeroCounts(*again.alarmTables).empty());
    EXPECT_EQ(gridRows(again.control<QTableView>("DBGrid1")).size(), 10);
    EXPECT_EQ(again.model.alarmLimits(2, 1).HAlarm, "2.5");
    EXPECT_EQ(again.model.alarmLimits(2, 1).LAlarm, "10");
    server.stop();
    EXPECT_FALSE(server.running());
}

TEST(AlarmServer, ServerThatIsDownIsToldOnceLikeABadFile)
{
    MemorySettingsStore store;
    useDatabase(store, QStringLiteral("postgresql://tempmon@127.0.0.1:%1/plant").arg(PgServer::freePort()));
    HomeFixture f(&store);
    f.home().show();
    ASSERT_EQ(f.boxes.shown.size(), 1);
    EXPECT_TRUE(f.boxes.shown[0].text.startsWith(QStringLiteral("警報資料庫無法開啟：")));
    EXPECT_TRUE(f.boxes.shown[0].text.contains(QStringLiteral("DbAlarmInfo（postgresql://tempmon@127.0.0.1:")));
    EXPECT_TRUE(f.boxes.shown[0].text.contains(QStringLiteral("DbAlarmCount（postgresql://tempmon@127.0.0.1:")));
    EXPECT_TRUE(f.control<QLabel>("LabAlarmTables")->text().contains(QStringLiteral("不記錄警報次數")));

    // Announcements still reach the operator; there is nowhere to count them.
    f.home().engine().events().onAlarm({AlarmSide::High, 1, 1, 1, QTime(8, 0, 0)});
    ASSERT_TRUE(waitUntil([&] { return lineCount(f.control<QListView>("LstAlarming")) == 1; }));
    EXPECT_TRUE(f.window("FmAlmDlg")->isVisible());
    EXPECT_EQ(f.boxes.shown.size(), 1);
}

} // namespace
