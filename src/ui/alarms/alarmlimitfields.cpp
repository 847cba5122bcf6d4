#include "alarmlimitfields.h"

#include "alarmpoints.h"
#include "localeformats.h"
#include "messageboxes.h"
#include "tableresult.h"
#include "tempmonapplication.h"

#include <QAbstractButton>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>

void setUpAlarmDialog(QDialog *dialog, const QString &objectName, const QString &caption, QAbstractButton *ok,
                      QAbstractButton *cancel, const std::function<void()> &okClicked,
                      const std::function<void()> &cancelClicked)
{
    dialog->setObjectName(objectName);
    dialog->setWindowTitle(caption);
    dialog->setModal(false);
    dialog->setFixedSize(dialog->size());
    QObject::connect(ok, &QAbstractButton::clicked, dialog, okClicked);
    QObject::connect(cancel, &QAbstractButton::clicked, dialog, cancelClicked);
}

void closeAlarmDialogIfStored(QDialog *dialog, const TableResult &stored, MessageBoxes &boxes)
{
    if (!stored) {
        boxes.show(dialog, TempmonApplication::errorCaption(), stored.error, MessageBoxes::Icon::Error);
        return;
    }
    dialog->hide();
}

std::optional<AlarmLimitValues> readAlarmLimits(QWidget *dialog, const AlarmLimitFields &fields,
                                                MessageBoxes &boxes, const LocaleFormats *locale)
{
    const QChar separator = locale ? locale->decimalSeparator() : QLatin1Char('.');
    const std::optional<double> high = alarmLimitNumber(fields.high->text(), separator);
    const std::optional<double> low = alarmLimitNumber(fields.low->text(), separator);
    if (high && low)
        return AlarmLimitValues{*high, *low};
    QLineEdit *field = !high ? fields.high : fields.low;
    QLabel *label = !high ? fields.highLabel : fields.lowLabel;
    boxes.show(dialog, QStringLiteral("訊息"), limitNotANumberMessage(label->text(), field->text()),
               MessageBoxes::Icon::Warning);
    field->setFocus();
    field->selectAll();
    return std::nullopt;
}
