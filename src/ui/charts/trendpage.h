#pragma once

// The trend page of the main window (Panel2): one chart per panel of PV and SV of
// the ten slots against the sample number, sampled on the main window's TmrChart
// once the first controller scan is over, started, stopped and cleared by the
// operator, and printed from the chart in front.

#include "panels.h"

#include <QIcon>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>

class ChartView;
class Clock;
class LocaleFormats;
class MessageBoxes;
class PlantModel;
class PrintDialogs;
class QAbstractButton;
class QPrinter;
class QTimer;
struct AppServices;

namespace Ui {
class TrendPage;
}

class TrendPage : public QWidget {
    Q_OBJECT
public:
    explicit TrendPage(QWidget *parent = nullptr);
    ~TrendPage() override;

    // What the page works with, handed over by the main window that holds it:
    // the services, the sampling timer, whether sampling is allowed yet, and the
    // picture that marks the selected chart button.
    void attach(const AppServices &services, QTimer *sampleTimer, std::function<bool()> chartsReady,
                const QIcon &selectedMark);
    // The chart settings dialog, FmChartSetting, which is created after the main window.
    void setChartSettingWindow(QWidget *dialog);

    ChartView *chart(int panel) const; // ChartA..ChartC; nullptr outside 1..3
    // The chart the print button prints: the first of ChartA, ChartB, ChartC whose
    // page is shown; nullptr when none is.
    ChartView *chartToPrint() const;
    int frontPanel() const { return frontPanel_; }

    // PointLimit of the panel: the largest sample number its chart may reach before
    // its oldest points are dropped. 0 until the chart dialog's OK first runs.
    int PointLimit(int panel) const;
    void setPointLimit(int panel, int limit);

public Q_SLOTS:
    void TmrChartTimer();
    void BtnChtStartClick();
    void BtnChtStopClick();
    void BtnChtClearClick();
    void BtnChartAClick();
    void BtnChartBClick();
    void BtnChartCClick();
    void BtnChartSettingClick();
    void BtnChartPrintClick();

private:
    void setUpChart(int panel);
    void selectChart(int panel);
    void clearCharts();
    QWidget *chartPage(int panel) const;
    QAbstractButton *chartButton(int panel) const;

    std::unique_ptr<Ui::TrendPage> ui;
    PlantModel *model_ = nullptr;
    const Clock *clock_ = nullptr;
    const LocaleFormats *locale_ = nullptr;
    MessageBoxes *boxes_ = nullptr;
    QPrinter *printer_ = nullptr;
    PrintDialogs *printDialogs_ = nullptr;
    QTimer *tmrChart_ = nullptr;
    std::function<bool()> chartsReady_;
    QIcon selectedMark_;
    QWidget *chartSetting_ = nullptr;
    std::array<int, kPanelCount + 1> pointLimit_{}; // index 0 unused
    int frontPanel_ = 1;
};
