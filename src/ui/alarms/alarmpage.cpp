#include "alarmpage.h"

#include "ui_alarmpage.h"

#include "alarmhistoryprint.h"
#include "alarmlog.h"
#include "alarmtables.h"
#include "alarmtext.h"
#include "bringtofront.h"
#include "clock.h"
#include "messageboxes.h"
#include "pagecanvas.h"
#include "panelswitch.h"
#include "tempmonapplication.h"
#include "tfmaddalarm.h"
#include "tfmalmdlg.h"
#include "tfmmodifyalarm.h"
#include "uilog.h"

#include <QHeaderView>
#include <QSortFilterProxyModel>

namespace {

// The frequency grid in panel and slot order, whatever order the server returns.
class SlotOrder : public QSortFilterProxyModel {
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

protected:
    bool lessThan(const QModelIndex &left, const QModelIndex &right) const override
    {
        const auto key = [this](const QModelIndex &index) {
            const QAbstractItemModel *source = sourceModel();
            return std::make_pair(source->index(index.row(), 1).data().toString(),
                                  source->index(index.row(), 2).data().toString());
        };
        return key(left) < key(right);
    }
};

} // namespace

AlarmPage::AlarmPage(QWidget *parent) : QWidget(parent), ui(std::make_unique<Ui::AlarmPage>())
{
    ui->setupUi(this);

    QPalette list = ui->LstAlarming->palette();
    list.setColor(QPalette::Base, QColor(0, 128, 0));
    list.setColor(QPalette::Text, Qt::yellow);
    ui->LstAlarming->setPalette(list);
    QPalette warning = ui->LabAlarmTables->palette();
    warning.setColor(QPalette::WindowText, QColor(170, 0, 0));
    ui->LabAlarmTables->setPalette(warning);

    frequency_ = new SlotOrder(this);
    ui->DBGrid2->setModel(frequency_);
    ui->DBGrid2->verticalHeader()->hide();
    ui->DBGrid1->verticalHeader()->hide();
    for (QTableView *grid : {ui->DBGrid1, ui->DBGrid2}) {
        grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
        grid->verticalHeader()->setDefaultSectionSize(24);
    }

    connectControls();
    showView(false);
}

AlarmPage::~AlarmPage() = default;

void AlarmPage::connectControls()
{
    connect(ui->BtnAddSetting, &QPushButton::clicked, this, &AlarmPage::BtnAddSettingClick);
    connect(ui->BtnModifySetting, &QPushButton::clicked, this, &AlarmPage::BtnModifySettingClick);
    connect(ui->BtnDeleteSetting, &QPushButton::clicked, this, &AlarmPage::BtnDeleteSettingClick);
    connect(ui->BtnDelteAll, &QPushButton::clicked, this, &AlarmPage::BtnDelteAllClick);
    connect(ui->BtnAlmSetting, &QPushButton::clicked, this, &AlarmPage::BtnAlmSettingClick);
    connect(ui->BtnAlmRecord, &QPushButton::clicked, this, &AlarmPage::BtnAlmRecordClick);
    connect(ui->BtnPrintRecord, &QPushButton::clicked, this, &AlarmPage::BtnPrintRecordClick);
    connect(ui->BtnDelRecord, &QPushButton::clicked, this, &AlarmPage::BtnDelRecordClick);
    connect(ui->BtnDelAllRecord, &QPushButton::clicked, this, &AlarmPage::BtnDelAllRecordClick);
    // As the toolkit of the operators' habit does, the handlers run for changes made
    // by the program too (setting the interval back to "1" checks it again).
    connect(ui->ChkAutoPrn, &QCheckBox::toggled, this, &AlarmPage::ChkAutoPrnClick);
    connect(ui->TxtPrnTime, &QLineEdit::textChanged, this, &AlarmPage::TxtPrnTimeChange);
    connect(ui->CboPrnTimeUnit, &QComboBox::currentIndexChanged, this, &AlarmPage::CboPrnTimeUnitChange);
}

