#pragma once

// The MQTT publisher's state line in the communication dialog: a label LabMqttState
// placed above the dialog's buttons, added only when the publisher is switched on.

class QLabel;
class QWidget;

QLabel *addMqttStateLabel(QWidget &commDialog);
