#include "barchartpage.h"

#include "ui_barchartpage.h"

#include "chartview.h"
#include "panelswitch.h"
#include "skyblue.h"
#include "trendsampling.h"

#include <array>

namespace {

// Every bar has a colour of its own, by slot.
const std::array<QColor, kSlotCount + 1> kBarColours{{
    {},
    QColor(255, 0, 0),
    QColor(128, 0, 0),
    QColor(0, 128, 0),
    QColor(128, 128, 0),
    QColor(0, 0, 128),
    QColor(128, 0, 128),
    QColor(0, 128, 128),
    QColor(255, 0, 255),
    QColor(0, 255, 255),
    QColor(192, 220, 192),
}};

constexpr int kPvSeries = 0;

} // namespace

BarChartPage::BarChartPage(QWidget *parent) : QWidget(parent), ui(std::make_unique<Ui::BarChartPage>())
{
    ui->setupUi(this);
    for (int panel = 1; panel <= kPanelCount; ++panel)
        setUpChart(panel);
    connect(ui->BtnBar1, &QAbstractButton::clicked, this, &BarChartPage::BtnBar1Click);
    connect(ui->BtnBar2, &QAbstractButton::clicked, this, &BarChartPage::BtnBar2Click);
    connect(ui->BtnBar3, &QAbstractButton::clicked, this, &BarChartPage::BtnBar3Click);
}

BarChartPage::~BarChartPage() = default;

void BarChartPage::setUpChart(int panel)
{
    ChartView *view = chart(panel);
    QFont title(QStringLiteral("新細明體"));
    title.setPixelSize(24);
    title.setBold(true);
    QFont axis(QStringLiteral("Arial"));
    axis.setPixelSize(12);
    view->setBackground(skyBlue());
    view->setAxisText(axis, Qt::black);
    view->setTitle(QStringLiteral("盤面%1-直條圖").arg(panel), title, Qt::blue);
    view->setLabelCount(0); // every bar carries its label
    view->addBarSeries(QStringLiteral("PV"), true);
    for (int slot = 1; slot <= kSlotCount; ++slot)
        view->appendPoint(kPvSeries, slot, 0, QStringLiteral("PV%1").arg(slot), kBarColours[slot]);
    barPage(panel)->setAccessibleName(view->title());
    view->setAccessibleName(view->title());
}

void BarChartPage::attach(const QIcon &selectedMark)
{
    selectedMark_ = selectedMark;
    BtnBar1Click();
}

ChartView *BarChartPage::chart(int panel) const
{
    switch (panel) {
    case 1: return ui->BarChart1;
    case 2: return ui->BarChart2;
    case 3: return ui->BarChart3;
    default: return nullptr;
    }
}

QWidget *BarChartPage::barPage(int panel) const
{
    QWidget *const pages[] = {nullptr, ui->BarPanel1, ui->BarPanel2, ui->BarPanel3};
    return pages[panel];
}

QAbstractButton *BarChartPage::barButton(int panel) const
{
    QAbstractButton *const buttons[] = {nullptr, ui->BtnBar1, ui->BtnBar2, ui->BtnBar3};
    return buttons[panel];
}

void BarChartPage::refresh(const std::array<ReadingsSnapshot, kPanelCount + 1> &readings)
{
    for (int panel = 1; panel <= kPanelCount; ++panel) {
        ChartView *view = chart(panel);
        for (int slot = 1; slot <= kSlotCount; ++slot)
            view->setPointValue(kPvSeries, slot - 1, chartValue(readings[panel].slotSnapshots[slot].pv));
    }
}

void BarChartPage::BtnBar1Click() { showPanel(1); }
void BarChartPage::BtnBar2Click() { showPanel(2); }
void BarChartPage::BtnBar3Click() { showPanel(3); }

void BarChartPage::showPanel(int panel)
{
    for (int p = 1; p <= kPanelCount; ++p)
        barPage(p)->setVisible(p == panel);
    markChosenButton({barButton(1), barButton(2), barButton(3)}, barButton(panel), selectedMark_);
    shownPanel_ = panel;
}
