// The main window: start-up state, start and rescan, page and panel switching, the
// display tick, the setting button, the shutdown order and missing pictures.

#include "alarmhelpers.h"
#include "homefixture.h"
#include "homepages.h"
#include "pagebuttonpictures.h"
#include "tcontroller.h"
#include "tfmbarpage.h"

#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QEventLoop>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <thread>

namespace {

QString fieldText(TController *tile, const char *name)
{
    return tile->findChild<QLineEdit *>(QLatin1String(name))->text();
}

int outBar(TController *tile)
{
    return tile->findChild<QProgressBar *>(QStringLiteral("PrgOut"))->value();
}

QWidget *page(HomeFixture &f, const char *name) { return f.control(name); }

} // namespace

TEST(TFmHome, StartsWithPanelOneShownAndNothingPolled)
{
    HomeFixture f;
    f.home().show();
    QCoreApplication::processEvents();

    EXPECT_EQ(f.home().objectName(), "FmHome");
    EXPECT_EQ(f.home().SelectedPanel(), 1);
    EXPECT_FALSE(f.home().ChartsReady());
    EXPECT_TRUE(page(f, "Panel1")->isVisible());
    for (const char *hidden : {"Panel2", "Panel5", "Panel3", "Panel4"})
        EXPECT_FALSE(page(f, hidden)->isVisible()) << hidden;
    EXPECT_TRUE(f.control("PanelA")->isVisible());
    EXPECT_FALSE(f.control("PanelB")->isVisible());
    EXPECT_FALSE(f.control("PanelC")->isVisible());
    EXPECT_FALSE(f.control<QAbstractButton>("BtnScanDP")->isEnabled());
    EXPECT_TRUE(f.control<QAbstractButton>("BtnStart")->isEnabled());
    EXPECT_FALSE(f.control("RzBitBtn2")->isVisible());
    EXPECT_FALSE(f.home().TmrHome()->isActive());
    EXPECT_FALSE(f.home().TmrChart()->isActive());
    EXPECT_FALSE(f.home().recorder().timer()->isActive());
    EXPECT_EQ(f.home().TmrHome()->interval(), 500);

    // Every tile numbered and empty; no reading and no port before "啟動".
    for (int panel = 1; panel <= 3; ++panel) {
        for (int slot = 1; slot <= 10; ++slot) {
            TController *tile = f.home().tile(panel, slot);
            ASSERT_NE(tile, nullptr);
            EXPECT_EQ(tile->slotNumberText(), QStringLiteral("%1").arg(slot, 2, 10, QLatin1Char('0')));
            EXPECT_TRUE(fieldText(tile, "TxtPV").isEmpty());
            EXPECT_EQ(f.home().recipeField(panel, slot)->text(), "100");
        }
    }
    EXPECT_FALSE(f.home().engine().isRunning());
    EXPECT_EQ(f.opens->load(), 0);
    // Loading a fresh store reports nothing.
    EXPECT_TRUE(f.boxes.shown.isEmpty()) << f.boxes.shown.value(0).text.toStdString();
}

TEST(TFmHome, StartOpensScanWindowStartsPollingAndCannotBePressedAgain)
{
    for (const bool recording : {false, true}) {
        SCOPED_TRACE(recording ? "recording on" : "recording off");
        HomeFixture f;
        f.home().show();
        f.home().recorder().settings().Save = recording;
        auto *start = f.control<QAbstractButton>("BtnStart");
        start->click();

        EXPECT_TRUE(f.window("FmBarPage")->isVisible());
        EXPECT_FALSE(start->isEnabled());
        EXPECT_TRUE(f.control<QAbstractButton>("BtnScanDP")->isEnabled());
        EXPECT_TRUE(f.home().TmrHome()->isActive());
        EXPECT_EQ(f.home().recorder().timer()->isActive(), recording);
        EXPECT_TRUE(f.home().engine().isRunning());
        EXPECT_TRUE(waitUntil([&] { return f.opens->load() > 0; }));
    }
}

TEST(TFmHome, FirstScanWindowOpensCentredOnTheMainWindow)
{
    HomeFixture f;
    f.home().move(40, 30);
    f.home().show();
    f.control<QAbstractButton>("BtnStart")->click();
    QWidget *scan = f.window("FmBarPage");
    ASSERT_TRUE(scan->isVisible());
    EXPECT_LE((scan->frameGeometry().center() - f.home().frameGeometry().center()).manhattanLength(), 2)
        << scan->frameGeometry().center().x() << "," << scan->frameGeometry().center().y();
}

