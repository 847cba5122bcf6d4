// The alarm page: announcements reaching the list, the alarm window and the count
// table; the start-up copy and reset; the view switch; the record list with its
// printing by hand and on schedule; and a start-up without usable alarm tables.

#include "alarmhelpers.h"
#include "alarmpage.h"
#include "pagecanvas.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {

QString printedPdf(HomeFixture &f) { return QDir(f.programFolder.path()).filePath(QStringLiteral("printed.pdf")); }

void announce(HomeFixture &f, AlarmSide side, int panel, int slot, int n)
{
    f.home().engine().events().onAlarm({side, panel, slot, n, f.clock.now().time()});
}

TEST(AlarmPage, AnnouncementsReachTheListTheWindowAndTheCountTable)
{
    HomeFixture f;
    f.home().show();
    auto *list = f.control<QListView>("LstAlarming");
    TFmAlmDlg *window = alarmWindow(f);
    auto *windowList = inWindow<QListWidget>(f, "FmAlmDlg", "LstAlarm");
    auto *windowCount = inWindow<QLabel>(f, "FmAlmDlg", "STxtAlmCount");
    auto *frequency = f.control<QTableView>("DBGrid2");
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(frequency->model()->rowCount(), 0) << "the count query waits for the first alarm";

    f.clock.at = QDateTime(QDate(2024, 5, 1), QTime(14, 5, 7));
    announce(f, AlarmSide::High, 1, 3, 1);
    f.clock.at = QDateTime(QDate(2024, 5, 1), QTime(9, 0, 2));
    announce(f, AlarmSide::Low, 2, 7, 12);
    ASSERT_TRUE(waitUntil([&] { return lineCount(list) == 2; }));

    EXPECT_EQ(listLines(list), QStringList({"偏差高警報!   盤面:1,第3台-->偏差高警報!   時間:下午 02:05:07",
                                            "偏差低警報!   盤面:2,第7台-->偏差低警報!   時間:上午 09:00:02"}));
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(listLines(windowList), QStringList({"訊息1,盤面:1,第3台-->偏差高警報!   時間:下午 02:05:07",
                                                  "訊息2,盤面:2,第7台-->偏差低警報!   時間:上午 09:00:02"}));
    EXPECT_EQ(windowCount->text(), "2");
    EXPECT_EQ(f.beeps, 2);

    const std::map<QString, QString> expected{{"01/03", "01"}, {"02/07", "12"}};
    EXPECT_EQ(nonZeroCounts(*f.alarmTables), expected);
    EXPECT_EQ(gridTitles(frequency), QStringList({"警報發生次數", "盤面", "溫控點"}));
    EXPECT_EQ(gridRows(frequency), QStringList({"01 01 03", "12 02 07"}));

    // Confirmed, the window empties; the next alarm is number 1 again there, while the
    // page's list keeps every line.
    inWindow<QPushButton>(f, "FmAlmDlg", "BtnOK")->click();
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(windowList->count(), 0);
    EXPECT_EQ(windowCount->text(), "0");
    announce(f, AlarmSide::High, 1, 3, 2);
    ASSERT_TRUE(waitUntil([&] { return lineCount(list) == 3; }));
    EXPECT_EQ(listLines(windowList), QStringList({"訊息1,盤面:1,第3台-->偏差高警報!   時間:上午 09:00:02"}));
    EXPECT_EQ(windowCount->text(), "1");
    EXPECT_EQ(gridRows(frequency), QStringList({"02 01 03", "12 02 07"}));

    // Closing the window empties it the same way.
    window->close();
    EXPECT_EQ(windowList->count(), 0);
    EXPECT_EQ(windowCount->text(), "0");
}

