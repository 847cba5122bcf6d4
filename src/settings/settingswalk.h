#pragma once

// The walks between the settings store and the controls it mirrors. Start-up copies
// the stored values into the controls and then runs each dialog's OK action; shutdown
// copies the controls back. The controls are found by object name.

#include "settingsstore.h"

#include <QString>

#include <functional>

class QWidget;

struct SettingsForms {           // the windows whose controls the store mirrors
    QWidget *home = nullptr;         // FmHome: RzLabel1, ControllerA1..ControllerC10 (each a
                                     // tile with child QLineEdits TxtUnitTitle, TxtID),
                                     // QLineEdits TxtRecipeA1..TxtRecipeC10
    QWidget *commSetting = nullptr;  // FmCommSetting
    QWidget *chartSetting = nullptr; // FmChartSetting; skipped while null
    QWidget *record = nullptr;       // FmRecord; skipped while null
};

struct SettingsHooks {
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