TEST(TFmHome, RescanShowsScanWindowAndRaisesTheRequest)
{
    HomeFixture f;
    f.home().show();
    ASSERT_FALSE(f.window("FmBarPage")->isVisible());
    f.home().BtnScanDPClick();
    f.home().BtnScanDPClick();
    EXPECT_TRUE(f.window("FmBarPage")->isVisible());
    EXPECT_TRUE(f.model.rescanRequested());
}

TEST(TFmHome, ScanWindowClosingMakesChartsReady)
{
    HomeFixture f;
    f.home().show();
    auto *bars = qobject_cast<TFmBarPage *>(f.window("FmBarPage"));
    ASSERT_NE(bars, nullptr);
    emit bars->scanWindowClosed();
    EXPECT_TRUE(f.home().ChartsReady());
}

TEST(TFmHome, PageButtonsSwitchPagesCaptionsAndDetailPolling)
{
    HomeFixture f;
    f.home().show();
    f.home().setWindowTitle("before");
    struct Step {
        int button;
        const char *page; // nullptr: page in front stays
        const char *caption;
        bool detailPolling;
    };
    // In sequence: the recipe page turns detail polling off, the pages that do not
    // touch it leave it off, and the monitoring page turns it on again.
    const Step steps[] = {
        {4, "Panel4", "溫度監控-->配方", false},
        {2, "Panel2", "溫度監控-->曲線圖", false},
        {6, "Panel5", "溫度監控-->直條圖", false},
        {3, "Panel3", "溫度監控-->警報", false},
        {5, nullptr, "溫度監控-->警報", false},
        {1, "Panel1", "溫度監控-->監控畫面", true},
        {6, "Panel5", "溫度監控-->直條圖", true},
    };
    const char *pages[] = {"Panel1", "Panel2", "Panel5", "Panel3", "Panel4"};
    const char *front = "Panel1";
    for (const Step &step : steps) {
        SCOPED_TRACE(step.button);
        f.control<QAbstractButton>(QStringLiteral("ImgButton%1").arg(step.button).toLatin1().constData())->click();
        if (step.page)
            front = step.page;
        for (const char *name : pages)
            EXPECT_EQ(page(f, name)->isVisible(), qstrcmp(name, front) == 0) << name;
        EXPECT_EQ(f.home().windowTitle(), QString::fromUtf8(step.caption));
        EXPECT_EQ(f.model.detailPolling(), step.detailPolling);
        // The pressed button is the one shown bold.
        for (const HomePage &entry : homePages()) {
            auto *button = f.control<QToolButton>(QStringLiteral("ImgButton%1").arg(entry.button).toLatin1().constData());
            EXPECT_EQ(button->font().bold(), entry.button == step.button) << entry.button;
        }
    }
}

TEST(TFmHome, RecordingButtonOpensDialogAndStopsRecording)
{
    HomeFixture f;
    f.home().show();
    f.home().recorder().settings().Save = true;
    f.control<QAbstractButton>("BtnStart")->click();
    ASSERT_TRUE(f.home().recorder().timer()->isActive());
    f.control<QAbstractButton>("ImgButton5")->click();
    EXPECT_TRUE(f.window("FmRecord")->isVisible());
    EXPECT_FALSE(f.home().recorder().timer()->isActive());
    EXPECT_TRUE(page(f, "Panel1")->isVisible());
}

TEST(TFmHome, PanelButtonsShowOnePanelAndMarkTheirButton)
{
    HomeFixture f;
    f.home().show();
    const char *views[] = {nullptr, "PanelA", "PanelB", "PanelC"};
    const char *buttons[] = {nullptr, "BtnA", "BtnB", "BtnC"};
    for (const int chosen : {3, 2, 1}) {
        SCOPED_TRACE(chosen);
        f.control<QAbstractButton>(buttons[chosen])->click();
        EXPECT_EQ(f.home().SelectedPanel(), chosen);
        for (int p = 1; p <= 3; ++p) {
            EXPECT_EQ(f.control(views[p])->isVisible(), p == chosen);
            auto *button = f.control<QAbstractButton>(buttons[p]);
            EXPECT_EQ(button->font().bold(), p == chosen);
            EXPECT_EQ(button->icon().isNull(), p != chosen);
            // A panel's scan lamps sit on its view and come and go with its tiles.
            EXPECT_EQ(f.control(QStringLiteral("Shape%1").arg((p - 1) * 10 + 4).toLatin1().constData())->isVisible(),
                      p == chosen);
        }
    }
}

