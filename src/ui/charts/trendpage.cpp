#include "trendpage.h"

#include "ui_trendpage.h"

#include "bringtofront.h"
#include "appservices.h"
#include "chartview.h"
#include "clock.h"
#include "localeformats.h"
#include "messageboxes.h"
#include "panelswitch.h"
#include "plantmodel.h"
#include "printdialogs.h"
#include "trendsampling.h"

#include <QPageLayout>
#include <QPrinter>
#include <QTimer>

namespace {

// Both series of a slot are drawn in the slot's colour.
const std::array<QColor, kSlotCount + 1> kSlotColours{{
    {},
    QColor(255, 0, 0),
    QColor(0, 128, 0),
    QColor(128, 255, 0),
    QColor(0, 255, 255),
    QColor(0, 128, 192),
    QColor(128, 128, 192),
    QColor(255, 0, 255),
    QColor(128, 64, 64),
    QColor(255, 128, 64),
    QColor(0, 128, 128),
}};

// The print rectangle, in printer units, inside the printable area.
constexpr int kPrintLeft = 100;
constexpr int kPrintTop = 10;
constexpr int kPrintRightGap = 150;
constexpr int kPrintBottomGap = 100;

QFont titleFont()
{
    QFont font(QStringLiteral("新細明體"));
    font.setPixelSize(24);
    font.setBold(true);
    return font;
}

QFont axisFont()
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(11);
    return font;
}

} // namespace

TrendPage::TrendPage(QWidget *parent) : QWidget(parent), ui(std::make_unique<Ui::TrendPage>())
{
    ui->setupUi(this);
    for (int panel = 1; panel <= kPanelCount; ++panel)
        setUpChart(panel);
    setBold(ui->BtnChtStart, false);
    setBold(ui->BtnChtStop, true);

    connect(ui->BtnChtStart, &QAbstractButton::clicked, this, &TrendPage::BtnChtStartClick);
    connect(ui->BtnChtStop, &QAbstractButton::clicked, this, &TrendPage::BtnChtStopClick);
    connect(ui->BtnChtClear, &QAbstractButton::clicked, this, &TrendPage::BtnChtClearClick);
    connect(ui->BtnChartA, &QAbstractButton::clicked, this, &TrendPage::BtnChartAClick);
    connect(ui->BtnChartB, &QAbstractButton::clicked, this, &TrendPage::BtnChartBClick);
    connect(ui->BtnChartC, &QAbstractButton::clicked, this, &TrendPage::BtnChartCClick);
    connect(ui->BtnChartSetting, &QAbstractButton::clicked, this, &TrendPage::BtnChartSettingClick);
    connect(ui->BtnChartPrint, &QAbstractButton::clicked, this, &TrendPage::BtnChartPrintClick);

    // All three pages are shown at first, panel 1's on top; only the one on top is
    // redrawn while the others lie under it.
    ui->PnlChartA->raise();
    for (int panel = 1; panel <= kPanelCount; ++panel)
        chart(panel)->setInFront(panel == 1);
}

TrendPage::~TrendPage() = default;

void TrendPage::setUpChart(int panel)
{
    ChartView *view = chart(panel);
    view->setBackground(Qt::black);
    view->setAxisText(axisFont(), Qt::white);
    view->setTitle(QStringLiteral("盤面%1-曲線圖").arg(panel), titleFont(), Qt::blue);
    view->setLegendShown(true);
    view->setTopAxisLabelled(true);
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        const QString number = QStringLiteral("%1").arg(slot, 2, 10, QLatin1Char('0'));
        view->addLineSeries(QStringLiteral("PV") + number, kSlotColours[slot], Qt::SolidLine);
        view->addLineSeries(QStringLiteral("SV") + number, kSlotColours[slot], Qt::DashDotDotLine);
    }
    chartPage(panel)->setAccessibleName(view->title());
    view->setAccessibleName(view->title());
}

void TrendPage::attach(const AppServices &services, QTimer *sampleTimer, std::function<bool()> chartsReady,
                       const QIcon &selectedMark)
{
    model_ = &services.model;
    clock_ = &services.clock;
    locale_ = &services.locale;
    boxes_ = &services.boxes;
    printer_ = &services.printer;
    printDialogs_ = &services.printDialogs;
    tmrChart_ = sampleTimer;
    chartsReady_ = std::move(chartsReady);
    selectedMark_ = selectedMark;
    // The mark of the first chart button is set as the main window is made.
    markChosenButton({chartButton(1), chartButton(2), chartButton(3)}, chartButton(frontPanel_), selectedMark_);
}

