#pragma once

// One on-screen keypad of the setting page: twelve keys over the keypad picture
// that type into the tab's value field. A digit or "." key appends its character;
// the back key removes the last one, on some tabs as soon as a mouse button goes
// down on it, on others on a click.

#include <QObject>
#include <QPixmap>
#include <QString>

class QAbstractButton;
class QLabel;
class QLineEdit;

class Keypad : public QObject {
    Q_OBJECT
public:
    enum class BackKey { ActsOnMouseDown, ActsOnClick };

    // The keys are the children of `picture` named <prefix>Key0 .. <prefix>Key9,
    // <prefix>KeyDot and <prefix>KeyBack; they are laid over the picture's keys.
    Keypad(QLabel *picture, QLineEdit *field, const QString &prefix, BackKey back);

    // A null picture (the file is missing) leaves plain keys showing their characters,
    // so the keypad stays usable.
    void setPicture(const QPixmap &picture);

    // '0'..'9', '.', or 'B' for the back key; nullptr for any other character.
    QAbstractButton *key(char character) const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void append(char character);
    void removeLast();

    QLabel *picture_;
    QLineEdit *field_;
    QAbstractButton *keys_[12] = {};
    QAbstractButton *back_ = nullptr;
};

// The keypad picture the build puts in the program's folder; null when it cannot be read.
QPixmap loadKeypadPicture(const QString &folder);