TEST(TFmHome, DisplayTickServesTheSelectedPanelOnly)
{
    HomeFixture f;
    f.home().show();
    f.model.setStationId(1, 4, 4);
    for (int slot = 1; slot <= 10; ++slot) {
        f.model.setReading(1, slot, {"1.0", "2.0", "100"});
        f.model.setReading(3, slot, {QString::number(slot * 10 + 0.5), QString::number(slot * 20), QString()});
    }
    f.model.setReading(3, 7, {QString(), QString(), QString()}); // no link: blank
    f.model.setReading(3, 2, {"25.0", "30.0", "537"});
    f.home().tile(3, 4)->setIdText("12");
    f.home().tile(1, 4)->setIdText("99");

    f.control<QAbstractButton>("BtnC")->click();
    f.home().TmrHomeTimer();

    EXPECT_EQ(fieldText(f.home().tile(3, 1), "TxtPV"), "10.5");
    EXPECT_EQ(fieldText(f.home().tile(3, 10), "TxtSV"), "200");
    EXPECT_EQ(fieldText(f.home().tile(3, 2), "TxtPV"), "25.0");
    EXPECT_EQ(outBar(f.home().tile(3, 2)), 537);
    EXPECT_EQ(outBar(f.home().tile(3, 1)), 0);
    EXPECT_TRUE(fieldText(f.home().tile(3, 7), "TxtPV").isEmpty());
    EXPECT_EQ(f.model.stationId(3, 4), 12);
    // Panel 1 is not selected: its tiles keep their texts and its IDs stay out.
    EXPECT_TRUE(fieldText(f.home().tile(1, 1), "TxtPV").isEmpty());
    EXPECT_EQ(f.model.stationId(1, 4), 4);

    f.control<QAbstractButton>("BtnA")->click();
    f.home().TmrHomeTimer();
    EXPECT_EQ(fieldText(f.home().tile(1, 1), "TxtPV"), "1.0");
    EXPECT_EQ(f.model.stationId(1, 4), 99);
}

TEST(TFmHome, IdTooLargeKeepsThePreviousStationAndTheTickGoesOn)
{
    HomeFixture f;
    f.home().show();
    f.model.setStationId(1, 2, 7);
    f.model.setReading(1, 3, {"42.0", "50.0", "10"});
    f.home().tile(1, 2)->setIdText("99999999999");
    f.home().tile(1, 3)->setIdText("33");
    f.home().TmrHomeTimer();
    EXPECT_EQ(f.model.stationId(1, 2), 7);
    EXPECT_EQ(f.model.stationId(1, 3), 33);
    EXPECT_EQ(fieldText(f.home().tile(1, 3), "TxtPV"), "42.0");
    EXPECT_TRUE(f.boxes.shown.isEmpty());
}

TEST(TFmHome, SettingButtonFillsTheSettingPageHeader)
{
    HomeFixture f;
    f.home().show();
    f.control<QAbstractButton>("BtnC")->click();
    TController *tile = f.home().tile(3, 4);
    tile->setIdText("23");
    tile->settingButton()->click();

    QWidget *setPage = f.window("FmSetPage");
    ASSERT_NE(setPage, nullptr);
    EXPECT_TRUE(setPage->isVisible());
    EXPECT_EQ(setPage->findChild<QLabel *>("LbPanel")->text(), "3");
    EXPECT_EQ(setPage->findChild<QLabel *>("LbNO")->text(), "04");
    EXPECT_EQ(setPage->findChild<QLabel *>("LbID")->text(), "23");
}