TEST(AlarmPage, FailedCountStatementIsNotedOnThePageAndTheAlarmsGoOn)
{
    HomeFixture f;
    f.home().show();
    QSqlQuery drop(f.alarmTables->count().handle());
    ASSERT_TRUE(drop.exec(QStringLiteral("DROP TABLE DbAlmCount")));
    auto *list = f.control<QListView>("LstAlarming");
    announce(f, AlarmSide::High, 1, 3, 1);
    announce(f, AlarmSide::Low, 1, 4, 2);
    ASSERT_TRUE(waitUntil([&] { return lineCount(list) == 2; }));
    EXPECT_EQ(alarmWindow(f)->lineCount(), 2);
    EXPECT_EQ(f.beeps, 2);
    EXPECT_TRUE(f.boxes.shown.isEmpty()) << "no box per alarm";
    auto *note = f.control<QLabel>("LabAlarmTables");
    EXPECT_FALSE(note->isHidden());
    EXPECT_TRUE(note->text().startsWith(QStringLiteral("警報次數表的動作失敗："))) << note->text().toStdString();
}

TEST(AlarmPage, StartUpCopiesTheAlarmPointsAndStartsEveryCountAtZero)
{
    QTemporaryDir databases;
    MemorySettingsStore store;
    const QString info = QDir(databases.path()).filePath(QStringLiteral("info.db"));
    const QString count = QDir(databases.path()).filePath(QStringLiteral("count.db"));
    store.setString("DatabaseAliases", "DbAlarmInfo", info);
    store.setString("DatabaseAliases", "DbAlarmCount", count);
    {
        AlarmTables earlier(info, count);
        ASSERT_TRUE(earlier.open().isEmpty());
        ASSERT_TRUE(earlier.TableAlm()->append({"1", "02", 5, 2.5, "YES"}));
        ASSERT_TRUE(earlier.TableAlm()->append({"3", "10", -1, 4, "NO"}));
        ASSERT_TRUE(writeAlarmCount(*earlier.QryAlmCount(), 7, 3, 10));
    }

    HomeFixture f(&store);
    const AlarmLimits first = f.model.alarmLimits(1, 2);
    EXPECT_EQ(first.HAlarm, "5");
    EXPECT_EQ(first.LAlarm, "2.5");
    EXPECT_TRUE(first.FirstAlarm);
    const AlarmLimits last = f.model.alarmLimits(3, 10);
    EXPECT_EQ(last.HAlarm, "-1");
    EXPECT_FALSE(last.FirstAlarm);
    EXPECT_TRUE(f.model.alarmLimits(1, 1).HAlarm.isEmpty());
    EXPECT_TRUE(nonZeroCounts(*f.alarmTables).empty());
    EXPECT_EQ(storedCounts(*f.alarmTables).size(), 30u);
    EXPECT_FALSE(f.home().engine().isRunning());

    auto *grid = f.control<QTableView>("DBGrid1");
    EXPECT_EQ(gridTitles(grid), QStringList({"盤面", "溫控點", "偏差高警報設定值", "偏差低警報設定值", "第一次是否警報"}));
    EXPECT_EQ(gridRows(grid), QStringList({"1 02 5 2.5 YES", "3 10 -1 4 NO"}));
    EXPECT_EQ(f.control<QComboBox>("CboPrnTimeUnit")->currentIndex(), 0);
    EXPECT_TRUE(f.boxes.shown.isEmpty());
}

TEST(AlarmPage, ViewSwitchMarksTheShownViewsButton)
{
    HomeFixture f;
    f.home().show();
    f.control<QAbstractButton>("ImgButton3")->click();
    auto *settingButton = f.control<QPushButton>("BtnAlmSetting");
    auto *recordButton = f.control<QPushButton>("BtnAlmRecord");
    const auto shows = [&](bool settings) {
        EXPECT_EQ(f.control("PnlAlarmSetting")->isVisible(), settings);
        EXPECT_EQ(f.control("PnlAlarmRecord")->isVisible(), !settings);
        EXPECT_EQ(settingButton->font().bold(), settings);
        EXPECT_EQ(recordButton->font().bold(), !settings);
        EXPECT_EQ(settingButton->icon().isNull(), !settings);
        EXPECT_EQ(recordButton->icon().isNull(), settings);
    };
    {
        SCOPED_TRACE("at start-up");
        shows(false);
    }
    EXPECT_EQ(recordButton->icon().cacheKey(), f.home().buttonImage(0).cacheKey());
    settingButton->click();
    {
        SCOPED_TRACE("settings");
        shows(true);
    }
    recordButton->click();
    {
        SCOPED_TRACE("record again");
        shows(false);
    }
}

