#include "printdialogs.h"

#include <QPrintDialog>
#include <QPrinter>

bool WidgetPrintDialogs::choosePrinter(QWidget *parent, QPrinter &printer)
{
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}
