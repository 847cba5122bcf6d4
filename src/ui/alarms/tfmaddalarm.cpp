#include "tfmaddalarm.h"

#include "ui_tfmaddalarm.h"

#include "alarmlimitfields.h"
#include "alarmpoints.h"
#include "alarmtables.h"
#include "messageboxes.h"

TFmAddAlarm::TFmAddAlarm(QWidget *parent) : TFmAddAlarm(nullptr, nullptr, nullptr, parent) {}

TFmAddAlarm::TFmAddAlarm(AlarmTables &tables, MessageBoxes &boxes, const LocaleFormats &locale, QWidget *parent)
    : TFmAddAlarm(&tables, &boxes, &locale, parent)
{
}

TFmAddAlarm::TFmAddAlarm(AlarmTables *tables, MessageBoxes *boxes, const LocaleFormats *locale, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint),
      ui(std::make_unique<Ui::TFmAddAlarm>()),
      tables_(tables),
      boxes_(boxes),
      locale_(locale)
{
    ui->setupUi(this);
    setUpAlarmDialog(this, QStringLiteral("FmAddAlarm"), QStringLiteral("增加警報點"), ui->BtnOK, ui->BtnCancel,
                     [this] { BtnOKClick(); }, [this] { BtnCancelClick(); });
    // Chosen by mouse, keyboard or program alike.
    connect(ui->Radio1, &QRadioButton::toggled, this, [this](bool on) { if (on) Radio1Click(); });
    connect(ui->Radio2, &QRadioButton::toggled, this, [this](bool on) { if (on) Radio2Click(); });
    connect(ui->Radio3, &QRadioButton::toggled, this, [this](bool on) { if (on) Radio3Click(); });
    Radio1Click();
}

TFmAddAlarm::~TFmAddAlarm() = default;

void TFmAddAlarm::enableLists(bool onePoint, bool onePanel)
{
    ui->CboPanel1->setEnabled(onePoint);
    ui->CboControllerNO->setEnabled(onePoint);
    ui->CboPanel2->setEnabled(onePanel);
}

void TFmAddAlarm::Radio1Click() { enableLists(true, false); }
void TFmAddAlarm::Radio2Click() { enableLists(false, true); }
void TFmAddAlarm::Radio3Click() { enableLists(false, false); }

void TFmAddAlarm::BtnCancelClick() { hide(); }

void TFmAddAlarm::BtnOKClick()
{
    AlarmSettingsTable *table = tables_ ? tables_->TableAlm() : nullptr;
    if (!table) {
        if (boxes_)
            boxes_->show(this, QStringLiteral("訊息"), QStringLiteral("警報資料庫無法使用，不能增加警報點。"),
                         MessageBoxes::Icon::Warning);
        return;
    }
    const QString first = firstAlarmText(ui->ChkFirstAlarm->isChecked());
    // Both limits are read before any row is begun, so a bad one stores nothing.
    const std::optional<AlarmLimitValues> limits =
        readAlarmLimits(this, {ui->TxtHAlm, ui->LabHAlm, ui->TxtLAlm, ui->LabLAlm}, *boxes_, locale_);
    if (!limits)
        return;

    AddAlarmChoice choice = AddAlarmChoice::OneSlot;
    QString panel = ui->CboPanel1->currentText();
    if (ui->Radio2->isChecked()) {
        choice = AddAlarmChoice::OnePanel;
        panel = ui->CboPanel2->currentText();
    } else if (ui->Radio3->isChecked()) {
        choice = AddAlarmChoice::AllPanels;
    }
    const TableResult stored = addAlarmPoints(*table, alarmPointKeys(choice, panel, ui->CboControllerNO->currentText()),
                                              limits->high, limits->low, first);
    // On a refusal the rows before the refused one stay.
    closeAlarmDialogIfStored(this, stored, *boxes_);
}
