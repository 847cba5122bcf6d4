#pragma once

// One tab of the setting page: its parameter selector, its value field and keypad
// where it has them, and the entry selectors of its parameters. Choosing a
// parameter shows the entry form the catalogue gives it and hides the others; the
// hidden selectors keep their values, so one set of time selectors serves ALT1 to
// ALT3 and one set of digit selectors SET1 to SET0.

#include "catalogue.h"
#include "entryvalue.h"
#include "keypad.h"

#include <QList>
#include <QObject>
#include <QString>

#include <memory>

class QComboBox;
class QLabel;
class QLineEdit;
class QWidget;

class SetPageTab {
public:
    // Controls are found in `tab` by the names the form gives them: Type<suffix>,
    // <suffix>Value, the picture `pictureName` with the keys <suffix>Key..., and the
    // entry selectors YesNo<suffix>, <mnemonic><suffix> for pick lists,
    // Digit4<suffix>..Digit1<suffix> and Time4<suffix>..Time1<suffix> with
    // TimeLabel<suffix>. Without a picture name the tab has no field and no keypad.
    SetPageTab(Level level, QWidget *tab, const QString &suffix, const QString &pictureName,
               Keypad::BackKey backKey);

    Level level() const { return level_; }
    QComboBox *selector() const { return selector_; }
    QLineEdit *field() const { return field_; }
    Keypad *keypad() const { return keypad_; }

    // The parameter the selector shows.
    const ParameterEntry &entry() const;
    EntryInput input() const;
    void clearField();

private:
    void fillSelectors();
    void showEntryForm();
    QList<QWidget *> formOf(const ParameterEntry &entry) const;
    QList<QComboBox *> selectorsOf(const ParameterEntry &entry) const;
    template <typename T>
    T *control(const QString &name) const;

    Level level_;
    QWidget *tab_;
    QString suffix_;
    QComboBox *selector_ = nullptr;
    QLineEdit *field_ = nullptr;
    QLabel *picture_ = nullptr;
    Keypad *keypad_ = nullptr;
    QList<QWidget *> entryControls_;
    // Context of the selector connection, so it ends with this object.
    QObject connections_;
};
