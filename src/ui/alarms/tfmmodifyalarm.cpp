#include "tfmmodifyalarm.h"

#include "ui_tfmmodifyalarm.h"

#include "alarmlimitfields.h"
#include "alarmpoints.h"
#include "alarmtables.h"
#include "messageboxes.h"

#include <QShowEvent>

TFmModifyAlarm::TFmModifyAlarm(QWidget *parent) : TFmModifyAlarm(nullptr, nullptr, nullptr, parent) {}

TFmModifyAlarm::TFmModifyAlarm(AlarmTables &tables, MessageBoxes &boxes, const LocaleFormats &locale,
                               QWidget *parent)
    : TFmModifyAlarm(&tables, &boxes, &locale, parent)
{
}

TFmModifyAlarm::TFmModifyAlarm(AlarmTables *tables, MessageBoxes *boxes, const LocaleFormats *locale,
                               QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint),
      ui(std::make_unique<Ui::TFmModifyAlarm>()),
      tables_(tables),
      boxes_(boxes),
      locale_(locale)
{
    ui->setupUi(this);
    setUpAlarmDialog(this, QStringLiteral("FmModifyAlarm"), QStringLiteral("變更警報設定"), ui->BtnOK, ui->BtnCancel,
                     [this] { BtnOKClick(); }, [this] { BtnCancelClick(); });
}

TFmModifyAlarm::~TFmModifyAlarm() = default;

void TFmModifyAlarm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TFmModifyAlarm::FormShow()
{
    AlarmSettingsTable *table = tables_ ? tables_->TableAlm() : nullptr;
    if (!table || table->eof())
        return;
    const AlarmPointRow row = table->current();
    ui->ChkFirstAlarm->setChecked(row.FirstAlarm == QLatin1String("YES"));
    ui->STxtPanel->setText(row.Panel);
    ui->STxtControllerNO->setText(row.ControllerNO);
    ui->TxtHAlm->setText(row.HAlarm);
    ui->TxtLAlm->setText(row.LAlarm);
}

void TFmModifyAlarm::BtnCancelClick() { hide(); }

void TFmModifyAlarm::BtnOKClick()
{
    AlarmSettingsTable *table = tables_ ? tables_->TableAlm() : nullptr;
    if (!table)
        return;
    const std::optional<AlarmLimitValues> limits =
        readAlarmLimits(this, {ui->TxtHAlm, ui->LabHAlm, ui->TxtLAlm, ui->LabLAlm}, *boxes_, locale_);
    if (!limits)
        return;
    // The row changed is the page's current row as OK is pressed.
    const AlarmPointEntry entry{ui->STxtPanel->text(), ui->STxtControllerNO->text(), limits->high, limits->low,
                                firstAlarmText(ui->ChkFirstAlarm->isChecked())};
    const TableResult stored = table->editCurrent(entry);
    // On a refusal the stored row stays as it was.
    closeAlarmDialogIfStored(this, stored, *boxes_);
}
