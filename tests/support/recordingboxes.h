#pragma once

// Message boxes that are recorded instead of shown, for every suite that drives a
// window: what the operator would have been told, in order.

#include "messageboxes.h"

#include <QList>
#include <QString>

struct ShownBox {
    QString caption;
    QString text;
    MessageBoxes::Icon icon;
};

class RecordingBoxes : public MessageBoxes {
public:
    void show(QWidget *, const QString &caption, const QString &text, Icon icon) override
    {
        shown.append({caption, text, icon});
    }
    // Questions are answered yes.
    bool ask(QWidget *, const QString &, const QString &) override { return true; }

    QList<ShownBox> shown;
};