void TrendPage::setChartSettingWindow(QWidget *dialog)
{
    chartSetting_ = dialog;
}

ChartView *TrendPage::chart(int panel) const
{
    switch (panel) {
    case 1: return ui->ChartA;
    case 2: return ui->ChartB;
    case 3: return ui->ChartC;
    default: return nullptr;
    }
}

QWidget *TrendPage::chartPage(int panel) const
{
    QWidget *const pages[] = {nullptr, ui->PnlChartA, ui->PnlChartB, ui->PnlChartC};
    return pages[panel];
}

QAbstractButton *TrendPage::chartButton(int panel) const
{
    QAbstractButton *const buttons[] = {nullptr, ui->BtnChartA, ui->BtnChartB, ui->BtnChartC};
    return buttons[panel];
}

ChartView *TrendPage::chartToPrint() const
{
    for (int panel = 1; panel <= kPanelCount; ++panel) {
        if (chartPage(panel)->isVisibleTo(this))
            return chart(panel);
    }
    return nullptr;
}

int TrendPage::PointLimit(int panel) const
{
    return PlantModel::validPanel(panel) ? pointLimit_[panel] : 0;
}

void TrendPage::setPointLimit(int panel, int limit)
{
    if (PlantModel::validPanel(panel))
        pointLimit_[panel] = limit;
}

void TrendPage::TmrChartTimer()
{
    if (!model_)
        return;
    const QString timeText = locale_->longTime(clock_->now().time());
    if (!chartsReady_ || !chartsReady_())
        return;
    for (int panel = 1; panel <= kPanelCount; ++panel)
        sampleTrend(*chart(panel), pointLimit_[panel], model_->readingsSnapshot(panel), timeText);
}

void TrendPage::BtnChtStartClick()
{
    setBold(ui->BtnChtStart, true);
    setBold(ui->BtnChtStop, false);
    if (tmrChart_)
        tmrChart_->start();
}

void TrendPage::BtnChtStopClick()
{
    setBold(ui->BtnChtStart, false);
    setBold(ui->BtnChtStop, true);
    if (tmrChart_)
        tmrChart_->stop();
    clearCharts();
}

void TrendPage::BtnChtClearClick()
{
    clearCharts();
}

void TrendPage::clearCharts()
{
    for (int panel = 1; panel <= kPanelCount; ++panel) {
        for (int series = 0; series < kTrendSeriesCount; ++series)
            chart(panel)->clearSeries(series);
    }
}

void TrendPage::BtnChartAClick() { selectChart(1); }
void TrendPage::BtnChartBClick() { selectChart(2); }
void TrendPage::BtnChartCClick() { selectChart(3); }

void TrendPage::selectChart(int panel)
{
    for (int p = 1; p <= kPanelCount; ++p) {
        const bool chosen = p == panel;
        chartPage(p)->setVisible(chosen);
        chart(p)->setInFront(chosen);
    }
    markChosenButton({chartButton(1), chartButton(2), chartButton(3)}, chartButton(panel), selectedMark_);
    chartPage(panel)->raise();
    frontPanel_ = panel;
}

void TrendPage::BtnChartSettingClick()
{
    if (!chartSetting_)
        return;
    // Opened over the main window; one already open stays where the operator put it.
    if (!chartSetting_->isVisible()) {
        const QRect home = window()->frameGeometry();
        chartSetting_->move(home.center() - QPoint(chartSetting_->width() / 2, chartSetting_->height() / 2));
    }
    bringToFront(chartSetting_);
}

void TrendPage::BtnChartPrintClick()
{
    ChartView *view = chartToPrint();
    if (!view || !printer_ || !printDialogs_)
        return;
    if (!printDialogs_->choosePrinter(this, *printer_))
        return;
    QPrinter &printer = *printer_;
    const QPageLayout::Orientation remembered = printer.pageLayout().orientation();
    printer.setPageOrientation(QPageLayout::Landscape);
    const QRect area(kPrintLeft, kPrintTop, printer.width() - kPrintRightGap - kPrintLeft,
                     printer.height() - kPrintBottomGap - kPrintTop);
    const bool printed = view->drawInto(printer, area);
    printer.setPageOrientation(remembered);
    if (!printed && boxes_)
        boxes_->show(this, QStringLiteral("錯誤"), QStringLiteral("無法列印曲線圖：印表機無法使用。"),
                     MessageBoxes::Icon::Error);
}