TEST(AlarmPage, RecordLinesAreDeletedOneSelectedOrAll)
{
    HomeFixture f;
    f.home().show();
    auto *list = f.control<QListView>("LstAlarming");
    for (int slot = 1; slot <= 3; ++slot)
        announce(f, AlarmSide::Low, 1, slot, 1);
    ASSERT_TRUE(waitUntil([&] { return lineCount(list) == 3; }));

    f.control<QPushButton>("BtnDelRecord")->click();
    EXPECT_EQ(lineCount(list), 3) << "nothing selected, nothing deleted";
    list->setCurrentIndex(list->model()->index(1, 0));
    f.control<QPushButton>("BtnDelRecord")->click();
    ASSERT_EQ(lineCount(list), 2);
    EXPECT_TRUE(listLines(list).value(0).contains(QStringLiteral("第1台")));
    EXPECT_TRUE(listLines(list).value(1).contains(QStringLiteral("第3台")));
    f.control<QPushButton>("BtnDelAllRecord")->click();
    EXPECT_EQ(lineCount(list), 0);
}

TEST(AlarmPage, PrintsTheHistoryInPortraitAndGivesThePrinterItsOrientationBack)
{
    HomeFixture f;
    f.home().show();
    auto *list = f.control<QListView>("LstAlarming");
    f.control<QPushButton>("BtnPrintRecord")->click();
    EXPECT_FALSE(QFile::exists(printedPdf(f))) << "an empty list prints nothing";

    f.clock.at = QDateTime(QDate(2024, 5, 1), QTime(14, 5, 7));
    for (int i = 0; i < 41; ++i)
        announce(f, i % 2 ? AlarmSide::Low : AlarmSide::High, 1 + i % 3, 1 + i % 10, i + 1);
    ASSERT_TRUE(waitUntil([&] { return lineCount(list) == 41; }));
    f.printer.setPageOrientation(QPageLayout::Landscape);
    f.control<QPushButton>("BtnPrintRecord")->click();

    EXPECT_EQ(f.printer.pageLayout().orientation(), QPageLayout::Landscape);
    ASSERT_TRUE(QFile::exists(printedPdf(f)));
    EXPECT_EQ(pdfInfo(printedPdf(f), "Pages:"), "2");
    EXPECT_TRUE(pdfInfo(printedPdf(f), "Page size:").startsWith(QLatin1String("595")))
        << pdfInfo(printedPdf(f), "Page size:").toStdString();
    const QString text = pdfText(printedPdf(f));
    EXPECT_TRUE(text.contains(QStringLiteral("警報歷史紀錄"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("第1頁")));
    EXPECT_TRUE(text.contains(QStringLiteral("第2頁")));
    // pdftotext gives runs of blanks as one.
    EXPECT_TRUE(text.contains(QStringLiteral("偏差高警報! 盤面:1,第1台-->偏差高警報! 時間:下午 02:05:07")))
        << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("盤面:2,第1台-->偏差高警報!"))) << "the 41st line";
    EXPECT_EQ(f.boxes.shown.size(), 0);
}

