#include "keypad.h"

#include "keypadlayout.h"

#include <QAbstractButton>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>

#include <stdexcept>

namespace {

namespace kl = keypadlayout;

QString keyName(const QString &prefix, char character)
{
    if (character == kl::kBackKey)
        return prefix + QStringLiteral("KeyBack");
    if (character == '.')
        return prefix + QStringLiteral("KeyDot");
    return prefix + QStringLiteral("Key") + QLatin1Char(character);
}

QString keyCaption(char character)
{
    return character == kl::kBackKey ? QStringLiteral("←") : QString(QLatin1Char(character));
}

// Over the picture the keys are glass: nothing but a shade while pressed.
const char kGlassKeys[] = "QAbstractButton { background: transparent; border: none; }"
                          "QAbstractButton:pressed { background: rgba(0, 0, 0, 70); border-radius: 5px; }";

} // namespace

Keypad::Keypad(QLabel *picture, QLineEdit *field, const QString &prefix, BackKey back)
    : QObject(picture), picture_(picture), field_(field)
{
    for (int i = 0; i < kl::kKeyCount; ++i) {
        const char character = kl::kKeys[i];
        auto *button = picture->findChild<QAbstractButton *>(keyName(prefix, character));
        if (!button)
            throw std::logic_error("keypad key missing: " + keyName(prefix, character).toStdString());
        button->setGeometry(kl::keyLeft(i), kl::keyTop(i), kl::kKeySize, kl::kKeySize);
        button->setFocusPolicy(Qt::NoFocus);
        keys_[i] = button;
        if (character != kl::kBackKey)
            connect(button, &QAbstractButton::clicked, this, [this, character] { append(character); });
    }
    back_ = key(kl::kBackKey);
    if (back == BackKey::ActsOnClick) {
        connect(back_, &QAbstractButton::clicked, this, &Keypad::removeLast);
    } else {
        // The button reports a left press (and a keyboard or accessibility press);
        // the other mouse buttons are caught before it ignores them.
        connect(back_, &QAbstractButton::pressed, this, &Keypad::removeLast);
        back_->installEventFilter(this);
    }
    picture->setFixedSize(kl::kWidth, kl::kHeight);
    setPicture(QPixmap());
}

void Keypad::setPicture(const QPixmap &picture)
{
    const bool glass = !picture.isNull();
    picture_->setPixmap(picture);
    for (int i = 0; i < kl::kKeyCount; ++i) {
        QAbstractButton *key = keys_[i];
        key->setText(glass ? QString() : keyCaption(kl::kKeys[i]));
        key->setStyleSheet(glass ? QString::fromLatin1(kGlassKeys) : QString());
    }
}

QAbstractButton *Keypad::key(char character) const
{
    for (int i = 0; i < kl::kKeyCount; ++i)
        if (kl::kKeys[i] == character)
            return keys_[i];
    return nullptr;
}

bool Keypad::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == back_ && back_->isEnabled()
        && (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick)
        && static_cast<QMouseEvent *>(event)->button() != Qt::LeftButton)
        removeLast();
    return QObject::eventFilter(watched, event);
}

void Keypad::append(char character) { field_->setText(field_->text() + QLatin1Char(character)); }

void Keypad::removeLast()
{
    const QString text = field_->text();
    if (!text.isEmpty())
        field_->setText(text.left(text.size() - 1));
}

QPixmap loadKeypadPicture(const QString &folder)
{
    QPixmap picture;
    if (folder.isEmpty() || !picture.load(QDir(folder).filePath(QString::fromLatin1(kl::kPictureFile))))
        return QPixmap();
    return picture;
}
