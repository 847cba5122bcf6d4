#include "mqttstatelabel.h"

#include <QBoxLayout>
#include <QLabel>

QLabel *addMqttStateLabel(QWidget &commDialog)
{
    auto *label = new QLabel(&commDialog);
    label->setObjectName(QStringLiteral("LabMqttState"));
    label->setAccessibleName(QStringLiteral("MQTT"));
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // The last item of the dialog's column is its row of buttons.
    if (auto *column = qobject_cast<QBoxLayout *>(commDialog.layout()))
        column->insertWidget(qMax(0, column->count() - 1), label);
    else if (commDialog.layout())
        commDialog.layout()->addWidget(label);
    return label;
}
