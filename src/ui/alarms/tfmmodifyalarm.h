#pragma once

// The dialog that changes the limits and the first-alarm choice of the alarm point
// selected on the alarm page.

#include <QDialog>

#include <memory>

class AlarmTables;
class LocaleFormats;
class MessageBoxes;

namespace Ui {
class TFmModifyAlarm;
}

class TFmModifyAlarm : public QDialog {
    Q_OBJECT
public:
    // Without tables (as a bare window) it shows nothing and stores nothing.
    explicit TFmModifyAlarm(QWidget *parent = nullptr);
    TFmModifyAlarm(AlarmTables &tables, MessageBoxes &boxes, const LocaleFormats &locale, QWidget *parent = nullptr);
    ~TFmModifyAlarm() override;

public slots:
    void FormShow();
    void BtnOKClick();
    void BtnCancelClick();

protected:
    void showEvent(QShowEvent *event) override;

private:
    TFmModifyAlarm(AlarmTables *tables, MessageBoxes *boxes, const LocaleFormats *locale, QWidget *parent);

    std::unique_ptr<Ui::TFmModifyAlarm> ui;
    AlarmTables *tables_;
    MessageBoxes *boxes_;
    const LocaleFormats *locale_;
};
