#include "alarmlimitfields.h"

#include "alarmpoints.h"
#include "localeformats.h"
#include "messageboxes.h"

#include <QLabel>
#include <QLineEdit>

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
