#pragma once

// The chart settings dialog: per trend chart the Y axis (automatic or fixed), the
// number of samples kept, 3D and the SV lines; for all three the sampling interval.
// It reads the charts back each time it is shown (all but the point counts, which
// show what they held) and applies everything on OK, after checking every text it
// converts: a refused text changes nothing.

#include "panels.h"
#include "settingssection.h"

#include <QDialog>

#include <memory>

class MessageBoxes;
class PointCountField;
class QCheckBox;
class QLineEdit;
class QRadioButton;
class QTimer;
class TrendPage;

namespace Ui {
class TFmChartSetting;
}

class TFmChartSetting : public QDialog {
    Q_OBJECT
public:
    TFmChartSetting(TrendPage &trends, QTimer &sampleTimer, MessageBoxes &boxes, QWidget *parent = nullptr);
    ~TFmChartSetting() override;

    // Fills the controls from the charts and the timer; runs each time the dialog is shown.
    void FormShow();
    // The OK action: false, with the dialog left open and nothing applied, when a
    // text is refused.
    bool applyOk();

    // Key FmChartSetting: the controls as the store keeps them; loading applies OK.
    SettingsSection settingsSection();

public Q_SLOTS:
    void BtnChtSetingOkClick();
    void BtnChtSetingCancelClick();
    void RdoAutoAClick();
    void RdoAutoBClick();
    void RdoAutoCClick();
    void RdoLimitAClick();
    void RdoLimitBClick();
    void RdoLimitCClick();

protected:
    void showEvent(QShowEvent *event) override;

private:
    struct PanelControls {
        PointCountField *points = nullptr;
        QRadioButton *automatic = nullptr;
        QRadioButton *limits = nullptr;
        QLineEdit *min = nullptr;
        QLineEdit *max = nullptr;
        QCheckBox *depth = nullptr;
        QCheckBox *sv = nullptr;
    };
    PanelControls controls(int panel) const;
    void enableLimits(int panel, bool enabled);

    TrendPage &trends_;
    QTimer &sampleTimer_;
    MessageBoxes &boxes_;
    std::unique_ptr<Ui::TFmChartSetting> ui;
};
