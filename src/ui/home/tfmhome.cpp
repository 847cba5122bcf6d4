#include "tfmhome.h"

#include "plantfeed.h"

#include "ui_tfmhome.h"

#include "bringtofront.h"
#include "alarmpage.h"
#include "applicationtitle.h"
#include "barchartpage.h"
#include "buttonmarker.h"
#include "clock.h"
#include "engineevents.h"
#include "homepages.h"
#include "hotkeypriority.h"
#include "localeformats.h"
#include "messageboxes.h"
#include "panelswitch.h"
#include "plantmodel.h"
#include "recipefolder.h"
#include "recipepage.h"
#include "homesettings.h"
#include "settingscontrols.h"
#include "settingsstore.h"
#include "settingswalk.h"
#include "skyblue.h"
#include "tcontroller.h"
#include "tempmonversion.h"
#include "tfmaddalarm.h"
#include "tfmalmdlg.h"
#include "tfmbarpage.h"
#include "tfmcommsetting.h"
#include "tfmmodifyalarm.h"
#include "tfmrecord.h"
#include "tfmsetpage.h"
#include "trendpage.h"
#include "uilog.h"
#include "writerejection.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QDir>
#include <QGuiApplication>
#include <QLineEdit>
#include <QProcess>
#include <QShortcut>
#include <QShowEvent>
#include <QTimer>
#include <QToolButton>

namespace {

QString panelChildName(const char *prefix, int panel, int slot)
{
    return QStringLiteral("%1%2%3").arg(QLatin1String(prefix)).arg(panelLetter(panel)).arg(slot);
}

QTimer *makeTimer(QObject *owner, const char *name, int intervalMs)
{
    auto *timer = new QTimer(owner);
    timer->setObjectName(QLatin1String(name));
    timer->setInterval(intervalMs);
    return timer;
}
} // namespace

TFmHome::TFmHome(const AppServices &services, std::unique_ptr<TCommController> engine, QWidget *parent)
    : QWidget(parent),
      ui(std::make_unique<Ui::TFmHome>()),
      services_(services),
      model_(services.model),
      engine_(std::move(engine)),
      pictures_(services.programFolder, [this](const QString &text) { reportError(text); }),
      recorder_(new Recorder(services.model, services.clock, services.locale, this))
{
    ui->setupUi(this);
    setObjectName(QStringLiteral("FmHome"));
    setAccessibleName(QStringLiteral("溫度監控"));
    paintSkyBlue(this);
    setAutoFillBackground(true);

    tmrHome_ = makeTimer(this, "TmrHome", 500);
    tmrChart_ = makeTimer(this, "TmrChart", 5000);
    clockTimer_ = makeTimer(this, "RzClockStatus1Timer", 1000);
    connect(tmrHome_, &QTimer::timeout, this, &TFmHome::TmrHomeTimer);
    connect(clockTimer_, &QTimer::timeout, this, &TFmHome::updateClock);
    ButtonImage << selectedButtonMarker();

    // Ctrl+A opens the title window from every window of the program. (A hot key
    // seen while another program has the focus would need the platform's global
    // hot-key service; an application-wide shortcut is what this toolkit offers.)
    auto *titleKey = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_A), this);
    titleKey->setObjectName(QStringLiteral("HotKeyTitle"));
    titleKey->setContext(Qt::ApplicationShortcut);
    connect(titleKey, &QShortcut::activated, this, [this] { bringToFront(windows_.title); });
    qApp->installEventFilter(new HotKeyPriority(titleKey->key(), this));

    setUpTiles();
    setUpPageButtons();
    connectControls();

    // The chart pages: the trend page samples on TmrChart once the first scan is
    // over; the bar page starts with panel 1's bars.
    ui->Panel2->attach(services_, tmrChart_, [this] { return chartsReady_; }, buttonImage(0));
    connect(tmrChart_, &QTimer::timeout, ui->Panel2, &TrendPage::TmrChartTimer);
    ui->Panel5->attach(buttonImage(0));

    // A missing picture is told once and the button shows its name instead, so an
    // incomplete installation still runs.
    setWindowTitle(QStringLiteral("溫度監控-->監控畫面"));
    pictures_.checkAll();
    showPageButtonPictures(1);
    showPage("Panel1");
    selectPanel(1);

    // The alarm points reach the engine before it can be started; counts restart at "00".
    ui->Panel3->attach(services_, buttonImage(0));
    ui->Panel3->loadAlarmPoints();

    recipeFolder_ = ensureRecipeFolder(services_.programFolder);
    if (recipeFolder_.isEmpty())
        qCWarning(lcUi) << "no folder for recipes could be created";
    ui->Panel4->attach(model_, services_.boxes, services_.fileDialogs, recipeFolder_);

    ui->Panel3->resetCounts();

    ui->RzVersionInfoStatus1->setText(QStringLiteral("VER " TEMPMON_VERSION));
    ui->RzVersionInfoStatus1->setAccessibleName(ui->RzVersionInfoStatus1->text());
    updateClock();
    clockTimer_->start();

    // A logout or a shutdown may end the program without closing this window.
    connect(qGuiApp, &QGuiApplication::commitDataRequest, this, &TFmHome::saveSettings);
    connect(qGuiApp, &QCoreApplication::aboutToQuit, this, &TFmHome::saveSettings);
}

