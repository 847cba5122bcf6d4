#pragma once

// The dialog that adds alarm points to the alarm settings table: one slot, the ten
// slots of a panel, or all thirty, with the same limits.

#include <QDialog>

#include <memory>

class AlarmTables;
class LocaleFormats;
class MessageBoxes;

namespace Ui {
class TFmAddAlarm;
}

class TFmAddAlarm : public QDialog {
    Q_OBJECT
public:
    // Without tables (as a bare window) OK stores nothing.
    explicit TFmAddAlarm(QWidget *parent = nullptr);
    TFmAddAlarm(AlarmTables &tables, MessageBoxes &boxes, const LocaleFormats &locale, QWidget *parent = nullptr);
    ~TFmAddAlarm() override;

public slots:
    void Radio1Click();
    void Radio2Click();
    void Radio3Click();
    void BtnOKClick();
    void BtnCancelClick();

private:
    TFmAddAlarm(AlarmTables *tables, MessageBoxes *boxes, const LocaleFormats *locale, QWidget *parent);
    void enableLists(bool onePoint, bool onePanel);

    std::unique_ptr<Ui::TFmAddAlarm> ui;
    AlarmTables *tables_;
    MessageBoxes *boxes_;
    const LocaleFormats *locale_;
};
