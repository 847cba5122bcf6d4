#include "appwindows.h"

#include "alarmlog.h"
#include "bringtofront.h"
#include "plantfeed.h"
#include "plantmodel.h"
#include "tcommcontroller.h"
#include "tfmaddalarm.h"
#include "tfmalmdlg.h"
#include "tfmbarpage.h"
#include "tfmbrowse.h"
#include "tfmchartsetting.h"
#include "tfmcommsetting.h"
#include "tfmcommtest.h"
#include "tfmhome.h"
#include "tfmlinehealth.h"
#include "tfmmodifyalarm.h"
#include "tfmpaset.h"
#include "tfmpassread.h"
#include "tfmrecord.h"
#include "tfmsetpage.h"
#include "tfmshowpawd.h"
#include "tfmtitle.h"
#include "tfmwriting.h"
#include "tform2.h"
#include "trendpage.h"

#include <QShortcut>

template <typename T, typename... Args>
std::unique_ptr<T> AppWindows::make(Args &&...args)
{
    auto window = std::make_unique<T>(std::forward<Args>(args)...);
    order_.append(window.get());
    return window;
}

AppWindows::AppWindows(const AppServices &services, std::unique_ptr<TCommController> engine)
{
    PlantModel &model = services.model;
    alarmLog_ = std::make_unique<AlarmLog>(
        services.alarmTables,
        AlarmPointSink{[&model](int panel, int slot, const AlarmLimits &limits) { model.setAlarmPoint(panel, slot, limits); },
                       [&model](int panel, int slot) { model.clearAlarmPoint(panel, slot); }},
        services.clock, services.locale, services.beep);
    if (PlantFeed *feed = services.feed) {
        QObject::connect(alarmLog_.get(), &AlarmLog::linesChanged, feed, &PlantFeed::setAlarmLines);
        QObject::connect(alarmLog_.get(), &AlarmLog::announced, feed, &PlantFeed::raiseAlarm);
    }
    AppServices withAlarmLog = services;
    withAlarmLog.alarmLog = alarmLog_.get();
    FmHome = make<TFmHome>(withAlarmLog, std::move(engine));
    FmCommSetting = make<TFmCommSetting>(services.model, services.store, services.boxes);
    TFmHome *home = FmHome.get();
    FmSetPage = make<TFmSetPage>(services.model, services.boxes, services.applicationTitle,
                                 [home] { return home->SelectedPanel(); });
    FmSetPage->setPictureFolder(services.programFolder);
    FmBarPage = make<TFmBarPage>();
    FmChartSetting = make<TFmChartSetting>(*home->trendPage(), *home->TmrChart(), services.boxes);
    FmWriting = make<TFmWriting>();
    FmAddAlarm = make<TFmAddAlarm>(services.alarmTables, services.boxes, services.locale);
    FmModifyAlarm = make<TFmModifyAlarm>(services.alarmTables, services.boxes, services.locale);
    FmAlmDlg = make<TFmAlmDlg>();
    FmRecord = make<TFmRecord>(home->recorder(), [home] { home->showMonitoringPage(); }, services.boxes);
    FmBrowse = make<TFmBrowse>();
    FmRecord->setBrowseWindow(FmBrowse.get());
    FmCommTest = make<TFmCommTest>();
    const TileLockSwitch lockTiles = [home](bool locked) { home->setTilesLocked(locked); };
    fmpaset = make<Tfmpaset>(services.store, services.boxes);
    fmpassread = make<Tfmpassread>(services.store, services.boxes, lockTiles);
    Fmshowpawd = make<TFmshowpawd>(services.boxes, lockTiles, fmpassread.get(), fmpaset.get());
    Form2 = make<TForm2>(services.boxes, services.programFolder);
    FmTitle = make<TFmTitle>(services.store, services.boxes,
                             [home](const QString &title, int left) { home->setCompanyTitle(title, left); });

    HomeWindows doors;
    doors.commSetting = FmCommSetting.get();
    doors.setPage = FmSetPage.get();
    doors.barPage = FmBarPage.get();
    doors.chartSetting = FmChartSetting.get();
    doors.addAlarm = FmAddAlarm.get();
    doors.modifyAlarm = FmModifyAlarm.get();
    doors.almDlg = FmAlmDlg.get();
    doors.record = FmRecord.get();
    doors.showPawd = Fmshowpawd.get();
    doors.about = Form2.get();
    doors.title = FmTitle.get();
    doors.writing = FmWriting.get();
    FmHome->setWindows(doors);

    FmLineHealth = std::make_unique<TFmLineHealth>(services.model);
    TFmLineHealth *lineHealth = FmLineHealth.get();
    QObject::connect(FmCommSetting.get(), &TFmCommSetting::lineHealthRequested, lineHealth,
                     [lineHealth] { bringToFront(lineHealth); });
    auto *lineHealthKey = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_L), home);
    QObject::connect(lineHealthKey, &QShortcut::activated, lineHealth, [lineHealth] { bringToFront(lineHealth); });
}

AppWindows::~AppWindows()
{
    // Hide the secondary windows before any of them goes, so no window is repainted
    // or shown again while its neighbours are being destroyed.
    FmLineHealth->hide();
    for (QWidget *window : order_)
        window->hide();
}