// Forty lines and the page number fit one A4 page: a text is no higher than its size.
TEST(AlarmPage, PrinterTextIsNoHigherThanItsSize)
{
    QTemporaryDir dir;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QDir(dir.path()).filePath(QStringLiteral("canvas.pdf")));
    PrinterCanvas canvas(printer);
    ASSERT_TRUE(canvas.isActive());
    for (int points : {12, 24}) {
        canvas.setFontSize(points);
        const int height = canvas.textExtent(QStringLiteral("警報歷史紀錄 第1頁 gy")).height();
        const double size = points * printer.resolution() / 72.0;
        EXPECT_LE(height, size) << points;
        EXPECT_GE(height, 0.85 * size) << points;
    }
    canvas.setFontSize(12);
    const int lineHeight = canvas.textExtent(QStringLiteral("盤面")).height();
    canvas.setFontSize(24);
    const int margin = 3 * canvas.textExtent(QStringLiteral("警報歷史紀錄")).height();
    const int lastLineBottom = margin + 39 * int(1.5 * lineHeight) + lineHeight;
    EXPECT_LT(lastLineBottom, canvas.pageSize().height() - lineHeight);
    EXPECT_TRUE(canvas.finish());
}

TEST(AlarmPage, PrintsByItselfAfterTheIntervalAcrossMidnight)
{
    HomeFixture f;
    f.home().show();
    auto *list = f.control<QListView>("LstAlarming");
    auto *autoPrint = f.control<QCheckBox>("ChkAutoPrn");
    auto *interval = f.control<QLineEdit>("TxtPrnTime");
    auto *unit = f.control<QComboBox>("CboPrnTimeUnit");
    auto *autoDelete = f.control<QCheckBox>("ChkAutoDel");
    AlarmPage *page = f.home().alarmPage();
    EXPECT_FALSE(interval->isEnabled());
    EXPECT_FALSE(unit->isEnabled());
    EXPECT_FALSE(autoDelete->isEnabled());
    EXPECT_EQ(interval->text(), "10");

    const QDateTime t0(QDate(2024, 5, 31), QTime(23, 59, 30));
    f.clock.at = t0;
    announce(f, AlarmSide::High, 1, 1, 1);
    ASSERT_TRUE(waitUntil([&] { return lineCount(list) == 1; }));
    autoPrint->click();
    EXPECT_TRUE(interval->isEnabled());
    EXPECT_TRUE(unit->isEnabled());
    EXPECT_TRUE(autoDelete->isEnabled());
    // Ten minutes pass unnoticed while the box is ticked with the default; the new
    // interval restarts the wait from its own moment.
    f.clock.at = t0.addSecs(30);
    interval->setText(QStringLiteral("1"));
    autoDelete->setChecked(true);

    f.clock.at = t0.addSecs(90);
    page->checkAutoPrint();
    EXPECT_FALSE(QFile::exists(printedPdf(f))) << "exactly one minute is not yet due";
    f.clock.at = t0.addSecs(90).addMSecs(500);
    page->checkAutoPrint();
    EXPECT_TRUE(QFile::exists(printedPdf(f))) << "due past midnight";
    EXPECT_EQ(lineCount(list), 0) << "cleared once printed";
    EXPECT_TRUE(pdfText(printedPdf(f)).contains(QStringLiteral("盤面:1,第1台")));

    // The next interval counts from that tick.
    QFile::remove(printedPdf(f));
    const QDateTime printedAt = f.clock.at;
    announce(f, AlarmSide::Low, 1, 2, 2);
    ASSERT_TRUE(waitUntil([&] { return lineCount(list) == 1; }));
    f.clock.at = printedAt.addSecs(60);
    page->checkAutoPrint();
    EXPECT_FALSE(QFile::exists(printedPdf(f)));
    f.clock.at = printedAt.addSecs(60).addMSecs(500);
    page->checkAutoPrint();
    EXPECT_TRUE(QFile::exists(printedPdf(f)));
    EXPECT_EQ(lineCount(list), 0);

    // Due with an empty list: nothing printed, and the interval starts again.
    QFile::remove(printedPdf(f));
    const QDateTime emptyAt = f.clock.at.addSecs(61);
    f.clock.at = emptyAt;
    page->checkAutoPrint();
    EXPECT_FALSE(QFile::exists(printedPdf(f)));
    announce(f, AlarmSide::Low, 1, 2, 3);
    ASSERT_TRUE(waitUntil([&] { return lineCount(list) == 1; }));
    f.clock.at = emptyAt.addSecs(30);
    page->checkAutoPrint();
    EXPECT_FALSE(QFile::exists(printedPdf(f)));
    f.control<QPushButton>("BtnDelAllRecord")->click();
    f.boxes.shown.clear();

    // While the operator retypes the interval the field holds no number: told once by
    // the change, and the ticks say nothing.
    interval->setText(QString());
    EXPECT_EQ(f.boxes.shown.size(), 1);
    announce(f, AlarmSide::High, 1, 1, 2);
    ASSERT_TRUE(waitUntil([&] { return lineCount(list) == 1; }));
    for (int tick = 0; tick < 5; ++tick) {
        f.clock.at = t0.addSecs(600 + tick);
        page->checkAutoPrint();
    }
    EXPECT_EQ(f.boxes.shown.size(), 1);
    EXPECT_FALSE(QFile::exists(printedPdf(f)));

    // Below 1: "輸入錯誤", and the field becomes "1".
    f.boxes.shown.clear();
    interval->setText(QStringLiteral("0"));
    ASSERT_EQ(f.boxes.shown.size(), 1);
    EXPECT_EQ(f.boxes.shown[0].caption, "訊息");
    EXPECT_EQ(f.boxes.shown[0].text, "輸入錯誤");
    EXPECT_EQ(f.boxes.shown[0].icon, MessageBoxes::Icon::Warning);
    EXPECT_EQ(interval->text(), "1");

    // Cleared, the box stops the printing.
    autoPrint->click();
    EXPECT_FALSE(interval->isEnabled());
    f.clock.at = t0.addDays(1);
    page->checkAutoPrint();
    EXPECT_FALSE(QFile::exists(printedPdf(f)));
}

