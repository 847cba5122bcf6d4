#include "alarmpage.h"

#include "plantfeed.h"

#include "ui_alarmpage.h"

#include "bringtofront.h"
#include "alarmhistoryprint.h"
#include "alarmtables.h"
#include "alarmtext.h"
#include "clock.h"
#include "localeformats.h"
#include "messageboxes.h"
#include "pagecanvas.h"
#include "plantmodel.h"
#include "tempmonapplication.h"
#include "tfmaddalarm.h"
#include "tfmalmdlg.h"
#include "tfmmodifyalarm.h"
#include "uilog.h"

#include <QHeaderView>
#include <QSortFilterProxyModel>

namespace {

void setBold(QWidget *widget, bool bold)
{
    QFont font = widget->font();
    font.setBold(bold);
    widget->setFont(font);
}

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
    if (PlantFeed *feed = services.feed) {
        // The outward views follow the list whatever changed it.
        QAbstractItemModel *lines = ui->LstAlarming->model();
        const auto follow = [this, feed] { feed->setAlarmLines(alarmLines()); };
        connect(lines, &QAbstractItemModel::rowsInserted, this, follow);
        connect(lines, &QAbstractItemModel::rowsRemoved, this, follow);
        connect(lines, &QAbstractItemModel::modelReset, this, follow);
    }
}

QStringList AlarmPage::alarmLines() const
{
    QStringList lines;
    for (int i = 0; i < ui->LstAlarming->count(); ++i)
        lines << ui->LstAlarming->item(i)->text();
    return lines;
}

void AlarmPage::setWindows(TFmAddAlarm *addAlarm, TFmModifyAlarm *modifyAlarm, TFmAlmDlg *almDlg)
{
    addAlarm_ = addAlarm;
    modifyAlarm_ = modifyAlarm;
    almDlg_ = almDlg;
}

void AlarmPage::loadAlarmPoints()
{
    if (!services_)
        return;
    AlarmTables &tables = services_->alarmTables;
    const QString problem = tables.open();
    if (!problem.isEmpty()) {
        // Told once; the program monitors on without what could not be opened.
        services_->boxes.show(window(), TempmonApplication::errorCaption(), problem, MessageBoxes::Icon::Warning);
    }
    if (AlarmSettingsTable *table = tables.TableAlm()) {
        table->setEvents({[this](const AlarmPointRow &row) { TableAlmAfterPost(row); },
                          [this](const AlarmPointRow &row) { TableAlmBeforeDelete(row); },
                          [this](const AlarmPointEntry &entry, const TableResult &result) {
                              TableAlmPostError(entry, result);
                          },
                          [this](const AlarmPointRow &row) { TableAlmBeforeDelete(row); }});
        ui->DBGrid1->setModel(table->model());
        connect(ui->DBGrid1->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
                [table](const QModelIndex &current) {
                    if (current.isValid())
                        table->setCurrentIndex(current.row());
                });
        for (table->first(); !table->eof(); table->next()) {
            const AlarmPointRow row = table->current();
            services_->model.setAlarmPoint(row.panel(), row.slot(), row.limits());
        }
        table->first();
        showGridRow();
    }
    if (AlarmCountQuery *query = tables.QryAlmCount())
        frequency_->setSourceModel(query->model());
    showTableState();
}

void AlarmPage::resetCounts()
{
    ui->CboPrnTimeUnit->setCurrentIndex(0);
    if (!services_)
        return;
    if (AlarmCountQuery *query = services_->alarmTables.QryAlmCount()) {
        if (const TableResult reset = resetAlarmCounts(*query); !reset)
            noteCountFailure(reset);
    }
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
    if (!countFailure_.isEmpty())
        notes << countFailure_;
    ui->LabAlarmTables->setText(notes.join(QLatin1Char('\n')));
    ui->LabAlarmTables->setVisible(!notes.isEmpty());
    for (QWidget *button : {ui->BtnAddSetting, ui->BtnModifySetting, ui->BtnDeleteSetting, ui->BtnDelteAll})
        button->setEnabled(settings);
}

