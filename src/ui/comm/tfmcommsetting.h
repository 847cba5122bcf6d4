#pragma once

// The communication settings dialog: serial port and speed per panel, one converter
// type and one protocol for all panels, the scan mode and the main window's caption.
// Only OK moves the choices into the engine; the controls keep what the operator left
// in them between showings (the settings store saves them at shutdown).

#include "settingssection.h"

#include <QDialog>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

class PlantModel;
class SettingsStore;
class MessageBoxes;
class QComboBox;
class QLineEdit;

namespace Ui {
class TFmCommSetting;
}

class TFmCommSetting : public QDialog {
    Q_OBJECT
public:
    TFmCommSetting(PlantModel &model, SettingsStore &store, MessageBoxes &boxes,
                   QWidget *parent = nullptr);
    ~TFmCommSetting() override;

    // The port search's source of lines; the default asks the system (on Windows its
    // serial port map, elsewhere the store's SerialPortMap and the present devices,
    // numbering new USB adapters into the map).
    using PortSearchSource = std::function<QStringList()>;
    void setPortSearchSource(PortSearchSource source);

    // Fills the controls from the engine and the store; runs each time the dialog is shown.
    void FormShow();

    // The OK action without closing: scan mode, converter and protocol (also into the
    // store), then port (with the device the port map gives it), converter, protocol
    // and speed per panel, then the caption. Answers the panels left without a port
    // ("盤面n 未選擇通訊埠"), or nothing when a typed port stopped it; the panels before
    // it are applied then.
    std::optional<QStringList> applyOk();

    // Key FmCommSetting: the controls as the store keeps them; loading applies OK.
    SettingsSection settingsSection();

public Q_SLOTS:
    void BtnOKClick();     // applyOk(), and closes when it went through
    void BtnCancelClick(); // closes; nothing applied, the controls keep their state
    void Edit1Change();
    void Edit2Change();
    void Edit3Change();
    void CboComAEnter();
    void CboComBEnter();
    void CboComCEnter();
    void RzButton1Click(); // port search into Memo1

Q_SIGNALS:
    // The title to show as the main window's caption and the application title.
    void titleApplied(const QString &title);
    // The operator asked for the line health window ("通訊狀態...").
    void lineHealthRequested();

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QComboBox *portList(int panel) const;
    QComboBox *bpsList(int panel) const;
    QLineEdit *otherPort(int panel) const;
    void resolveDevices();

    PlantModel &model_;
    SettingsStore &store_;
    MessageBoxes &boxes_;
    PortSearchSource portSearch_;
    std::unique_ptr<Ui::TFmCommSetting> ui;
};