TFmHome::~TFmHome() = default;

void TFmHome::setUpTiles()
{
    std::array<QWidget *, kPanelCount * kSlotCount + 1> lamps{};
    for (int panel = 1; panel <= kPanelCount; ++panel) {
        panelViews_[panel] = findChild<QWidget *>(QStringLiteral("Panel%1").arg(panelLetter(panel)));
        panelViews_[panel]->setAccessibleName(QStringLiteral("盤面-%1").arg(panel));
        for (int slot = 1; slot <= kSlotCount; ++slot) {
            TController *tile = findChild<TController *>(panelChildName("Controller", panel, slot));
            tiles_[panel][slot] = tile;
            recipes_[panel][slot] = findChild<QLineEdit *>(panelChildName("TxtRecipe", panel, slot));
            const int lamp = ScanLamps::lampIndex(panel, slot);
            lamps[lamp] = findChild<QWidget *>(QStringLiteral("Shape%1").arg(lamp));
            tile->setSlotNumber(slot);
            connect(tile, &TController::settingButtonReleased, this,
                    [this, tile] { ControllerA1BtnSETMouseUp(tile); });
        }
    }
    scanLamps_.attach(lamps);
}

void TFmHome::setUpPageButtons()
{
    panelButtons_ = {nullptr, ui->BtnA, ui->BtnB, ui->BtnC};
    pageButtons_ = {nullptr, ui->ImgButton1, ui->ImgButton2, ui->ImgButton3,
                    ui->ImgButton4, ui->ImgButton5, ui->ImgButton6};
    for (const HomePage &page : homePages()) {
        QAbstractButton *button = pageButtons_[page.button];
        button->setAccessibleName(QString::fromUtf8(page.label));
        button->setToolTip(QString::fromUtf8(page.label));
        button->setText(QString::fromUtf8(page.label));
        if (page.pageName)
            findChild<QWidget *>(QLatin1String(page.pageName))->setAccessibleName(QString::fromUtf8(page.label));
    }
}

void TFmHome::setWindows(const HomeWindows &windows)
{
    windows_ = windows;
    ui->Panel2->setChartSettingWindow(windows_.chartSetting);
    ui->Panel4->setProgressWindow(windows_.writing);
    ui->Panel3->setWindows(windows_.addAlarm, windows_.modifyAlarm, windows_.almDlg);
    if (windows_.barPage)
        connect(windows_.barPage, &TFmBarPage::scanWindowClosed, this, [this] { chartsReady_ = true; });
    if (windows_.commSetting) {
        connect(windows_.commSetting, &TFmCommSetting::titleApplied, this, [this](const QString &title) {
            setWindowTitle(title);
            services_.applicationTitle.setText(title);
        });
    }
}