void AlarmPage::noteCountFailure(const TableResult &result)
{
    // Not retried and not told in a box: an alarm burst must not pile up messages.
    qCWarning(lcUi) << "count statement failed:" << result.error;
    countFailure_ = result.error;
    showTableState();
}

void AlarmPage::AnnounceAlarm(const AlarmAnnouncement &announcement)
{
    if (!services_)
        return;
    if (services_->beep)
        services_->beep();
    const QString message = alarmMessage(announcement.side, announcement.panel, announcement.slot,
                                         services_->locale.longTime(announcement.time));
    const QString line = alarmListLine(announcement.side, message);
    ui->LstAlarming->addItem(line);
    if (almDlg_) {
        almDlg_->addAlarm(message);
        almDlg_->show();
    }
    if (AlarmCountQuery *query = services_->alarmTables.QryAlmCount()) {
        if (const TableResult written = writeAlarmCount(*query, announcement.number, announcement.panel,
                                                        announcement.slot);
            !written)
            noteCountFailure(written);
        if (const TableResult shown = showAlarmFrequency(*query); !shown)
            noteCountFailure(shown);
    }
    if (services_->feed)
        services_->feed->raiseAlarm({QDateTime(services_->clock.now().date(), announcement.time), announcement.panel,
                                     announcement.slot, announcement.side, announcement.number, line});
}

void AlarmPage::TableAlmAfterPost(const AlarmPointRow &row)
{
    services_->model.setAlarmPoint(row.panel(), row.slot(), row.limits());
    showGridRow();
}

void AlarmPage::TableAlmBeforeDelete(const AlarmPointRow &row)
{
    services_->model.clearAlarmPoint(row.panel(), row.slot());
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

void AlarmPage::keepWatching(const AlarmPointRow &row, const TableResult &result)
{
    services_->model.setAlarmPoint(row.panel(), row.slot(), row.limits());
    services_->boxes.show(window(), TempmonApplication::errorCaption(), result.error, MessageBoxes::Icon::Error);
}

void AlarmPage::BtnDeleteSettingClick()
{
    AlarmSettingsTable *table = services_ ? services_->alarmTables.TableAlm() : nullptr;
    if (!table || table->eof())
        return;
    const AlarmPointRow row = table->current();
    if (const TableResult deleted = table->deleteCurrent(); !deleted)
        keepWatching(row, deleted);
    showGridRow();
}

void AlarmPage::BtnDelteAllClick()
{
    AlarmSettingsTable *table = services_ ? services_->alarmTables.TableAlm() : nullptr;
    if (!table)
        return;
    // A refused delete ends the loop; the row would otherwise be tried forever.
    for (table->first(); !table->eof();) {
        const AlarmPointRow row = table->current();
        if (const TableResult deleted = table->deleteCurrent(); !deleted) {
            keepWatching(row, deleted);
            break;
        }
    }
    showGridRow();
}

void AlarmPage::showView(bool settings)
{
    ui->PnlAlarmSetting->setVisible(settings);
    ui->PnlAlarmRecord->setVisible(!settings);
    setBold(ui->BtnAlmSetting, settings);
    setBold(ui->BtnAlmRecord, !settings);
    ui->BtnAlmSetting->setIcon(settings ? selectedMarker_ : QIcon());
    ui->BtnAlmRecord->setIcon(settings ? QIcon() : selectedMarker_);
}

void AlarmPage::BtnAlmSettingClick() { showView(true); }
void AlarmPage::BtnAlmRecordClick() { showView(false); }

void AlarmPage::BtnPrintRecordClick() { printRecord(); }

bool AlarmPage::printRecord()
{
    const QStringList lines = alarmLines();
    if (lines.isEmpty() || !services_)
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
    const QList<QListWidgetItem *> selected = ui->LstAlarming->selectedItems();
    if (selected.isEmpty())
        return;
    delete ui->LstAlarming->takeItem(ui->LstAlarming->row(selected.first()));
}

void AlarmPage::BtnDelAllRecordClick() { ui->LstAlarming->clear(); }

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
    if (printRecord() && ui->ChkAutoDel->isChecked())
        ui->LstAlarming->clear();
}