// A tile's lamps come with its texts, from the same readings, on the display tick of
// its panel; a panel not selected keeps what its tiles showed.
TEST(TFmHome, TileLampsComeWithTheReadingsOnTheDisplayTick)
{
    HomeFixture f;
    f.home().show();
    f.model.setReading(2, 5, {"25.0", "30.0", "100"});
    f.model.storeLamps(2, 5, TileLamps::fromStatus(0x11)); // OUT1, AL2
    f.model.storeLamps(1, 5, TileLamps::fromStatus(0x19));
    f.control<QAbstractButton>("BtnB")->click();
    EXPECT_EQ(f.home().tile(2, 5)->lamps(), TileLamps{}) << "nothing before the tick";
    f.home().TmrHomeTimer();
    EXPECT_EQ(f.home().tile(2, 5)->lamps(), TileLamps::fromStatus(0x11));
    EXPECT_EQ(fieldText(f.home().tile(2, 5), "TxtPV"), "25.0");
    EXPECT_EQ(f.home().tile(1, 5)->lamps(), TileLamps{});

    // Unlinked at its fourth failed read: texts and lamps go together.
    for (int n = 0; n < 4; ++n)
        f.model.notePvFailure(2, 5);
    f.home().TmrHomeTimer();
    EXPECT_EQ(f.home().tile(2, 5)->lamps(), TileLamps{});
    EXPECT_TRUE(fieldText(f.home().tile(2, 5), "TxtPV").isEmpty());

    f.control<QAbstractButton>("BtnA")->click();
    f.home().TmrHomeTimer();
    EXPECT_EQ(f.home().tile(1, 5)->lamps(), TileLamps::fromStatus(0x19));
}

TEST(TFmHome, EngineScanLampEventsReachTheScanLamps)
{
    HomeFixture f;
    f.home().show();
    f.home().engine().events().onScanLamp(2, 5);
    // Queued: nothing changes before the event loop delivers.
    EXPECT_EQ(f.home().scanLamps().activeLamp(), 0);
    ASSERT_TRUE(waitUntil([&] { return f.home().scanLamps().activeLamp() == 15; }));
    EXPECT_EQ(f.home().scanLamps().colour(15), QColor(255, 0, 0));
    EXPECT_EQ(f.home().scanLamps().colour(14), QColor(255, 255, 255));

    f.home().engine().events().onScanLamp(0, 0);
    ASSERT_TRUE(waitUntil([&] { return f.home().scanLamps().activeLamp() == 0; }));
    EXPECT_EQ(f.home().scanLamps().colour(15), QColor(255, 255, 255));
}

TEST(TFmHome, RejectedWriteIsToldWithPanelSlotValueAndReason)
{
    HomeFixture f;
    f.home().show();
    f.home().engine().events().onWriteRejected({2, 7, 0, "abc", WriteRejection::NotANumber});
    ASSERT_TRUE(waitUntil([&] { return !f.boxes.shown.isEmpty(); }));
    const ShownBox box = f.boxes.shown.last();
    EXPECT_EQ(box.caption, "錯誤");
    for (const char *part : {"盤面2", "溫控點7", "abc", "不是數字"})
        EXPECT_TRUE(box.text.contains(QString::fromUtf8(part))) << part << " in " << box.text.toStdString();
}

// The refused write's box runs an event loop of its own while the operator reads it;
// the alarms the engine announced behind the refusal wait for it to close and then
// come in their order, so the list and the counts never end on an older alarm.
TEST(TFmHome, AlarmsBehindAModalBoxWaitForItAndKeepTheirOrder)
{
    HomeFixture f;
    f.home().show();
    auto *list = f.control<QAbstractItemView>("LstAlarming");
    ASSERT_NE(list, nullptr);
    EngineEvents &engine = f.home().engine().events();
    int linesWhileBoxOpen = -1;
    f.boxes.whileShown = [&] {
        // The engine goes on polling while the operator reads the box.
        std::thread([&] { engine.onAlarm({AlarmSide::High, 1, 4, 1, QTime(8, 0, 1)}); }).join();
        QEventLoop box;
        QMetaObject::invokeMethod(&box, &QEventLoop::quit, Qt::QueuedConnection);
        box.exec();
        linesWhileBoxOpen = lineCount(list);
    };
    engine.onWriteRejected({2, 7, 0, "abc", WriteRejection::NotANumber});
    engine.onAlarm({AlarmSide::Low, 1, 3, 1, QTime(8, 0, 0)});
    ASSERT_TRUE(waitUntil([&] { return lineCount(list) == 2; }));
    f.boxes.whileShown = nullptr;
    EXPECT_EQ(linesWhileBoxOpen, 0);
    const QStringList lines = listLines(list);
    EXPECT_TRUE(lines.at(0).contains(QStringLiteral("08:00:00"))) << lines.at(0).toStdString();
    EXPECT_TRUE(lines.at(1).contains(QStringLiteral("08:00:01"))) << lines.at(1).toStdString();
}

