#pragma once

// The application object. An exception that escapes an event handler is shown to
// the operator as the general error report (a message box with the error's text)
// and the program carries on with the next event.

#include <QApplication>

#include <functional>

class MessageBoxes;

class TempmonApplication : public QApplication {
    Q_OBJECT
public:
    TempmonApplication(int &argc, char **argv, MessageBoxes &boxes);

    bool notify(QObject *receiver, QEvent *event) override;

    static QString errorCaption() { return QStringLiteral("錯誤"); }

    // Runs one delivery; an exception escaping it is reported through `boxes` with
    // its text and swallowed (false: the event counts as not handled).
    static bool deliverReportingErrors(const std::function<bool()> &deliver, MessageBoxes &boxes);

private:
    MessageBoxes &boxes_;
};
