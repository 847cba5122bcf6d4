#include "tempmonapplication.h"

#include "messageboxes.h"
#include "uilog.h"

#include <exception>

TempmonApplication::TempmonApplication(int &argc, char **argv, MessageBoxes &boxes)
    : QApplication(argc, argv), boxes_(boxes)
{
}

namespace {

// A box runs its own event loop; an error raised while one is up is only logged,
// so a handler that fails on every event cannot stack boxes without end.
int reportDepth = 0;

void report(MessageBoxes &boxes, const QString &text)
{
    if (reportDepth > 0) {
        qCCritical(lcUi) << "error while an error was being shown:" << text;
        return;
    }
    ++reportDepth;
    boxes.show(QApplication::activeWindow(), TempmonApplication::errorCaption(), text, MessageBoxes::Icon::Error);
    --reportDepth;
}

} // namespace

bool TempmonApplication::notify(QObject *receiver, QEvent *event)
{
    return deliverReportingErrors([&] { return QApplication::notify(receiver, event); }, boxes_);
}

bool TempmonApplication::deliverReportingErrors(const std::function<bool()> &deliver, MessageBoxes &boxes)
{
    try {
        return deliver();
    } catch (const std::exception &error) {
        report(boxes, QString::fromUtf8(error.what()));
    } catch (...) {
        report(boxes, QStringLiteral("發生未知的錯誤。"));
    }
    return false;
}
