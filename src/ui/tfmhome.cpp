#include "tfmhome.h"

#include "ui_tfmhome.h"

#include "buttonmarker.h"
#include "homepages.h"
#include "hotkeypriority.h"
#include "messageboxes.h"
#include "plantmodel.h"
#include "recipefolder.h"
#include "settingsstore.h"
#include "settingswalk.h"
#include "tcontroller.h"
#include "tfmbarpage.h"
#include "tfmcommsetting.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QLoggingCategory>
#include <QProcess>
#include <QShortcut>
#include <QShowEvent>
#include <QTimer>
#include <QToolButton>

Q_LOGGING_CATEGORY(lcHome, "tempmon.ui", QtWarningMsg)

namespace {

const char *const kPanelLetters = " ABC"; // 1-based

QString panelChildName(const char *prefix, int panel, int slot)
{
    return QStringLiteral("%1%2%3").arg(QLatin1String(prefix)).arg(QLatin1Char(kPanelLetters[panel])).arg(slot);
}

QTimer *makeTimer(QObject *owner, const char *name, int intervalMs)
{
    auto *timer = new QTimer(owner);
    timer->setObjectName(QLatin1String(name));
    timer->setInterval(intervalMs);
    return timer;
}

void setBold(QWidget *widget, bool bold)
{
    QFont font = widget->font();
    font.setBold(bold);
    widget->setFont(font);
}

} // namespace

TFmHome::TFmHome(PlantModel &model, std::unique_ptr<TCommController> engine, SettingsStore &store,
                 MessageBoxes &boxes, QWidget *parent)
    : QWidget(parent),
      ui(std::make_unique<Ui::TFmHome>()),
      model_(model),
      engine_(std::move(engine)),
      store_(store),
      boxes_(boxes),
      pictures_(QCoreApplication::applicationDirPath(), [this](const QString &text) { reportError(text); })
{
    ui->setupUi(this);
    setObjectName(QStringLiteral("FmHome"));
    setAccessibleName(QStringLiteral("溫度監控"));
    QPalette skyBlue = palette();
    skyBlue.setColor(QPalette::Window, QColor(166, 202, 240));
    setPalette(skyBlue);
    setAutoFillBackground(true);

    tmrHome_ = makeTimer(this, "TmrHome", 500);
    tmrChart_ = makeTimer(this, "TmrChart", 5000);
    tmrRecord_ = makeTimer(this, "TmrRecord", 5000);
    clockTimer_ = makeTimer(this, "RzClockStatus1Timer", 1000);
    connect(tmrHome_, &QTimer::timeout, this, &TFmHome::TmrHomeTimer);
    connect(clockTimer_, &QTimer::timeout, this, &TFmHome::updateClock);
    ButtonImage << selectedButtonMarker();

    // 1. Nothing has been printed automatically yet.
    lastAutoPrint_ = QDateTime();

    // 2. Ctrl+A opens the title window from every window of the program. (A hot key
    // seen while another program has the focus would need the platform's global
    // hot-key service; an application-wide shortcut is what this toolkit offers.)
    auto *titleKey = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_A), this);
    titleKey->setObjectName(QStringLiteral("HotKeyTitle"));
    titleKey->setContext(Qt::ApplicationShortcut);
    connect(titleKey, &QShortcut::activated, this, [this] { showWindow(windows_.title); });
    qApp->installEventFilter(new HotKeyPriority(titleKey->key(), this));

    // 3.-5. Tiles, recipe fields, slot numbers and the setting buttons.
    std::array<QWidget *, 31> lamps{};
    for (int panel = 1; panel <= 3; ++panel) {
        panelViews_[panel] = findChild<QWidget *>(QStringLiteral("Panel%1").arg(QLatin1Char(kPanelLetters[panel])));
        panelViews_[panel]->setAccessibleName(QStringLiteral("盤面-%1").arg(panel));
        for (int slot = 1; slot <= 10; ++slot) {
            TController *tile = findChild<TController *>(panelChildName("Controller", panel, slot));
            tiles_[panel][slot] = tile;
            recipes_[panel][slot] = findChild<QLineEdit *>(panelChildName("TxtRecipe", panel, slot));
            lamps[ScanLamps::lampIndex(panel, slot)] =
                findChild<QWidget *>(QStringLiteral("Shape%1").arg(ScanLamps::lampIndex(panel, slot)));
            tile->setSlotNumber(slot);
            connect(tile, &TController::settingButtonReleased, this,
                    [this, tile] { ControllerA1BtnSETMouseUp(tile); });
        }
    }
    scanLamps_.attach(lamps);
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
    connectControls();

    // 6. The engine arrives created and suspended; only its display changes are wired.
    connectEngine();

    // 7. Caption and the page-button pictures. A missing picture is told once and the
    // button shows its name instead, so an incomplete installation still runs.
    setWindowTitle(QStringLiteral("溫度監控-->監控畫面"));
    pictures_.checkAll();
    showPageButtonPictures(1);

    // 8. The monitoring page in front, showing panel 1.
    showPage("Panel1");
    selectPanel(1);

    // 9. The first trend-chart button and the alarm record button get the same mark
    // once the trend and alarm pages have their buttons.

    // 10. Copying the alarm settings table into the slot records joins here with the
    // alarm tables.

    // 11. The folder the recipe files are saved in.
    const QString recipeFolder = ensureRecipeFolder(QCoreApplication::applicationDirPath());
    if (recipeFolder.isEmpty())
        qCWarning(lcHome) << "no folder for recipes could be created";

    // 12. The auto-print unit selector and the reset of the alarm counts join here
    // with the alarm page.

    // 13. Recording starts from its defaults until the settings are loaded.
    recordSettings_ = RecordSettings();

    // 14. The bar charts' labels and the choice of panel 1's chart join here with
    // the bar page.

    ui->RzVersionInfoStatus1->setText(
        QStringLiteral("VER %1").arg(QCoreApplication::applicationVersion().isEmpty()
                                         ? QStringLiteral("9.22")
                                         : QCoreApplication::applicationVersion()));
    updateClock();
    clockTimer_->start();
}

