#pragma once

// Stand-ins for the windows whose controls the settings mirror: widget trees with the
// named controls in their initial states, and nothing else.

#include "settingswalk.h"

#include <QMap>
#include <QString>
#include <QWidget>

#include <memory>
#include <utility>

struct FakeForms {
    std::unique_ptr<QWidget> home;
    std::unique_ptr<QWidget> comm;
    std::unique_ptr<QWidget> chart;
    std::unique_ptr<QWidget> record;

    SettingsForms forms() const { return {home.get(), comm.get(), chart.get(), record.get()}; }
};

std::unique_ptr<QWidget> makeFakeHome();
std::unique_ptr<QWidget> makeFakeCommSetting();
// Each panel's "Auto Scale" / "設定上下限" pair enables the limit fields by its click
// action, as the chart dialog does.
std::unique_ptr<QWidget> makeFakeChartSetting();
std::unique_ptr<QWidget> makeFakeRecord();
FakeForms makeFakeForms();

// Every named control's state, keyed "Parent/Control" (tiles repeat their children's names).
QMap<QString, QString> snapshot(const QWidget &form);
QMap<QString, QString> snapshot(const FakeForms &forms);

// Gives every mirrored control a state different from its initial one.
void changeEveryControl(FakeForms &forms);

template <class T>
T *control(const QWidget *form, const QString &path)
{
    QObject *at = const_cast<QWidget *>(form);
    for (const QString &name : path.split(QLatin1Char('/')))
        at = at ? at->findChild<QObject *>(name) : nullptr;
    return qobject_cast<T *>(at);
}

// Records what the walks call.
struct HookLog {
    QMap<std::pair<int, int>, int> stationIds;
    QStringList calls;  // "comm", "chart", "record" in the order applied
    QStringList errors;

    SettingsHooks hooks();
};
