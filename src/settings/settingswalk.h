#pragma once

// The walks between the settings store and the controls it mirrors. Start-up copies
// the stored values into the controls and then runs each dialog's OK action; shutdown
// copies the controls back. The controls are found by object name.

#include "settingsstore.h"

#include <QString>

#include <functional>

class QObject;

// The windows whose controls the store mirrors. Controls are found below them by
// object name and read and written through their Qt properties ("text", "checked",
// "currentIndex", or "itemIndex" where a group of radio buttons declares one).
struct SettingsForms {
    QObject *home = nullptr;         // FmHome: RzLabel1, ControllerA1..ControllerC10 (each a
                                     // tile with children TxtUnitTitle, TxtID),
                                     // TxtRecipeA1..TxtRecipeC10
    QObject *commSetting = nullptr;  // FmCommSetting
    QObject *chartSetting = nullptr; // FmChartSetting; skipped while null
    QObject *record = nullptr;       // FmRecord; skipped while null
};

struct SettingsHooks {
    // Selects a radio button the way a click would, running its click action.
    std::function<void(QObject *radioButton)> selectRadio;
    std::function<void(int panel, int slot, int stationId)> setStationId;
    std::function<void()> applyCommSetting;  // the comm dialog's OK action
    std::function<void()> applyChartSetting;
    std::function<void()> applyRecord;
    std::function<void(const QString &text)> reportError; // the general error report
};

// A value that is absent leaves its control in its initial state. A value that is
// present but unusable (an ID that is not a number, an integer value holding text),
// and a control that cannot be found, stop the load there with one error report:
// what was loaded stays, nothing after it is read or applied.
void LoadSettings(SettingsStore &store, const SettingsForms &forms, const SettingsHooks &hooks);

// Creates the keys and values as needed. `HmTitle` and `Psl` are not written (their
// dialogs write them when confirmed). A value that cannot be written is reported and
// ends the save; the result is false then.
bool SaveSettings(SettingsStore &store, const SettingsForms &forms, const SettingsHooks &hooks);
