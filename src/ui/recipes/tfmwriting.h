#pragma once

// The recipe write progress window. The recipe writer shows it and moves its bar
// after each request it places; the window itself drives nothing, it only looks at
// the bar once a second and announces completion when the bar is full. It stays
// above the main window.

#include <QDialog>

#include <memory>

class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;

namespace Ui {
class TFmWriting;
}

class TFmWriting : public QDialog {
    Q_OBJECT
public:
    explicit TFmWriting(QWidget *parent = nullptr);
    ~TFmWriting() override;

    // Shows the window without waiting, for a write of `requests` requests under
    // `title`: the bar at 0 of `requests`, "OK" hidden until the bar is full. A window
    // not yet open appears over the middle of `centreOn` (of the screen without one).
    void beginWrite(const QString &title, int requests, const QWidget *centreOn = nullptr);
    // The number of requests placed so far.
    void setPosition(int placed);

    QLabel *LbTitle() const;
    QProgressBar *Bar() const;
    QPushButton *BtnOK() const;
    QTimer *Timer1() const { return timer1_; }

public slots:
    void Timer1Timer();
    void BtnOKClick();

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void FormShow();
    void FormClose();

    std::unique_ptr<Ui::TFmWriting> ui;
    QTimer *timer1_ = nullptr;
};
