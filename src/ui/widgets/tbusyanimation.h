#pragma once

// A small busy picture for windows that wait on the line: a magnifier sweeping
// over a row of controllers, driven by its own timer only while it is shown.

#include <QTimer>
#include <QWidget>

class TBusyAnimation : public QWidget {
    Q_OBJECT
public:
    explicit TBusyAnimation(QWidget *parent = nullptr);

    void start();
    void stop();
    bool isRunning() const { return timer_.isActive(); }
    int frame() const { return frame_; }

    QSize sizeHint() const override { return {96, 48}; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    QTimer timer_;
    int frame_ = 0;
};