TFmHome::~TFmHome() = default;

void TFmHome::setWindows(const HomeWindows &windows)
{
    windows_ = windows;
    if (windows_.barPage) {
        connect(engine_.get(), &TCommController::scanProgress, windows_.barPage, &TFmBarPage::setProgress,
                Qt::QueuedConnection);
        connect(windows_.barPage, &TFmBarPage::scanWindowClosed, this, [this] { chartsReady_ = true; });
    }
    if (windows_.commSetting) {
        connect(windows_.commSetting, &TFmCommSetting::titleApplied, this, [this](const QString &title) {
            setWindowTitle(title);
            QGuiApplication::setApplicationDisplayName(title);
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

QIcon TFmHome::buttonImage(int index) const
{
    return index >= 0 && index < ButtonImage.size() ? ButtonImage.at(index) : QIcon();
}

void TFmHome::connectEngine()
{
    qRegisterMetaType<TileLamps>("TileLamps");
    TCommController *engine = engine_.get();
    connect(engine, &TCommController::tileLampsChanged, this, [this](int panel, int slot, TileLamps lamps) {
        if (TController *target = tile(panel, slot))
            target->setLamps(lamps);
    }, Qt::QueuedConnection);
    connect(engine, &TCommController::scanLampChanged, this,
            [this](int panel, int slot) { scanLamps_.select(panel, slot); }, Qt::QueuedConnection);
    connect(engine, &TCommController::writeRejected, this, &TFmHome::onWriteRejected, Qt::QueuedConnection);
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
        showWindow(windows_.record);
        tmrRecord_->stop();
    }
    if (page->detailPolling)
        model_.setDetailPolling(*page->detailPolling);
    showPageButtonPictures(button);
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
    for (int p = 1; p <= 3; ++p) {
        const bool chosen = p == panel;
        panelViews_[p]->setVisible(chosen);
        setBold(panelButtons_[p], chosen);
        panelButtons_[p]->setIcon(chosen ? buttonImage(0) : QIcon());
    }
    selectedPanel_ = panel;
}

void TFmHome::BtnStartClick()
{
    if (windows_.barPage)
        windows_.barPage->showForScan();
    engine_->start();
    tmrHome_->start();
    if (recordSettings_.Save)
        tmrRecord_->start();
    ui->BtnStart->setEnabled(false);
    ui->BtnScanDP->setEnabled(true);
}

void TFmHome::BtnScanDPClick()
{
    if (windows_.barPage)
        windows_.barPage->showForScan();
    model_.setRescanRequested(true);
}

void TFmHome::BtnDClick() { showWindow(windows_.commSetting); }
void TFmHome::RzBitBtn1Click() { showWindow(windows_.showPawd); }
void TFmHome::RzVersionInfoStatus1Click() { showWindow(windows_.about); }

void TFmHome::RzBitBtn2Click()
{
    // The history viewer is a separate program beside this one; whether it exists is
    // not checked, as the button is never offered.
#ifdef Q_OS_WIN
    const QString viewer = QStringLiteral("HistoryTrend.exe");
#else
    const QString viewer = QStringLiteral("HistoryTrend");
#endif
    QProcess::startDetached(QDir(QCoreApplication::applicationDirPath()).filePath(viewer), {});
}

void TFmHome::TmrHomeTimer()
{
    const unsigned rejected = refreshPanelTiles(model_, selectedPanel_, tiles_[selectedPanel_]);
    if (rejected)
        qCDebug(lcHome) << "panel" << selectedPanel_ << "ID fields kept their old station:" << Qt::hex << rejected;
    if (alarmPrintCheck)
        alarmPrintCheck();
    if (barChartRefresh)
        barChartRefresh();
}

void TFmHome::ControllerA1BtnSETMouseUp(TController *tile)
{
    QWidget *page = windows_.setPage;
    if (!page || !tile)
        return;
    showWindow(page);
    const auto setCaption = [page](const char *name, const QString &text) {
        if (auto *label = page->findChild<QLabel *>(QLatin1String(name)))
            label->setText(text);
    };
    setCaption("LbPanel", QString::number(selectedPanel_));
    setCaption("LbNO", tile->slotNumberText());
    setCaption("LbID", tile->idText());
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
    SettingsForms forms;
    forms.home = this;
    forms.commSetting = windows_.commSetting;
    // The chart and recording dialogs join the walk once they have their controls.
    SettingsHooks hooks;
    hooks.setStationId = [this](int panel, int slot, int id) { model_.setStationId(panel, slot, id); };
    hooks.applyCommSetting = [this] {
        if (windows_.commSetting)
            windows_.commSetting->applyOk();
    };
    hooks.reportError = [this](const QString &text) { reportError(text); };
    LoadSettings(store_, forms, hooks);
    // Recording begins only when monitoring is started.
    tmrRecord_->stop();
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
    SettingsForms forms;
    forms.home = this;
    forms.commSetting = windows_.commSetting;
    SettingsHooks hooks;
    hooks.reportError = [this](const QString &text) { reportError(text); };
    // A failed save has been told to the operator; closing goes on regardless, as a
    // window that cannot be closed would be worse than settings not kept.
    SaveSettings(store_, forms, hooks);
    tmrChart_->stop();
    tmrRecord_->stop();
    tmrHome_->stop();
    // No waiting here: the engine's destructor waits only for the transaction in flight.
    engine_->requestStop();
    emit shutDown();
}

void TFmHome::updateClock()
{
    ui->RzClockStatus1->setText(QDateTime::currentDateTime().toString(QStringLiteral("yyyy/M/d HH:mm:ss")));
}

void TFmHome::reportError(const QString &text)
{
    boxes_.show(this, QStringLiteral("錯誤"), text, MessageBoxes::Icon::Error);
}

void TFmHome::showWindow(QWidget *window)
{
    if (!window)
        return;
    window->show();
    window->raise();
    window->activateWindow();
}

void TFmHome::onWriteRejected(int panel, int slot, int code, const QString &valueText, const QString &reason)
{
    boxes_.show(this, QStringLiteral("錯誤"),
                QStringLiteral("盤面%1 溫控點%2 的參數 (代碼 %3) 未寫入：數值「%4」%5")
                    .arg(panel)
                    .arg(slot)
                    .arg(code)
                    .arg(valueText, reason),
                MessageBoxes::Icon::Error);
}
