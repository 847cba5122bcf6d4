#pragma once

#include <QKeySequence>
#include <QObject>

// A hot key of the program wins over the text fields: an edit field would otherwise
// claim Ctrl+A for "select all" and the shortcut would never fire while one has the
// focus. Installed on the application object.
class HotKeyPriority : public QObject {
public:
    HotKeyPriority(const QKeySequence &key, QObject *parent);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QKeySequence key_;
};
