#pragma once

// Every message box of the program goes through here, so that tests record what
// the operator would have been told instead of blocking on a modal dialog.

#include <QString>

class QMessageBox;
class QWidget;

class MessageBoxes {
public:
    enum class Icon { None, Information, Warning, Error, Question };
    virtual ~MessageBoxes() = default;

    virtual void show(QWidget *parent, const QString &caption, const QString &text, Icon icon) = 0;
    // Yes/no question; true for yes.
    virtual bool ask(QWidget *parent, const QString &caption, const QString &text) = 0;
};

// The real boxes, modal on the window thread.
class WidgetMessageBoxes : public MessageBoxes {
public:
    void show(QWidget *parent, const QString &caption, const QString &text, Icon icon) override;
    bool ask(QWidget *parent, const QString &caption, const QString &text) override;
};

// Widens `box` so that its frame has room for the whole caption beside the frame's
// buttons: a box sized to a short text shows only the caption's first character.
void makeRoomForCaption(QMessageBox &box);
