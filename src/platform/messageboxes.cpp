#include "messageboxes.h"

#include <QMessageBox>

void WidgetMessageBoxes::show(QWidget *parent, const QString &caption, const QString &text, Icon icon)
{
    QMessageBox::Icon qtIcon = QMessageBox::Information;
    switch (icon) {
    case Icon::None: qtIcon = QMessageBox::NoIcon; break;
    case Icon::Information: qtIcon = QMessageBox::Information; break;
    case Icon::Warning: qtIcon = QMessageBox::Warning; break;
    case Icon::Error: qtIcon = QMessageBox::Critical; break;
    case Icon::Question: qtIcon = QMessageBox::Question; break;
    }
    QMessageBox box(qtIcon, caption, text, QMessageBox::Ok, parent);
    box.exec();
}

bool WidgetMessageBoxes::ask(QWidget *parent, const QString &caption, const QString &text)
{
    return QMessageBox::question(parent, caption, text, QMessageBox::Yes | QMessageBox::No)
           == QMessageBox::Yes;
}
