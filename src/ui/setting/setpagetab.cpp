#include "setpagetab.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QWidget>

#include <stdexcept>

SetPageTab::SetPageTab(Level level, QWidget *tab, const QString &suffix, const QString &pictureName,
                       Keypad::BackKey backKey)
    : level_(level), tab_(tab), suffix_(suffix)
{
    selector_ = control<QComboBox>(QStringLiteral("Type") + suffix);
    if (!pictureName.isEmpty()) {
        field_ = control<QLineEdit>(suffix + QStringLiteral("Value"));
        picture_ = control<QLabel>(pictureName);
        keypad_ = new Keypad(picture_, field_, suffix, backKey);
    }
    for (const ParameterEntry &entry : entriesOf(level)) {
        for (QWidget *widget : formOf(entry))
            if (!entryControls_.contains(widget))
                entryControls_.append(widget);
    }
    fillSelectors();
    showEntryForm();
    QObject::connect(selector_, &QComboBox::currentTextChanged, &connections_, [this] { showEntryForm(); });
}

template <typename T>
T *SetPageTab::control(const QString &name) const
{
    T *found = tab_->findChild<T *>(name);
    if (!found)
        throw std::logic_error("setting page control missing: " + name.toStdString());
    return found;
}

const ParameterEntry &SetPageTab::entry() const
{
    // The selector lists the catalogue's mnemonics and takes no typed text.
    const ParameterEntry *found = findParameter(level_, selector_->currentText().toStdString());
    return found ? *found : entriesOf(level_)[0];
}

EntryInput SetPageTab::input() const
{
    EntryInput input;
    if (field_)
        input.fieldText = field_->text();
    const QList<QComboBox *> selectors = selectorsOf(entry());
    for (int i = 0; i < selectors.size() && i < kMaxEntrySelectors; ++i)
        input.indexes[std::size_t(i)] = selectors[i]->currentIndex();
    return input;
}

void SetPageTab::clearField()
{
    if (field_)
        field_->clear();
}

void SetPageTab::fillSelectors()
{
    for (const ParameterEntry &entry : entriesOf(level_))
        selector_->addItem(QString::fromLatin1(entry.mnemonic));
    selector_->setEditable(false);
    selector_->setCurrentText(QString::fromLatin1(initialMnemonic(level_)));

    // Shared digit and time selectors take their items from the first parameter
    // that uses them.
    QList<QComboBox *> filled;
    for (const ParameterEntry &entry : entriesOf(level_)) {
        const QList<QComboBox *> selectors = selectorsOf(entry);
        for (int i = 0; i < selectors.size(); ++i) {
            QComboBox *box = selectors[i];
            if (filled.contains(box))
                continue;
            filled.append(box);
            box->setEditable(false);
            for (const char *item : entry.selectors[i].items)
                box->addItem(QString::fromLatin1(item));
            box->setCurrentIndex(entry.selectors[i].initial);
        }
    }
}

void SetPageTab::showEntryForm()
{
    const ParameterEntry &chosen = entry();
    const QList<QWidget *> form = formOf(chosen);
    for (QWidget *widget : entryControls_)
        widget->setVisible(form.contains(widget));
    if (keypad_) {
        const bool typed = chosen.entry == EntryKind::Keypad;
        field_->setVisible(typed);
        picture_->setVisible(typed);
        picture_->setEnabled(typed);
    }
}

QList<QWidget *> SetPageTab::formOf(const ParameterEntry &entry) const
{
    QList<QWidget *> form;
    for (QComboBox *box : selectorsOf(entry))
        form.append(box);
    if (entry.entry == EntryKind::MinSec)
        form.insert(2, control<QLabel>(QStringLiteral("TimeLabel") + suffix_));
    return form;
}

QList<QComboBox *> SetPageTab::selectorsOf(const ParameterEntry &entry) const
{
    QList<QComboBox *> boxes;
    switch (entry.entry) {
    case EntryKind::Keypad:
        break;
    case EntryKind::YesNo:
        boxes.append(control<QComboBox>(QStringLiteral("YesNo") + suffix_));
        break;
    case EntryKind::Choice:
        boxes.append(control<QComboBox>(QString::fromLatin1(entry.mnemonic) + suffix_));
        break;
    case EntryKind::BitDigits:
        for (int d = 4; d >= 1; --d)
            boxes.append(control<QComboBox>(QStringLiteral("Digit%1").arg(d) + suffix_));
        break;
    case EntryKind::MinSec:
        for (int d = 4; d >= 1; --d)
            boxes.append(control<QComboBox>(QStringLiteral("Time%1").arg(d) + suffix_));
        break;
    }
    return boxes;
}
