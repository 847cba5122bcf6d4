#include "tfmchartsetting.h"

#include "ui_tfmchartsetting.h"

#include "chartsettingcheck.h"
#include "chartview.h"
#include "messageboxes.h"
#include "pointcountfield.h"
#include "settingscontrols.h"
#include "trendpage.h"
#include "trendsampling.h"

#include <QShowEvent>
#include <QTimer>

namespace {

constexpr int kLargestPointCount = 3600;

QString decimalText(double value)
{
    return QString::number(value, 'g', 15);
}

} // namespace

TFmChartSetting::TFmChartSetting(TrendPage &trends, QTimer &sampleTimer, MessageBoxes &boxes, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint),
      trends_(trends),
      sampleTimer_(sampleTimer),
      boxes_(boxes),
      ui(std::make_unique<Ui::TFmChartSetting>())
{
    ui->setupUi(this);
    setObjectName(QStringLiteral("FmChartSetting"));
    setWindowTitle(QStringLiteral("曲線圖設定"));
    setModal(false);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setFixedSize(size());

    QFont titleFont(QStringLiteral("標楷體"));
    titleFont.setPixelSize(20);
    titleFont.setBold(true);
    ui->LabTitle->setFont(titleFont);

    for (int panel = 1; panel <= kPanelCount; ++panel) {
        const PanelControls c = controls(panel);
        c.points->setRange(1, kLargestPointCount);
        c.points->editor()->setAccessibleName(c.points->objectName());
        for (QWidget *control : std::initializer_list<QWidget *>{c.min, c.max})
            control->setAccessibleName(control->objectName());
    }
    ui->TxtChtSample->setAccessibleName(ui->TxtChtSample->objectName());
    ui->PageControl->setAccessibleName(ui->PageControl->objectName());

    connect(ui->BtnChtSetingOk, &QPushButton::clicked, this, &TFmChartSetting::BtnChtSetingOkClick);
    connect(ui->BtnChtSetingCancel, &QPushButton::clicked, this, &TFmChartSetting::BtnChtSetingCancelClick);
    connect(ui->RdoAutoA, &QRadioButton::clicked, this, &TFmChartSetting::RdoAutoAClick);
    connect(ui->RdoAutoB, &QRadioButton::clicked, this, &TFmChartSetting::RdoAutoBClick);
    connect(ui->RdoAutoC, &QRadioButton::clicked, this, &TFmChartSetting::RdoAutoCClick);
    connect(ui->RdoLimitA, &QRadioButton::clicked, this, &TFmChartSetting::RdoLimitAClick);
    connect(ui->RdoLimitB, &QRadioButton::clicked, this, &TFmChartSetting::RdoLimitBClick);
    connect(ui->RdoLimitC, &QRadioButton::clicked, this, &TFmChartSetting::RdoLimitCClick);
}

TFmChartSetting::~TFmChartSetting() = default;

TFmChartSetting::PanelControls TFmChartSetting::controls(int panel) const
{
    switch (panel) {
    case 1: return {ui->ChtAMax, ui->RdoAutoA, ui->RdoLimitA, ui->TxtYminA, ui->TxtYmaxA, ui->Chk3DA, ui->ChkSV1};
    case 2: return {ui->ChtBMax, ui->RdoAutoB, ui->RdoLimitB, ui->TxtYminB, ui->TxtYmaxB, ui->Chk3DB, ui->ChkSV2};
    default: return {ui->ChtCMax, ui->RdoAutoC, ui->RdoLimitC, ui->TxtYminC, ui->TxtYmaxC, ui->Chk3DC, ui->ChkSV3};
    }
}

void TFmChartSetting::enableLimits(int panel, bool enabled)
{
    const PanelControls c = controls(panel);
    c.min->setEnabled(enabled);
    c.max->setEnabled(enabled);
}

SettingsSection TFmChartSetting::settingsSection()
{
    SettingsSection section{QStringLiteral("FmChartSetting"), {}, [this] { applyOk(); }};
    auto &values = section.values;
    // Each value runs over the three panels before the next begins, as the store lists them.
    const auto perPanel = [this, &values](const std::function<SettingValue(int, const PanelControls &)> &value) {
        for (int panel = 1; panel <= kPanelCount; ++panel)
            values.push_back(value(panel, controls(panel)));
    };
    const auto name = [](const char *pattern, int panel) {
        return QString::fromLatin1(pattern).arg(panelLetter(panel));
    };
    perPanel([&](int p, const PanelControls &c) { return radioSetting(name("RdoAuto%1", p), c.automatic, true); });
    perPanel([&](int p, const PanelControls &c) { return radioSetting(name("RdoLimit%1", p), c.limits, false); });
    perPanel([&](int p, const PanelControls &c) { return textSetting(name("TxtYmin%1", p), c.min, QStringLiteral("0")); });
    perPanel([&](int p, const PanelControls &c) { return textSetting(name("TxtYmax%1", p), c.max, QStringLiteral("600")); });
    perPanel([&](int p, const PanelControls &c) { return flagSetting(name("Chk3D%1", p), c.depth, false); });
    perPanel([](int p, const PanelControls &c) { return flagSetting(QStringLiteral("ChkSV%1").arg(p), c.sv, false); });
    values.push_back(textSetting(QStringLiteral("TxtChtSample"), ui->TxtChtSample, QStringLiteral("5")));
    // The point counts are kept under the names of the fields they once were.
    perPanel([&](int p, const PanelControls &c) { return textSetting(name("TxtCht%1Max", p), c.points, QStringLiteral("1000")); });
    return section;
}

