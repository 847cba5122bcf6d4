#include "panelswitch.h"

#include <QAbstractButton>
#include <QFont>

void setBold(QWidget *widget, bool bold)
{
    QFont font = widget->font();
    font.setBold(bold);
    widget->setFont(font);
}

void markChosenButton(const std::vector<QAbstractButton *> &buttons, const QAbstractButton *chosen,
                      const QIcon &marker)
{
    for (QAbstractButton *button : buttons) {
        if (!button)
            continue;
        const bool isChosen = button == chosen;
        setBold(button, isChosen);
        button->setIcon(isChosen ? marker : QIcon());
    }
}
