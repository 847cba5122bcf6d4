#pragma once

// The alarm window: pops up with the alarms announced since it was last confirmed,
// numbered from 1, with their count. Hiding it (confirming, closing) empties it.

#include <QDialog>

#include <memory>

class AlarmLog;
struct AnnouncedAlarm;

namespace Ui {
class TFmAlmDlg;
}

class TFmAlmDlg : public QDialog {
    Q_OBJECT
public:
    explicit TFmAlmDlg(QWidget *parent = nullptr);
    ~TFmAlmDlg() override;

    // Adds the line for `message`, numbered after the lines already there, and shows
    // the new count.
    void addAlarm(const QString &message);
    int lineCount() const;
    // Pops up with each alarm `log` announces (once, however often it is asked).
    void follow(const AlarmLog &log);
    void showAlarm(const AnnouncedAlarm &alarm);

public slots:
    void BtnOKClick();
    void FormHide();
    void FormClose();

protected:
    void hideEvent(QHideEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    std::unique_ptr<Ui::TFmAlmDlg> ui;
};
