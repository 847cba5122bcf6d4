#pragma once

// The setting page: writes one parameter at a time to the controller whose tile
// opened it. The header names that controller; the main window fills it from the
// tile's setting button.

#include <QDialog>

#include <functional>

class ApplicationTitle;
class MessageBoxes;
class PlantModel;
class QLabel;

class TFmSetPage : public QDialog {
    Q_OBJECT
public:
    // `selectedPanel` answers the panel chosen on the main window at the moment of a
    // write, which is where the write goes.
    TFmSetPage(PlantModel &model, MessageBoxes &boxes, const ApplicationTitle &title,
               std::function<int()> selectedPanel, QWidget *parent = nullptr);

    // The tile's setting button: panel number "1".."3", slot "01".."10", station ID text.
    void setHeader(const QString &panel, const QString &slotNumber, const QString &id);

    QLabel *LbPanel = nullptr;
    QLabel *LbNO = nullptr;
    QLabel *LbID = nullptr;

private:
    PlantModel &model_;
    MessageBoxes &boxes_;
    const ApplicationTitle &title_;
    std::function<int()> selectedPanel_;
};
