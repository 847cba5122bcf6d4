#pragma once

// The print dialog: the operator chooses and sets up the printer before a print-out.
// Tests put in one that answers by itself instead of blocking on a modal dialog.

class QPrinter;
class QWidget;

class PrintDialogs {
public:
    virtual ~PrintDialogs() = default;
    // Shows the dialog for `printer`, which takes the operator's choices; false when
    // the operator cancelled (the printer is then as it was).
    virtual bool choosePrinter(QWidget *parent, QPrinter &printer) = 0;
};

// The platform's print dialog, modal on the window thread.
class WidgetPrintDialogs : public PrintDialogs {
public:
    bool choosePrinter(QWidget *parent, QPrinter &printer) override;
};
