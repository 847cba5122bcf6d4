#pragma once

// An integer field with arrows for the number of samples a trend chart keeps. The
// arrows and the Up and Down keys step by 1; a typed number is brought into the
// field's range when the field is left; a text that is not a whole number counts as
// the smallest value. A text put in from outside (the settings load) stays as it is
// until the operator leaves the field, which is why the field offers a writable
// `text` property rather than a spin box's value.

#include <QString>
#include <QWidget>

class QLineEdit;
class QToolButton;

class PointCountField : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString text READ text WRITE setText)
public:
    explicit PointCountField(QWidget *parent = nullptr);

    QString text() const;
    void setText(const QString &text);

    int minimum() const { return minimum_; }
    int maximum() const { return maximum_; }
    void setRange(int minimum, int maximum);

    // The text as a whole number, the minimum when it is not one; not clamped.
    int value() const;
    void stepBy(int steps);

    QLineEdit *editor() const { return edit_; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Puts the value, brought into range, in the field.
    void clamp();

    QLineEdit *edit_;
    QToolButton *up_;
    QToolButton *down_;
    int minimum_ = 1;
    int maximum_ = 3600;
};