void AlarmPage::attach(const AppServices &services, const QIcon &selectedMarker)
{
    services_.emplace(services);
    selectedMarker_ = selectedMarker;
    schedule_ = AutoPrintSchedule();
    showView(false);
    if (log_)
        disconnect(log_, nullptr, this, nullptr);
    log_ = services.alarmLog;
    if (!log_)
        return;
    ui->LstAlarming->setModel(log_->lines());
    connect(log_, &AlarmLog::countFailed, this, &AlarmPage::noteCountFailure);
    connect(log_, &AlarmLog::pointStored, this, &AlarmPage::showGridRow);
    connect(log_, &AlarmLog::pointRefused, this, &AlarmPage::TableAlmPostError);
}

void AlarmPage::setWindows(TFmAddAlarm *addAlarm, TFmModifyAlarm *modifyAlarm, TFmAlmDlg *almDlg)
{
    addAlarm_ = addAlarm;
    modifyAlarm_ = modifyAlarm;
    if (almDlg && log_)
        almDlg->follow(*log_);
}

void AlarmPage::loadAlarmPoints()
{
    if (!services_ || !log_)
        return;
    const QString problem = log_->openTables();
    if (!problem.isEmpty()) {
        // Told once; the program monitors on without what could not be opened.
        services_->boxes.show(window(), TempmonApplication::errorCaption(), problem, MessageBoxes::Icon::Warning);
    }
    if (AlarmSettingsTable *table = services_->alarmTables.TableAlm()) {
        ui->DBGrid1->setModel(table->model());
        connect(ui->DBGrid1->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
                [table](const QModelIndex &current) {
                    if (current.isValid())
                        table->setCurrentIndex(current.row());
                });
        showGridRow();
    }
    frequency_->setSourceModel(log_->frequency());
    showTableState();
}

void AlarmPage::resetCounts()
{
    ui->CboPrnTimeUnit->setCurrentIndex(0);
    if (log_)
        log_->resetCounts();
}

void AlarmPage::showTableState()
{
    QStringList notes;
    const AlarmTables &tables = services_->alarmTables;
    const bool settings = tables.TableAlm() != nullptr;
    if (!settings)
        notes << QStringLiteral("警報點設定表無法使用（資料庫 %1 無法開啟），不檢查偏差警報。").arg(AlarmTables::infoAlias());
    if (!tables.QryAlmCount())
        notes << QStringLiteral("警報次數表無法使用（資料庫 %1 無法開啟），不記錄警報次數。").arg(AlarmTables::countAlias());
    if (log_ && !log_->countFailure().isEmpty())
        notes << log_->countFailure();
    ui->LabAlarmTables->setText(notes.join(QLatin1Char('\n')));
    ui->LabAlarmTables->setVisible(!notes.isEmpty());
    for (QWidget *button : {ui->BtnAddSetting, ui->BtnModifySetting, ui->BtnDeleteSetting, ui->BtnDelteAll})
        button->setEnabled(settings);
}

void AlarmPage::noteCountFailure(const QString &error)
{
    // Not retried and not told in a box: an alarm burst must not pile up messages.
    qCWarning(lcUi) << "count statement failed:" << error;
    showTableState();
}

void AlarmPage::TableAlmPostError(const AlarmPointEntry &entry, const TableResult &result)
{
    // Other failures (a server gone, a disk full) are not a duplicate: the error
    // report that follows tells them.
    if (!result.keyViolation)
        return;
    services_->boxes.show(window(), duplicateAlarmPointCaption(),
                          duplicateAlarmPointMessage(entry.Panel, entry.ControllerNO), MessageBoxes::Icon::Warning);
}

void AlarmPage::showGridRow()
{
    AlarmSettingsTable *table = services_ ? services_->alarmTables.TableAlm() : nullptr;
    if (table && !table->eof())
        ui->DBGrid1->selectRow(table->currentIndex());
}

void AlarmPage::BtnAddSettingClick() { bringToFront(addAlarm_); }

void AlarmPage::BtnModifySettingClick()
{
    AlarmSettingsTable *table = services_ ? services_->alarmTables.TableAlm() : nullptr;
    if (table && !table->eof())
        bringToFront(modifyAlarm_);
}