void TFmChartSetting::RdoAutoAClick() { enableLimits(1, false); }
void TFmChartSetting::RdoAutoBClick() { enableLimits(2, false); }
void TFmChartSetting::RdoAutoCClick() { enableLimits(3, false); }
void TFmChartSetting::RdoLimitAClick() { enableLimits(1, true); }
void TFmChartSetting::RdoLimitBClick() { enableLimits(2, true); }
void TFmChartSetting::RdoLimitCClick() { enableLimits(3, true); }

void TFmChartSetting::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // A window restored by the system is not a new showing.
    if (!event->spontaneous())
        FormShow();
}

void TFmChartSetting::FormShow()
{
    for (int panel = 1; panel <= kPanelCount; ++panel) {
        const PanelControls c = controls(panel);
        const ChartView *chart = trends_.chart(panel);
        const AxisRange range = chart->leftAxisRange();
        c.min->setText(decimalText(range.min));
        c.max->setText(decimalText(range.max));
        c.depth->setChecked(chart->is3D());
        const bool automatic = chart->leftAxisAutomatic();
        c.automatic->setChecked(automatic);
        c.limits->setChecked(!automatic);
        enableLimits(panel, !automatic);
    }
    for (int panel = 1; panel <= kPanelCount; ++panel)
        controls(panel).sv->setChecked(trends_.chart(panel)->isSeriesVisible(svSeries(1)));
    ui->TxtChtSample->setText(QString::number(sampleTimer_.interval() / 1000));
}

bool TFmChartSetting::applyOk()
{
    ChartSettingTexts texts;
    texts.sampleTime = ui->TxtChtSample->text();
    for (int panel = 1; panel <= kPanelCount; ++panel) {
        const PanelControls c = controls(panel);
        texts.axes[panel] = {c.automatic->isChecked(), c.min->text(), c.max->text()};
    }
    const auto checked = checkChartSettings(texts);
    if (const auto *refusal = std::get_if<ChartSettingRefusal>(&checked)) {
        boxes_.show(this, refusal->caption, refusal->text,
                    refusal->information ? MessageBoxes::Icon::Information : MessageBoxes::Icon::Error);
        if (refusal->resetsSampleTime)
            ui->TxtChtSample->setText(QStringLiteral("5"));
        // Where the refused text is, so the operator can mend it at once.
        QLineEdit *field = ui->TxtChtSample;
        if (refusal->panel > 0) {
            ui->PageControl->setCurrentIndex(refusal->panel - 1);
            const PanelControls c = controls(refusal->panel);
            field = refusal->field == ChartSettingRefusal::Field::Ymax ? c.max : c.min;
        }
        field->setFocus();
        field->selectAll();
        return false;
    }
    const ChartSettingValues &values = std::get<ChartSettingValues>(checked);

    for (int panel = 1; panel <= kPanelCount; ++panel) {
        ChartView *chart = trends_.chart(panel);
        const ChartSettingValues::Axis &axis = values.axes[panel];
        if (axis.automatic)
            chart->setLeftAxisAutomatic();
        else
            chart->setLeftAxisFixed(axis.min, axis.max);
        trends_.setPointLimit(panel, controls(panel).points->value());
    }
    sampleTimer_.setInterval(values.sampleSeconds * 1000);
    hide();
    for (int panel = 1; panel <= kPanelCount; ++panel)
        trends_.chart(panel)->set3D(controls(panel).depth->isChecked());
    for (int panel = 1; panel <= kPanelCount; ++panel) {
        const bool shown = controls(panel).sv->isChecked();
        for (int slot = 1; slot <= kSlotCount; ++slot)
            trends_.chart(panel)->setSeriesVisible(svSeries(slot), shown);
    }
    return true;
}

void TFmChartSetting::BtnChtSetingOkClick()
{
    applyOk();
}

void TFmChartSetting::BtnChtSetingCancelClick()
{
    hide();
}
