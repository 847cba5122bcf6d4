#pragma once

// The main window: the engine's host, the five pages and their buttons, the thirty
// controller tiles with their scan lamps, and the start-up and shutdown order.

#include "displaytick.h"
#include "pagebuttonpictures.h"
#include "recordsettings.h"
#include "scanlamps.h"
#include "tcommcontroller.h"

#include <QDateTime>
#include <QIcon>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>

class MessageBoxes;
class PlantModel;
class QAbstractButton;
class QLineEdit;
class QTimer;
class SettingsStore;
class TController;
class TFmBarPage;
class TFmCommSetting;

namespace Ui {
class TFmHome;
}

// The windows the main window opens. They are created after it (the entry keeps the
// start-up order), so they are handed over once they exist.
struct HomeWindows {
    TFmCommSetting *commSetting = nullptr; // FmCommSetting
    QWidget *setPage = nullptr;            // FmSetPage, with labels LbPanel, LbNO, LbID
    TFmBarPage *barPage = nullptr;         // FmBarPage
    QWidget *chartSetting = nullptr;       // FmChartSetting
    QWidget *almDlg = nullptr;             // FmAlmDlg
    QWidget *record = nullptr;             // FmRecord
    QWidget *showPawd = nullptr;           // Fmshowpawd
    QWidget *about = nullptr;              // Form2
    QWidget *title = nullptr;              // FmTitle
};

class TFmHome : public QWidget {
    Q_OBJECT
public:
    TFmHome(PlantModel &model, std::unique_ptr<TCommController> engine, SettingsStore &store,
            MessageBoxes &boxes, QWidget *parent = nullptr);
    ~TFmHome() override;

    void setWindows(const HomeWindows &windows);

    // Takes the page-button pictures from another folder than the program's own and
    // redraws the buttons for the page in front.
    void usePictureFolder(const QString &folder);
    const HomeWindows &windows() const { return windows_; }

    int SelectedPanel() const { return selectedPanel_; }
    bool ChartsReady() const { return chartsReady_; }
    RecordSettings &recordSettings() { return recordSettings_; }
    TCommController &engine() { return *engine_; }

    TController *tile(int panel, int slot) const;
    QLineEdit *recipeField(int panel, int slot) const;
    // ButtonImage: the first picture marks the selected panel, chart and alarm buttons.
    QIcon buttonImage(int index) const;
    const ScanLamps &scanLamps() const { return scanLamps_; }
    QTimer *TmrHome() const { return tmrHome_; }
    QTimer *TmrChart() const { return tmrChart_; }
    QTimer *TmrRecord() const { return tmrRecord_; }

    // Later parts of the display tick, run after the tiles in this order.
    std::function<void()> alarmPrintCheck;
    std::function<void()> barChartRefresh;

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

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void connectEngine();
    void connectControls();
    void pageButtonClick(int button);
    void showPage(const char *pageName);
    void showPageButtonPictures(int pressedButton);
    void selectPanel(int panel);
    void updateClock();
    void reportError(const QString &text);
    void showWindow(QWidget *window);
    void onWriteRejected(int panel, int slot, int code, const QString &valueText,
                         const QString &reason);

    std::unique_ptr<Ui::TFmHome> ui;
    PlantModel &model_;
    std::unique_ptr<TCommController> engine_;
    SettingsStore &store_;
    MessageBoxes &boxes_;
    HomeWindows windows_;

    std::array<PanelTiles, 4> tiles_{};                      // [panel][slot], 1-based
    std::array<std::array<QLineEdit *, 11>, 4> recipes_{};   // [panel][slot], 1-based
    std::array<QWidget *, 4> panelViews_{};                  // PanelA..PanelC
    std::array<QAbstractButton *, 4> panelButtons_{};        // BtnA..BtnC
    std::array<QAbstractButton *, 7> pageButtons_{};         // ImgButton1..6
    ScanLamps scanLamps_;
    PageButtonPictures pictures_;
    QList<QIcon> ButtonImage;

    QTimer *tmrHome_ = nullptr;
    QTimer *tmrChart_ = nullptr;
    QTimer *tmrRecord_ = nullptr;
    QTimer *clockTimer_ = nullptr;

    int pressedPageButton_ = 1;
    int selectedPanel_ = 1;
    bool chartsReady_ = false;
    bool shown_ = false;
    bool closed_ = false;
    RecordSettings recordSettings_;
    QDateTime lastAutoPrint_;
};