void AlarmPage::tellRefusedDelete(const TableResult &result)
{
    services_->boxes.show(window(), TempmonApplication::errorCaption(), result.error, MessageBoxes::Icon::Error);
}

void AlarmPage::BtnDeleteSettingClick()
{
    if (!log_)
        return;
    if (const TableResult deleted = log_->deletePoint(); !deleted)
        tellRefusedDelete(deleted);
    showGridRow();
}

void AlarmPage::BtnDelteAllClick()
{
    if (!log_)
        return;
    if (const TableResult deleted = log_->deleteAllPoints(); !deleted)
        tellRefusedDelete(deleted);
    showGridRow();
}

void AlarmPage::showView(bool settings)
{
    ui->PnlAlarmSetting->setVisible(settings);
    ui->PnlAlarmRecord->setVisible(!settings);
    markChosenButton({ui->BtnAlmSetting, ui->BtnAlmRecord}, settings ? ui->BtnAlmSetting : ui->BtnAlmRecord,
                     selectedMarker_);
}

void AlarmPage::BtnAlmSettingClick() { showView(true); }
void AlarmPage::BtnAlmRecordClick() { showView(false); }

void AlarmPage::BtnPrintRecordClick() { printRecord(); }

bool AlarmPage::printRecord()
{
    if (!services_ || !log_)
        return true;
    const QStringList lines = log_->lineTexts();
    if (lines.isEmpty())
        return true;
    PrinterCanvas canvas(services_->printer);
    bool printed = canvas.isActive();
    if (printed) {
        printAlarmHistory(canvas, lines);
        printed = canvas.finish();
    }
    if (!printed)
        services_->boxes.show(window(), TempmonApplication::errorCaption(),
                              QStringLiteral("警報歷史紀錄無法列印：印表機無法使用。"), MessageBoxes::Icon::Error);
    return printed;
}

void AlarmPage::BtnDelRecordClick()
{
    const QModelIndexList selected = ui->LstAlarming->selectionModel()
                                          ? ui->LstAlarming->selectionModel()->selectedRows()
                                          : QModelIndexList();
    if (!selected.isEmpty() && log_)
        log_->removeLine(selected.first().row());
}

void AlarmPage::BtnDelAllRecordClick()
{
    if (log_)
        log_->clearLines();
}

void AlarmPage::ChkAutoPrnClick()
{
    const bool on = ui->ChkAutoPrn->isChecked();
    ui->ChkAutoDel->setEnabled(on);
    ui->TxtPrnTime->setEnabled(on);
    ui->CboPrnTimeUnit->setEnabled(on);
    if (on && services_)
        schedule_.restart(services_->clock.now());
}

void AlarmPage::TxtPrnTimeChange() { intervalChanged(); }
void AlarmPage::CboPrnTimeUnitChange() { intervalChanged(); }

void AlarmPage::intervalChanged()
{
    if (!services_)
        return;
    const QString text = ui->TxtPrnTime->text();
    const std::optional<int> interval = printIntervalNumber(text);
    if (!interval) {
        services_->boxes.show(window(), TempmonApplication::errorCaption(),
                              QStringLiteral("「%1」不是有效的整數。").arg(text), MessageBoxes::Icon::Error);
        return;
    }
    if (*interval < 1) {
        services_->boxes.show(window(), QStringLiteral("訊息"), QStringLiteral("輸入錯誤"), MessageBoxes::Icon::Warning);
        ui->TxtPrnTime->setText(QStringLiteral("1"));
        return;
    }
    schedule_.restart(services_->clock.now());
}

void AlarmPage::checkAutoPrint()
{
    if (!services_ || !ui->ChkAutoPrn->isChecked())
        return;
    const QDateTime now = services_->clock.now();
    if (!schedule_.due(now, ui->TxtPrnTime->text(), ui->CboPrnTimeUnit->currentIndex()))
        return;
    schedule_.restart(now);
    // The list is cleared only once it is on paper.
    if (printRecord() && ui->ChkAutoDel->isChecked() && log_)
        log_->clearLines();
}
