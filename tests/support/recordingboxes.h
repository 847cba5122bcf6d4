#pragma once

// Message boxes that are recorded instead of shown, for every suite that drives a
// window: what the operator would have been told, in order.

#include "messageboxes.h"

#include <QList>
#include <QString>

#include <functional>

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
        if (whileShown)
            whileShown(); // a test's stand-in for the modal box's own event loop
    }
    // Questions are answered yes.
    bool ask(QWidget *, const QString &, const QString &) override { return true; }

    QList<ShownBox> shown;
    std::function<void()> whileShown;
};
