#pragma once

// What the add and modify alarm dialogs share: their frame and buttons, and the
// high and low limit fields. Both limits are read before any row is touched, so a
// limit that is not a number stores nothing.

#include <QString>

#include <functional>
#include <optional>

class LocaleFormats;
class MessageBoxes;
class QAbstractButton;
class QDialog;
class QLabel;
class QLineEdit;
class QWidget;
struct TableResult;

// Names the dialog, gives it its caption and a fixed size, leaves it modeless, and
// connects OK to `okClicked` and Cancel to `cancelClicked`.
void setUpAlarmDialog(QDialog *dialog, const QString &objectName, const QString &caption, QAbstractButton *ok,
                      QAbstractButton *cancel, const std::function<void()> &okClicked,
                      const std::function<void()> &cancelClicked);

// Closes the dialog when the rows were stored; otherwise names the refusal and keeps
// it open for another try.
void closeAlarmDialogIfStored(QDialog *dialog, const TableResult &stored, MessageBoxes &boxes);

struct AlarmLimitFields {
    QLineEdit *high;
    QLabel *highLabel;
    QLineEdit *low;
    QLabel *lowLabel;
};

struct AlarmLimitValues {
    double high;
    double low;
};

// Both limits as numbers in the locale's notation; otherwise the first field that
// holds none is named to the operator, focused and selected, and nothing comes back.
std::optional<AlarmLimitValues> readAlarmLimits(QWidget *dialog, const AlarmLimitFields &fields,
                                                MessageBoxes &boxes, const LocaleFormats *locale);