// Once the wiring is gone (the program ending), what the engine still issues reaches
// no window.
TEST(TFmHome, EventsAfterTheWiringIsGoneReachNoWindow)
{
    HomeFixture f;
    f.home().show();
    f.engineEvents.reset();
    f.home().engine().events().onScanLamp(1, 1);
    f.home().engine().events().onWriteRejected({2, 7, 0, "abc", WriteRejection::NotANumber});
    QCoreApplication::processEvents();
    EXPECT_EQ(f.home().scanLamps().activeLamp(), 0);
    EXPECT_TRUE(f.boxes.shown.isEmpty());
}

// Writes through to a memory store; once armed, notes at the next write what was
// still running: the settings must be saved before the timers and the engine stop.
class WatchingStore : public SettingsStore {
public:
    void arm(std::function<void()> onFirstWrite) { onFirstWrite_ = std::move(onFirstWrite); }
    bool openKey(const QString &key, bool create) override { return inner.openKey(key, create); }
    void closeKey() override { inner.closeKey(); }
    std::optional<QString> readString(const QString &name) const override { return inner.readString(name); }
    std::optional<int> readInteger(const QString &name) const override { return inner.readInteger(name); }
    bool valueExists(const QString &name) const override { return inner.valueExists(name); }
    QStringList valueNames() const override { return inner.valueNames(); }
    bool flush() override { return inner.flush(); }
    bool writeString(const QString &name, const QString &value) override
    {
        noteWrite();
        return inner.writeString(name, value);
    }
    bool writeInteger(const QString &name, int value) override
    {
        noteWrite();
        return inner.writeInteger(name, value);
    }
    MemorySettingsStore inner;

private:
    void noteWrite()
    {
        if (onFirstWrite_) {
            onFirstWrite_();
            onFirstWrite_ = nullptr;
        }
    }
    std::function<void()> onFirstWrite_;
};

TEST(TFmHome, ShutdownSavesSettingsThenStopsTimersAndEngine)
{
    bool timerRanDuringSave = false;
    bool engineRanDuringSave = false;
    WatchingStore store;
    HomeFixture f(&store);
    f.home().show();
    f.home().tile(2, 3)->setIdText("45");
    f.control<QAbstractButton>("BtnStart")->click();
    ASSERT_TRUE(waitUntil([&] { return f.opens->load() > 0; }));
    TFmHome *home = &f.home();
    QSignalSpy ended(home, &TFmHome::shutDown);
    store.arm([&] {
        timerRanDuringSave = home->TmrHome()->isActive();
        engineRanDuringSave = home->engine().isRunning() && !home->engine().isFinished();
    });

    home->close();

    EXPECT_TRUE(timerRanDuringSave);
    EXPECT_TRUE(engineRanDuringSave);
    EXPECT_EQ(ended.count(), 1);
    EXPECT_FALSE(home->TmrHome()->isActive());
    EXPECT_FALSE(home->TmrChart()->isActive());
    EXPECT_FALSE(home->recorder().timer()->isActive());
    // The engine winds down by itself; the window did not wait for it.
    EXPECT_TRUE(home->engine().wait(QDeadlineTimer(5000)));
    const int opensAfterStop = f.opens->load();
    QCoreApplication::processEvents();
    EXPECT_EQ(f.opens->load(), opensAfterStop);
    EXPECT_EQ(store.inner.stringValue("FmHome", "IDB_3"), QString("45"));
    // A second close does not save again.
    home->FormClose();
    EXPECT_EQ(ended.count(), 1);
}

TEST(TFmHome, LoadedStationIdsReachTheEngineAtFirstShow)
{
    HomeFixture f;
    f.memory.setString("FmHome", "IDC_9", "77");
    f.memory.setString("FmHome", "UnitTitleA_2", "爐A2");
    f.home().show();
    EXPECT_EQ(f.model.stationId(3, 9), 77);
    EXPECT_EQ(f.home().tile(3, 9)->idText(), "77");
    EXPECT_EQ(f.home().tile(1, 2)->titleText(), "爐A2");
    EXPECT_FALSE(f.home().recorder().timer()->isActive());
}

