#include "settingscontrols.h"

#include "pointcountfield.h"
#include "radiogroup.h"

#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>

namespace {

void selectItem(QComboBox *list, int index)
{
    list->setCurrentIndex(index >= 0 && index < list->count() ? index : -1);
}

SettingValue listSetting(const QString &name, SettingKind kind, QComboBox *list, int initial)
{
    return {name, kind, initial, [list] { return QVariant(list->currentIndex()); },
            [list](const QVariant &index) {
                selectItem(list, index.toInt());
                return true;
            }};
}

} // namespace

SettingValue textSetting(const QString &name, QLineEdit *field, const QString &initial)
{
    return {name, SettingKind::Text, initial, [field] { return QVariant(field->text()); },
            [field](const QVariant &text) {
                field->setText(text.toString());
                return true;
            }};
}

SettingValue textSetting(const QString &name, PointCountField *field, const QString &initial)
{
    return {name, SettingKind::Text, initial, [field] { return QVariant(field->text()); },
            [field](const QVariant &text) {
                field->setText(text.toString());
                return true;
            }};
}

SettingValue numberSetting(const QString &name, QLineEdit *field, int initial)
{
    return {name, SettingKind::Integer, initial, [field] { return QVariant(field->text()); },
            [field](const QVariant &number) {
                field->setText(QString::number(number.toInt()));
                return true;
            }};
}

SettingValue indexSetting(const QString &name, QComboBox *list, int initial)
{
    return listSetting(name, SettingKind::Integer, list, initial);
}

SettingValue indexTextSetting(const QString &name, QComboBox *list, int initial)
{
    return listSetting(name, SettingKind::IntegerText, list, initial);
}

SettingValue indexSetting(const QString &name, RadioGroup *group, int initial)
{
    return {name, SettingKind::Integer, initial, [group] { return QVariant(group->itemIndex()); },
            [group](const QVariant &index) {
                group->setItemIndex(index.toInt());
                return true;
            }};
}

SettingValue flagSetting(const QString &name, QAbstractButton *box, bool initial)
{
    return {name, SettingKind::Flag, initial, [box] { return QVariant(box->isChecked()); },
            [box](const QVariant &on) {
                box->setChecked(on.toBool());
                return true;
            }};
}

SettingValue radioSetting(const QString &name, QRadioButton *button, bool initial)
{
    return {name, SettingKind::Flag, initial, [button] { return QVariant(button->isChecked()); },
            [button](const QVariant &on) {
                if (on.toBool()) {
                    button->click();
                    return true;
                }
                // The checked button of an exclusive group cannot be cleared otherwise.
                const bool exclusive = button->autoExclusive();
                button->setAutoExclusive(false);
                button->setChecked(false);
                button->setAutoExclusive(exclusive);
                return true;
            }};
}
