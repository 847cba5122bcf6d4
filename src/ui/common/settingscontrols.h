#pragma once

// Settings values declared over the widgets that hold them, for the sections the
// windows declare to the settings store. Each names the value, the control and the
// state the control starts in.

#include "settingssection.h"

class QAbstractButton;
class QComboBox;
class QLineEdit;
class PointCountField;
class QRadioButton;
class RadioGroup;

// A string that is the field's text.
SettingValue textSetting(const QString &name, QLineEdit *field, const QString &initial);
SettingValue textSetting(const QString &name, PointCountField *field, const QString &initial);
// An integer that is the field's whole number, shown as its decimal text; a field
// holding anything else cannot be saved.
SettingValue numberSetting(const QString &name, QLineEdit *field, int initial);
// An item index (-1 for none) kept as an integer, or as its decimal text; an index
// beyond the items selects none.
SettingValue indexSetting(const QString &name, QComboBox *list, int initial);
SettingValue indexTextSetting(const QString &name, QComboBox *list, int initial);
SettingValue indexSetting(const QString &name, RadioGroup *group, int initial);
// Whether a check box is checked.
SettingValue flagSetting(const QString &name, QAbstractButton *box, bool initial);
// Whether a radio button is selected; selecting it runs its click action, as the
// operator's click would, and clearing it runs nothing.
SettingValue radioSetting(const QString &name, QRadioButton *button, bool initial);