void TFmHome::usePictureFolder(const QString &folder)
{
    pictures_.setFolder(folder);
    pictures_.checkAll();
    showPageButtonPictures(pressedPageButton_);
}

TController *TFmHome::tile(int panel, int slot) const
{
    if (!PlantModel::validPanel(panel) || !PlantModel::validSlot(slot))
        return nullptr;
    return tiles_[panel][slot];
}

QLineEdit *TFmHome::recipeField(int panel, int slot) const
{
    if (!PlantModel::validPanel(panel) || !PlantModel::validSlot(slot))
        return nullptr;
    return recipes_[panel][slot];
}

TrendPage *TFmHome::trendPage() const { return ui->Panel2; }
BarChartPage *TFmHome::barChartPage() const { return ui->Panel5; }
AlarmPage *TFmHome::alarmPage() const { return ui->Panel3; }
RecipePage *TFmHome::recipePage() const { return ui->Panel4; }

QIcon TFmHome::buttonImage(int index) const
{
    return index >= 0 && index < ButtonImage.size() ? ButtonImage.at(index) : QIcon();
}

void TFmHome::onScanLamp(int panel, int slot)
{
    scanLamps_.select(panel, slot);
}

void TFmHome::onScanProgress(int panel, int position)
{
    if (windows_.barPage)
        windows_.barPage->setProgress(panel, position);
}

void TFmHome::onWriteRejected(const RejectedWrite &write)
{
    if (ui->Panel4->takesRejection(write))
        return;
    services_.boxes.show(this, QStringLiteral("錯誤"), rejectionMessage(write), MessageBoxes::Icon::Error);
}

void TFmHome::connectControls()
{
    connect(ui->ImgButton1, &QAbstractButton::clicked, this, &TFmHome::ImgButton1Click);
    connect(ui->ImgButton2, &QAbstractButton::clicked, this, &TFmHome::ImgButton2Click);
    connect(ui->ImgButton3, &QAbstractButton::clicked, this, &TFmHome::ImgButton3Click);
    connect(ui->ImgButton4, &QAbstractButton::clicked, this, &TFmHome::ImgButton4Click);
    connect(ui->ImgButton5, &QAbstractButton::clicked, this, &TFmHome::ImgButton5Click);
    connect(ui->ImgButton6, &QAbstractButton::clicked, this, &TFmHome::ImgButton6Click);
    connect(ui->BtnA, &QAbstractButton::clicked, this, &TFmHome::BtnAClick);
    connect(ui->BtnB, &QAbstractButton::clicked, this, &TFmHome::BtnBClick);
    connect(ui->BtnC, &QAbstractButton::clicked, this, &TFmHome::BtnCClick);
    connect(ui->BtnStart, &QAbstractButton::clicked, this, &TFmHome::BtnStartClick);
    connect(ui->BtnScanDP, &QAbstractButton::clicked, this, &TFmHome::BtnScanDPClick);
    connect(ui->BtnD, &QAbstractButton::clicked, this, &TFmHome::BtnDClick);
    connect(ui->RzBitBtn1, &QAbstractButton::clicked, this, &TFmHome::RzBitBtn1Click);
    connect(ui->RzBitBtn2, &QAbstractButton::clicked, this, &TFmHome::RzBitBtn2Click);
    connect(ui->RzVersionInfoStatus1, &QAbstractButton::clicked, this, &TFmHome::RzVersionInfoStatus1Click);
}

void TFmHome::ImgButton1Click() { pageButtonClick(1); }
void TFmHome::ImgButton2Click() { pageButtonClick(2); }
void TFmHome::ImgButton3Click() { pageButtonClick(3); }
void TFmHome::ImgButton4Click() { pageButtonClick(4); }
void TFmHome::ImgButton5Click() { pageButtonClick(5); }
void TFmHome::ImgButton6Click() { pageButtonClick(6); }

