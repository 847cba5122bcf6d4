#pragma once

// The recording settings dialog: recording on or off, the sample interval, one file
// per hour or per day, .txt or .xls, and the record folder. OK takes the controls
// over into the Recorder's settings and sets the record timer's interval; closing
// the dialog in any way switches the record timer on or off by Save. The folder
// field is what the record timer writes into, also after a cancel, until the dialog
// is opened again. Its status line tells when records are being dropped.

#include "settingssection.h"

#include <QDialog>
#include <QList>

#include <functional>
#include <memory>

class MessageBoxes;
class Recorder;
class TFmBrowse;

namespace Ui {
class TFmRecord;
}

class TFmRecord : public QDialog {
    Q_OBJECT
public:
    // `showMonitoringPage` brings the main window back to its monitoring page.
    TFmRecord(Recorder &recorder, std::function<void()> showMonitoringPage, MessageBoxes &boxes,
              QWidget *parent = nullptr);
    ~TFmRecord() override;

    // The folder picker that "瀏覽" opens; its choice goes into the folder field.
    void setBrowseWindow(TFmBrowse *browse);

    // The folder field as it stands.
    QString folderText() const;
    void setFolderText(const QString &folder);

    // OK without closing: Save, then the sample time (false, with a message, when it
    // is not a whole number: Save has been taken over then, nothing after it), the
    // three lists, the folder; the monitoring page; the timer's interval.
    bool applyOk();

    // Key FmRecord: the controls as the store keeps them; loading ends with OK.
    SettingsSection settingsSection();

public Q_SLOTS:
    void FormShow();       // the controls from RecordSettings
    void ChkSaveClick();   // the dependent controls follow ChkSave
    void BtnBrowseClick();
    void BtnOKClick();     // applyOk(), then closes when it went through
    void BtnCancelClick(); // the monitoring page, then closes; nothing taken over
    void FormClose();      // the record timer on when Save is on, off otherwise
    void reject() override; // Esc: as the close box
    void showRecordsDropped(int panel);

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void closeDialog();

    Recorder &recorder_;
    std::function<void()> showMonitoringPage_;
    MessageBoxes &boxes_;
    TFmBrowse *browse_ = nullptr;
    QList<int> droppingPanels_;
    std::unique_ptr<Ui::TFmRecord> ui;
};
