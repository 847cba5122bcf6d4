#include "settingscontrols.h"

#include <QAbstractButton>

void selectRadioByClick(QObject *radioButton)
{
    if (auto *button = qobject_cast<QAbstractButton *>(radioButton))
        button->click();
}