void TFmHome::pageButtonClick(int button)
{
    const HomePage *page = homePageForButton(button);
    if (!page)
        return;
    if (page->pageName) {
        showPage(page->pageName);
        setWindowTitle(QString::fromUtf8(page->caption));
    } else {
        // The recording dialog takes over; recording waits until it is confirmed.
        bringToFront(windows_.record);
        recorder_->stop();
    }
    if (page->detailPolling)
        model_.setDetailPolling(*page->detailPolling);
    showPageButtonPictures(button);
}

void TFmHome::showMonitoringPage()
{
    setWindowTitle(QString::fromUtf8(homePageForButton(1)->caption));
    showPage("Panel1");
    showPageButtonPictures(1);
}

void TFmHome::showPage(const char *pageName)
{
    for (const HomePage &page : homePages()) {
        if (page.pageName)
            findChild<QWidget *>(QLatin1String(page.pageName))->setVisible(qstrcmp(page.pageName, pageName) == 0);
    }
}

void TFmHome::showPageButtonPictures(int pressedButton)
{
    pressedPageButton_ = pressedButton;
    for (const HomePage &page : homePages()) {
        auto *button = qobject_cast<QToolButton *>(pageButtons_[page.button]);
        const bool pressed = page.button == pressedButton;
        const QPixmap picture = pictures_.load(page.button, pressed);
        if (!picture.isNull()) {
            button->setIcon(QIcon(picture));
            button->setToolButtonStyle(Qt::ToolButtonIconOnly);
        } else {
            button->setIcon(QIcon());
            button->setToolButtonStyle(Qt::ToolButtonTextOnly);
        }
        setBold(button, pressed);
    }
}

void TFmHome::BtnAClick() { selectPanel(1); }
void TFmHome::BtnBClick() { selectPanel(2); }
void TFmHome::BtnCClick() { selectPanel(3); }

void TFmHome::selectPanel(int panel)
{
    for (int p = 1; p <= kPanelCount; ++p)
        panelViews_[p]->setVisible(p == panel);
    markChosenButton({panelButtons_.begin() + 1, panelButtons_.end()}, panelButtons_[panel], buttonImage(0));
    selectedPanel_ = panel;
}

void TFmHome::BtnStartClick()
{
    if (windows_.barPage)
        windows_.barPage->showForScan(this);
    engine_->start();
    tmrHome_->start();
    recorder_->followSave();
    ui->BtnStart->setEnabled(false);
    ui->BtnScanDP->setEnabled(true);
}

void TFmHome::BtnScanDPClick()
{
    if (windows_.barPage)
        windows_.barPage->showForScan(this);
    model_.setRescanRequested(true);
}

void TFmHome::setTilesLocked(bool locked)
{
    for (int panel = 1; panel <= kPanelCount; ++panel)
        for (int slot = 1; slot <= kSlotCount; ++slot)
            tiles_[panel][slot]->setLocked(locked);
}

void TFmHome::setCompanyTitle(const QString &title, int left)
{
    ui->RzLabel1->setText(title);
    ui->RzLabel1->move(left, ui->RzLabel1->y());
}

QString TFmHome::companyTitle() const
{
    return ui->RzLabel1->text();
}

void TFmHome::BtnDClick() { bringToFront(windows_.commSetting); }
void TFmHome::RzBitBtn1Click() { bringToFront(windows_.showPawd); }
void TFmHome::RzVersionInfoStatus1Click() { bringToFront(windows_.about); }

void TFmHome::RzBitBtn2Click()
{
    // The history viewer is a separate program beside this one; whether it exists is
    // not checked, as the button is never offered.
#ifdef Q_OS_WIN
    const QString viewer = QStringLiteral("HistoryTrend.exe");
#else
    const QString viewer = QStringLiteral("HistoryTrend");
#endif
    QProcess::startDetached(QDir(services_.programFolder).filePath(viewer), {});
}

