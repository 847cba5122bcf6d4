#pragma once

// A frame of radio buttons seen as one choice: the item index is the position of the
// checked button among the frame's buttons (in creation order), -1 when none is
// checked. The settings walks read and write it through the property "itemIndex".

#include <QGroupBox>

class QRadioButton;

class RadioGroup : public QGroupBox {
    Q_OBJECT
    Q_PROPERTY(int itemIndex READ itemIndex WRITE setItemIndex NOTIFY itemIndexChanged)
public:
    explicit RadioGroup(QWidget *parent = nullptr);
    explicit RadioGroup(const QString &title, QWidget *parent = nullptr);

    // Adds a button below the existing ones.
    QRadioButton *addItem(const QString &text);
    QList<QRadioButton *> items() const;

    int itemIndex() const;
    // An index outside the items checks none.
    void setItemIndex(int index);

Q_SIGNALS:
    void itemIndexChanged(int index);

protected:
    void childEvent(QChildEvent *event) override;

private:
    void watch(QRadioButton *button);
    void notifyIndex();

    int lastIndex_ = -1;
};
