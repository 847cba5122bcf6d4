#pragma once

// The scan progress window: one bar per panel that the decimal-point scan fills
// slot by slot. It closes itself once all three bars are full; its closing, by
// itself or by the operator, is what lets the trend charts start sampling.

#include <QTimer>
#include <QWidget>

#include <memory>

class QProgressBar;

namespace Ui {
class TFmBarPage;
}

class TFmBarPage : public QWidget { // top-level window, shown non-modal
    Q_OBJECT
public:
    explicit TFmBarPage(QWidget *parent = nullptr);
    ~TFmBarPage() override;

    // Shows the window for a scan, centred on `centreOn` (the screen without one), with
    // its bars at 0 unless it is open already; starts Timer1.
    void showForScan(const QWidget *centreOn);

    QProgressBar *bar(int panel) const; // Bar1..Bar3, nullptr outside 1..3

public Q_SLOTS:
    void setProgress(int panel, int position); // engine scanProgress

Q_SIGNALS:
    // The window closed, by Timer1 or by the operator: FmHome sets ChartsReady.
    void scanWindowClosed();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void Timer1Timer();
    void FormClose();
    void resetBars();

    std::unique_ptr<Ui::TFmBarPage> ui;
    QTimer Timer1;
};
