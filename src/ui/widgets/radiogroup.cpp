#include "radiogroup.h"

#include <QChildEvent>
#include <QRadioButton>
#include <QVBoxLayout>

RadioGroup::RadioGroup(QWidget *parent) : QGroupBox(parent) {}

RadioGroup::RadioGroup(const QString &title, QWidget *parent) : QGroupBox(title, parent) {}

QRadioButton *RadioGroup::addItem(const QString &text)
{
    auto *box = qobject_cast<QVBoxLayout *>(layout());
    if (!box && !layout())
        box = new QVBoxLayout(this);
    auto *button = new QRadioButton(text, this);
    if (box)
        box->addWidget(button);
    else
        layout()->addWidget(button);
    watch(button);
    return button;
}

QList<QRadioButton *> RadioGroup::items() const
{
    return findChildren<QRadioButton *>(QString(), Qt::FindDirectChildrenOnly);
}

int RadioGroup::itemIndex() const
{
    const QList<QRadioButton *> buttons = items();
    for (int i = 0; i < buttons.size(); ++i) {
        if (buttons[i]->isChecked())
            return i;
    }
    return -1;
}

void RadioGroup::setItemIndex(int index)
{
    const QList<QRadioButton *> buttons = items();
    if (index >= 0 && index < buttons.size()) {
        buttons[index]->setChecked(true);
        notifyIndex();
        return;
    }
    // Auto-exclusive buttons refuse to be unchecked one by one.
    for (QRadioButton *button : buttons) {
        const bool exclusive = button->autoExclusive();
        button->setAutoExclusive(false);
        button->setChecked(false);
        button->setAutoExclusive(exclusive);
    }
    notifyIndex();
}

void RadioGroup::childEvent(QChildEvent *event)
{
    QGroupBox::childEvent(event);
    // Buttons made by Designer forms are parented before they are fully constructed, so
    // they are hooked up when polished rather than when added.
    if (event->type() == QEvent::ChildPolished) {
        if (auto *button = qobject_cast<QRadioButton *>(event->child()))
            watch(button);
    }
}

void RadioGroup::watch(QRadioButton *button)
{
    if (button->property("_radioGroupWatched").toBool())
        return;
    button->setProperty("_radioGroupWatched", true);
    connect(button, &QRadioButton::toggled, this, &RadioGroup::notifyIndex);
}

void RadioGroup::notifyIndex()
{
    const int index = itemIndex();
    if (index == lastIndex_)
        return;
    lastIndex_ = index;
    Q_EMIT itemIndexChanged(index);
}