void TFmHome::TmrHomeTimer()
{
    // One snapshot per panel for the whole tick: tiles, bars and outward views show
    // the same readings, each taken in one guarded copy and parsed once.
    std::array<ReadingsSnapshot, kPanelCount + 1> readings;
    for (int p = 1; p <= kPanelCount; ++p)
        readings[p] = model_.readingsSnapshot(p);
    const unsigned rejected =
        refreshPanelTiles(model_, selectedPanel_, tiles_[selectedPanel_], readings[selectedPanel_]);
    if (rejected)
        qCDebug(lcUi) << "panel" << selectedPanel_ << "ID fields kept their old station:" << Qt::hex << rejected;
    ui->Panel3->checkAutoPrint();
    ui->Panel5->refresh(readings);
    if (services_.feed)
        services_.feed->setView(plantView(readings, true));
}

PlantView TFmHome::plantView(const std::array<ReadingsSnapshot, kPanelCount + 1> &readings, bool monitoring) const
{
    PlantView view;
    view.windowTitle = windowTitle();
    view.monitoring = monitoring;
    view.panels = readings;
    for (int p = 1; p <= kPanelCount; ++p)
        for (int s = 1; s <= kSlotCount; ++s)
            if (const TController *t = tiles_[p][s])
                view.tileTitles[p][s] = t->titleText();
    return view;
}

void TFmHome::ControllerA1BtnSETMouseUp(TController *tile)
{
    TFmSetPage *page = windows_.setPage;
    if (!page || !tile)
        return;
    bringToFront(page);
    page->setHeader(QString::number(selectedPanel_), tile->slotNumberText(), tile->idText());
}

void TFmHome::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!shown_ && !event->spontaneous()) {
        shown_ = true;
        FormShow();
    }
}

void TFmHome::FormShow()
{
    // Showing the alarm window once and hiding it leaves it created and empty.
    if (windows_.almDlg) {
        windows_.almDlg->show();
        windows_.almDlg->hide();
    }
    const QString toTell = LoadSettings(services_.store, programSettingsSections(*this, model_));
    if (!toTell.isEmpty())
        reportError(toTell);
    // Recording begins only when monitoring is started.
    recorder_->stop();
    if (services_.feed) // the outward views get the caption and titles before the first tick
        services_.feed->setView(plantView({}, false));
}

void TFmHome::closeEvent(QCloseEvent *event)
{
    FormClose();
    event->accept();
}

void TFmHome::FormClose()
{
    if (closed_)
        return;
    closed_ = true;
    saveSettings();
    tmrChart_->stop();
    // Records still held for a file that was busy get one last chance.
    recorder_->shutDown();
    tmrHome_->stop();
    // A recipe write under way places nothing more; the engine drops what is still
    // pending when it stops.
    ui->Panel4->stopWriting();
    // No waiting here: the engine's destructor waits only for the transaction in flight.
    engine_->requestStop();
    emit shutDown();
}

void TFmHome::saveSettings()
{
    if (settingsSaved_)
        return;
    settingsSaved_ = true;
    // A failed save is told to the operator; closing goes on regardless, as a window
    // that cannot be closed would be worse than settings not kept.
    const QString error = SaveSettings(services_.store, programSettingsSections(*this, model_));
    if (!error.isEmpty())
        reportError(error);
}

void TFmHome::updateClock()
{
    const QDateTime now = services_.clock.now();
    ui->RzClockStatus1->setText(services_.locale.shortDate(now.date()) + QLatin1Char(' ')
                                + services_.locale.longTime(now.time()));
}

void TFmHome::reportError(const QString &text)
{
    services_.boxes.show(this, QStringLiteral("錯誤"), text, MessageBoxes::Icon::Error);
}

