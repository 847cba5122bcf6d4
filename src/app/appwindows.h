#pragma once

// The program's seventeen windows, created once in their fixed order (main window
// first, so its constructor runs before any other window exists) and kept until the
// program ends. They are destroyed in the reverse order, the main window last.

#include "appservices.h"

#include <QList>
#include <QWidget>

#include <memory>

class AlarmLog;
class TCommController;
class TFmHome;
class TFmCommSetting;
class TFmSetPage;
class TFmBarPage;
class TFmChartSetting;
class TFmWriting;
class TFmAddAlarm;
class TFmModifyAlarm;
class TFmAlmDlg;
class TFmRecord;
class TFmBrowse;
class TFmCommTest;
class Tfmpaset;
class Tfmpassread;
class TFmshowpawd;
class TForm2;
class TFmTitle;
class TFmLineHealth;

class AppWindows {
public:
    AppWindows(const AppServices &services, std::unique_ptr<TCommController> engine);
    ~AppWindows();
    AppWindows(const AppWindows &) = delete;
    AppWindows &operator=(const AppWindows &) = delete;

    TFmHome &home() const { return *FmHome; }
    AlarmLog &alarmLog() const { return *alarmLog_; }
    TFmCommSetting &commSetting() const { return *FmCommSetting; }
    // In the order they were created.
    QList<QWidget *> all() const { return order_; }

private:
    template <typename T, typename... Args>
    std::unique_ptr<T> make(Args &&...args);

    // Declared in creation order: members die in reverse, the main window last and
    // the alarm log, which the windows show, after it.
    std::unique_ptr<AlarmLog> alarmLog_;
    std::unique_ptr<TFmHome> FmHome;
    std::unique_ptr<TFmCommSetting> FmCommSetting;
    std::unique_ptr<TFmSetPage> FmSetPage;
    std::unique_ptr<TFmBarPage> FmBarPage;
    std::unique_ptr<TFmChartSetting> FmChartSetting;
    std::unique_ptr<TFmWriting> FmWriting;
    std::unique_ptr<TFmAddAlarm> FmAddAlarm;
    std::unique_ptr<TFmModifyAlarm> FmModifyAlarm;
    std::unique_ptr<TFmAlmDlg> FmAlmDlg;
    std::unique_ptr<TFmRecord> FmRecord;
    std::unique_ptr<TFmBrowse> FmBrowse;
    std::unique_ptr<TFmCommTest> FmCommTest;
    std::unique_ptr<Tfmpaset> fmpaset;
    std::unique_ptr<Tfmpassread> fmpassread;
    std::unique_ptr<TFmshowpawd> Fmshowpawd;
    std::unique_ptr<TForm2> Form2;
    std::unique_ptr<TFmTitle> FmTitle;
    // The program's own addition, beside the seventeen: opened from the communication
    // dialog and by Ctrl+L in the main window.
    std::unique_ptr<TFmLineHealth> FmLineHealth;
    QList<QWidget *> order_;
};
