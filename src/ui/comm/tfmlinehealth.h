#pragma once

// The line health window "通訊狀態": for each of the thirty slots how its station's
// reads went (counts by outcome, reply times), the time each panel's share of a poll
// cycle took, and buttons that zero the counts and copy the table for a spreadsheet.
// It reads the plant model once a second while it is shown, and never while hidden.

#include "linehealthbook.h"

#include <QTimer>
#include <QWidget>

#include <memory>

class PlantModel;

namespace Ui {
class TFmLineHealth;
}

class TFmLineHealth : public QWidget {
    Q_OBJECT
public:
    static constexpr int kRefreshMs = 1000;
    // A row whose station failed an attempt this recently is drawn in the warning colour.
    static constexpr double kRecentFailureSeconds = 60;
    static constexpr int kColumnCount = 12;

    explicit TFmLineHealth(PlantModel &model, QWidget *parent = nullptr);
    ~TFmLineHealth() override;

    // The header and the thirty rows, cells separated by tabs, one line each.
    QString tableText() const;
    bool refreshing() const { return TmrRefresh.isActive(); }

public Q_SLOTS:
    void TmrRefreshTimer(); // the figures from the plant model into the table
    void BtnZeroClick();    // every count to zero
    void BtnCopyClick();    // tableText() to the clipboard

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void showStation(int row, int panel, int slot, const StationFigures &figures);
    void showCycle(int panel, const CycleFigures &figures);

    PlantModel &model_;
    QTimer TmrRefresh;
    std::unique_ptr<Ui::TFmLineHealth> ui;
};
