#pragma once

// The alarm page of the main window (Panel3): the alarm points (settings view) and
// the record of announced alarms with their counts (record view), both kept by the
// AlarmLog, and the printed history, by hand or on a schedule.

#include "alarmpoints.h"
#include "appservices.h"
#include "autoprint.h"

#include <QIcon>
#include <QWidget>

#include <memory>
#include <optional>

struct TableResult;
class AlarmLog;
class QSortFilterProxyModel;
class TFmAddAlarm;
class TFmAlmDlg;
class TFmModifyAlarm;

namespace Ui {
class AlarmPage;
}

class AlarmPage : public QWidget {
    Q_OBJECT
public:
    explicit AlarmPage(QWidget *parent = nullptr);
    ~AlarmPage() override;

    // What the page works with; the record view is shown, its button marked with
    // `selectedMarker`.
    void attach(const AppServices &services, const QIcon &selectedMarker);
    // The dialogs and the alarm window, which are created after the main window.
    void setWindows(TFmAddAlarm *addAlarm, TFmModifyAlarm *modifyAlarm, TFmAlmDlg *almDlg);

    // Start-up, before the engine runs: opens the alarm tables (telling the operator
    // once when they cannot be opened) and copies every alarm point into the engine.
    void loadAlarmPoints();
    // Start-up: the print interval unit on its first item, every count back to "00".
    void resetCounts();

    // The display tick's part: the automatic print of the alarm list when it is due.
    void checkAutoPrint();

    // Prints the alarm list on the program's printer. True when there was nothing
    // to print or it was printed; false (told to the operator) when the printer failed.
    bool printRecord();

public slots:
    void BtnAddSettingClick();
    void BtnModifySettingClick();
    void BtnDeleteSettingClick();
    void BtnDelteAllClick();
    void BtnAlmSettingClick();
    void BtnAlmRecordClick();
    void BtnPrintRecordClick();
    void BtnDelRecordClick();
    void BtnDelAllRecordClick();
    void ChkAutoPrnClick();
    void TxtPrnTimeChange();
    void CboPrnTimeUnitChange();

private:
    void TableAlmPostError(const AlarmPointEntry &entry, const TableResult &result);

    void connectControls();
    void showView(bool settings);
    void showGridRow();
    // A delete the table refused; the engine keeps watching the row's slot.
    void tellRefusedDelete(const TableResult &result);
    void intervalChanged();
    void showTableState();
    void noteCountFailure(const QString &error);

    std::unique_ptr<Ui::AlarmPage> ui;
    std::optional<AppServices> services_;
    AlarmLog *log_ = nullptr;
    QIcon selectedMarker_;
    TFmAddAlarm *addAlarm_ = nullptr;
    TFmModifyAlarm *modifyAlarm_ = nullptr;
    QSortFilterProxyModel *frequency_ = nullptr;
    AutoPrintSchedule schedule_;
};
