#pragma once

// The main window: the engine's host, the five pages and their buttons, the thirty
// controller tiles with their scan lamps, and the start-up and shutdown order. The
// engine's events reach it through the program's wiring, which calls the handlers
// below on this window's thread, one at a time and in the engine's order.

#include "appservices.h"
#include "displaytick.h"
#include "pagebuttonpictures.h"
#include "plantview.h"
#include "recorder.h"
#include "scanlamps.h"
#include "settingssection.h"
#include "tcommcontroller.h"

#include <QIcon>
#include <QWidget>

#include <array>
#include <memory>
#include <vector>

class AlarmPage;
class BarChartPage;
class QAbstractButton;
class QLineEdit;
class QTimer;
class RecipePage;
class TController;
class TFmAddAlarm;
class TFmAlmDlg;
class TFmBarPage;
class TFmModifyAlarm;
class TFmCommSetting;
class TFmRecord;
class TFmSetPage;
class TFmWriting;
class TrendPage;

namespace Ui {
class TFmHome;
}

// The windows the main window opens. They are created after it (the entry keeps the
// start-up order), so they are handed over once they exist.
struct HomeWindows {
    TFmCommSetting *commSetting = nullptr; // FmCommSetting
    TFmSetPage *setPage = nullptr;         // FmSetPage
    TFmBarPage *barPage = nullptr;         // FmBarPage
    QWidget *chartSetting = nullptr;       // FmChartSetting
    TFmAddAlarm *addAlarm = nullptr;       // FmAddAlarm
    TFmModifyAlarm *modifyAlarm = nullptr; // FmModifyAlarm
    TFmAlmDlg *almDlg = nullptr;           // FmAlmDlg
    TFmRecord *record = nullptr;           // FmRecord
    QWidget *showPawd = nullptr;           // Fmshowpawd
    QWidget *about = nullptr;              // Form2
    QWidget *title = nullptr;              // FmTitle
    TFmWriting *writing = nullptr;         // FmWriting
};

struct RejectedWrite;

class TFmHome : public QWidget {
    Q_OBJECT
public:
    TFmHome(const AppServices &services, std::unique_ptr<TCommController> engine,
            QWidget *parent = nullptr);
    ~TFmHome() override;

    void setWindows(const HomeWindows &windows);
    const HomeWindows &windows() const { return windows_; }

    // Takes the page-button pictures from another folder than the program's own and
    // redraws the buttons for the page in front.
    void usePictureFolder(const QString &folder);

    int SelectedPanel() const { return selectedPanel_; }
    bool ChartsReady() const { return chartsReady_; }
    Recorder &recorder() const { return *recorder_; }
    TCommController &engine() { return *engine_; }
    // Where recipe files are kept; empty when no folder could be made.
    QString recipeFolder() const { return recipeFolder_; }

    TController *tile(int panel, int slot) const;
    QLineEdit *recipeField(int panel, int slot) const;
    TrendPage *trendPage() const;
    BarChartPage *barChartPage() const;
    AlarmPage *alarmPage() const;
    RecipePage *recipePage() const;
    // ButtonImage: the first picture marks the selected panel, chart and alarm buttons.
    QIcon buttonImage(int index) const;
    const ScanLamps &scanLamps() const { return scanLamps_; }
    QTimer *TmrHome() const { return tmrHome_; }
    QTimer *TmrChart() const { return tmrChart_; }

    // The screen lock of all thirty tiles (their ID fields and setting buttons).
    void setTilesLocked(bool locked);
    // The company name at the top of the window, its left edge at `left`.
    void setCompanyTitle(const QString &title, int left);
    QString companyTitle() const;

    // The monitoring page in front with its caption and pictures, as the recording
    // dialog leaves the window; the engine's detail polling is not touched.
    void showMonitoringPage();

    // What the engine reports that this window shows: the scan lamps, the scan
    // window's progress, a write the engine refused. Alarms go to the AlarmLog.
    void onScanLamp(int panel, int slot);
    void onScanProgress(int panel, int position);
    void onWriteRejected(const RejectedWrite &write);

signals:
    // Shutdown has run: settings saved, timers off, engine told to stop.
    void shutDown();

public slots:
    void ImgButton1Click();
    void ImgButton2Click();
    void ImgButton3Click();
    void ImgButton4Click();
    void ImgButton5Click();
    void ImgButton6Click();
    void BtnAClick();
    void BtnBClick();
    void BtnCClick();
    void BtnStartClick();
    void BtnScanDPClick();
    void BtnDClick();
    void RzBitBtn1Click();
    void RzBitBtn2Click();
    void RzVersionInfoStatus1Click();
    void TmrHomeTimer();
    void ControllerA1BtnSETMouseUp(TController *tile);
    void FormShow();
    void FormClose();
    // The controls saved to the store, once a run: by the close, or by the end of the
    // desktop session (a logout, a shutdown) when that comes first.
    void saveSettings();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    // What the outward views show: the tick's readings, the titles, the caption.
    PlantView plantView(const std::array<ReadingsSnapshot, kPanelCount + 1> &readings, bool monitoring) const;

    void setUpTiles();
    void setUpPageButtons();
    void connectControls();
    void pageButtonClick(int button);
    void showPage(const char *pageName);
    void showPageButtonPictures(int pressedButton);
    void selectPanel(int panel);
    void updateClock();
    void reportError(const QString &text);
    // This window's settings section and those of the dialogs it applies at start-up.

    std::unique_ptr<Ui::TFmHome> ui;
    AppServices services_;
    PlantModel &model_;
    std::unique_ptr<TCommController> engine_;
    HomeWindows windows_;

    std::array<PanelTiles, kPanelCount + 1> tiles_{};                                  // [panel][slot]
    std::array<std::array<QLineEdit *, kSlotCount + 1>, kPanelCount + 1> recipes_{}; // [panel][slot]
    std::array<QWidget *, kPanelCount + 1> panelViews_{};                              // PanelA..PanelC
    std::array<QAbstractButton *, kPanelCount + 1> panelButtons_{};                    // BtnA..BtnC
    std::array<QAbstractButton *, 7> pageButtons_{};                                   // ImgButton1..6
    ScanLamps scanLamps_;
    PageButtonPictures pictures_;
    QList<QIcon> ButtonImage;
    QString recipeFolder_;

    QTimer *tmrHome_ = nullptr;
    QTimer *tmrChart_ = nullptr;
    QTimer *clockTimer_ = nullptr;

    int pressedPageButton_ = 1;
    int selectedPanel_ = 1;
    bool chartsReady_ = false;
    bool shown_ = false;
    bool closed_ = false;
    bool settingsSaved_ = false;
    Recorder *recorder_; // a child, with TmrRecord below it
};
