#include "hotkeypriority.h"

#include <QKeyEvent>

HotKeyPriority::HotKeyPriority(const QKeySequence &key, QObject *parent)
    : QObject(parent), key_(key)
{
}

bool HotKeyPriority::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::ShortcutOverride) {
        auto *keyEvent = static_cast<QKeyEvent *>(event);
        // Swallowing the override leaves it unaccepted, so the shortcut map gets the key.
        if (QKeySequence(keyEvent->keyCombination()) == key_)
            return true;
    }
    return QObject::eventFilter(watched, event);
}