TEST(AlarmPage, DatabaseThatIsNotOneIsToldOnceAndTheProgramMonitorsOn)
{
    QTemporaryDir databases;
    const QString garbage = QDir(databases.path()).filePath(QStringLiteral("garbage.db"));
    QFile file(garbage);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(2048, 'x'));
    file.close();
    MemorySettingsStore store;
    store.setString("DatabaseAliases", "DbAlarmInfo", garbage);

    HomeFixture f(&store);
    f.home().show();
    ASSERT_EQ(f.boxes.shown.size(), 1);
    EXPECT_TRUE(f.boxes.shown[0].text.contains(QStringLiteral("DbAlarmInfo"))) << f.boxes.shown[0].text.toStdString();
    EXPECT_TRUE(f.boxes.shown[0].text.contains(QDir::toNativeSeparators(garbage)));

    auto *note = f.control<QLabel>("LabAlarmTables");
    EXPECT_FALSE(note->isHidden());
    EXPECT_TRUE(note->text().contains(QStringLiteral("警報點設定表無法使用"))) << note->text().toStdString();
    for (const char *button : {"BtnAddSetting", "BtnModifySetting", "BtnDeleteSetting", "BtnDelteAll"})
        EXPECT_FALSE(f.control(button)->isEnabled()) << button;
    f.control<QPushButton>("BtnAddSetting")->click();
    EXPECT_FALSE(f.window("FmAddAlarm")->isVisible());

    // The count table of its own alias still works, and monitoring starts as ever.
    announce(f, AlarmSide::Low, 2, 2, 1);
    ASSERT_TRUE(waitUntil([&] { return lineCount(f.control<QListView>("LstAlarming")) == 1; }));
    EXPECT_EQ(nonZeroCounts(*f.alarmTables), (std::map<QString, QString>{{"02/02", "01"}}));
    f.control<QAbstractButton>("BtnStart")->click();
    EXPECT_TRUE(f.home().engine().isRunning());
    EXPECT_EQ(f.boxes.shown.size(), 1);
}

} // namespace