TEST(PageButtonPictures, MissingOrBrokenFileIsReportedOnceNamingTheFile)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    for (const HomePage &page : homePages()) {
        for (const bool pressed : {true, false}) {
            QImage image(112, 38, QImage::Format_RGB32);
            image.fill(Qt::gray);
            ASSERT_TRUE(image.save(QDir(folder.path()).filePath(pageButtonPictureFile(page.button, pressed)), "BMP"));
        }
    }
    ASSERT_TRUE(QFile::remove(QDir(folder.path()).filePath("button3D.bmp")));
    {
        QFile broken(QDir(folder.path()).filePath("button4U.bmp"));
        ASSERT_TRUE(broken.open(QIODevice::WriteOnly | QIODevice::Truncate));
        broken.write("not a picture");
    }
    QStringList reports;
    PageButtonPictures pictures(folder.path(), [&](const QString &text) { reports << text; });
    pictures.checkAll();
    ASSERT_EQ(reports.size(), 1);
    EXPECT_TRUE(reports[0].contains("button3D.bmp"));
    EXPECT_TRUE(reports[0].contains("button4U.bmp"));
    EXPECT_FALSE(reports[0].contains("button3U.bmp"));

    EXPECT_TRUE(pictures.load(3, true).isNull());
    EXPECT_TRUE(pictures.load(4, false).isNull());
    EXPECT_EQ(pictures.load(3, false).size(), QSize(112, 38));
    EXPECT_EQ(reports.size(), 1);
}

TEST(TFmHome, MissingPicturesFallBackToTextAndTheProgramGoesOn)
{
    HomeFixture f;
    f.home().show();
    // The build puts the twelve pictures beside the test program.
    for (const HomePage &page : homePages()) {
        auto *button = f.control<QToolButton>(QStringLiteral("ImgButton%1").arg(page.button).toLatin1().constData());
        EXPECT_EQ(button->toolButtonStyle(), Qt::ToolButtonIconOnly) << page.button;
        EXPECT_EQ(button->accessibleName(), QString::fromUtf8(page.label));
    }
    EXPECT_TRUE(f.boxes.shown.isEmpty());

    QTemporaryDir empty;
    f.home().usePictureFolder(empty.path());
    ASSERT_EQ(f.boxes.shown.size(), 1);
    EXPECT_EQ(f.boxes.shown[0].caption, "錯誤");
    EXPECT_TRUE(f.boxes.shown[0].text.contains("button1D.bmp"));
    EXPECT_TRUE(f.boxes.shown[0].text.contains("button6U.bmp"));
    // Told once: switching pages reloads the pictures but says nothing more.
    f.control<QAbstractButton>("ImgButton2")->click();
    f.control<QAbstractButton>("ImgButton1")->click();
    f.control<QAbstractButton>("ImgButton2")->click();
    EXPECT_EQ(f.boxes.shown.size(), 1);
    auto *monitoring = f.control<QToolButton>("ImgButton1");
    EXPECT_EQ(monitoring->toolButtonStyle(), Qt::ToolButtonTextOnly);
    EXPECT_EQ(monitoring->text(), "監控畫面");
    EXPECT_TRUE(page(f, "Panel2")->isVisible());
    EXPECT_EQ(f.home().windowTitle(), "溫度監控-->曲線圖");
}

TEST(TFmHome, ClockShowsTheWholeDateAndTime)
{
    HomeFixture f;
    f.clock.at = QDateTime(QDate(2026, 12, 31), QTime(23, 59, 58));
    f.home().show();
    auto *clock = f.control<QLabel>("RzClockStatus1");
    ASSERT_NE(clock, nullptr);
    auto *tick = f.home().findChild<QTimer *>(QStringLiteral("RzClockStatus1Timer"));
    ASSERT_NE(tick, nullptr);
    QMetaObject::invokeMethod(tick, "timeout");
    EXPECT_EQ(clock->text(), QStringLiteral("2026/12/31 下午 11:59:58"));
    EXPECT_LE(clock->fontMetrics().horizontalAdvance(clock->text()), clock->contentsRect().width());
}
