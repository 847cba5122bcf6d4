#pragma once

// The setting page: writes one parameter at a time to the controller whose tile
// opened it. The header names that controller; the main window fills it from the
// tile's setting button. Six tabs offer the catalogue's levels; each write button
// composes the value text from the tab's entry and places the write with the
// engine without waiting for it.

#include <QDialog>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>

class ApplicationTitle;
class MessageBoxes;
class PlantModel;
class QLabel;
class SetPageTab;

namespace Ui {
class TFmSetPage;
}

class TFmSetPage : public QDialog {
    Q_OBJECT
public:
    // `selectedPanel` answers the panel chosen on the main window at the moment of a
    // write, which is where the write goes.
    TFmSetPage(PlantModel &model, MessageBoxes &boxes, const ApplicationTitle &title,
               std::function<int()> selectedPanel, QWidget *parent = nullptr);
    ~TFmSetPage() override;

    // The tile's setting button: panel number "1".."3", slot "01".."10", station ID text.
    void setHeader(const QString &panel, const QString &slotNumber, const QString &id);

    // The folder the keypad picture is read from (the program's own); until it is
    // given, or when the picture is missing, the keys show their characters.
    void setPictureFolder(const QString &folder);

    // The parameter code of the last write placed (0 before the first).
    std::uint8_t lastParameterCode() const { return parameterCode_; }

    QLabel *LbPanel = nullptr;
    QLabel *LbNO = nullptr;
    QLabel *LbID = nullptr;

public Q_SLOTS:
    void WritwL1Click();
    void WritwL2Click();
    void WritwL3Click();
    void WritwL4Click();
    void WritwP1Click();
    void WritwP2Click();

private:
    // Level 1 and Level 2: the "." test, then for typed values the empty, number and
    // range tests, each with its message; places the write when all pass.
    void writeChecked(SetPageTab &tab);
    void place(SetPageTab &tab);
    SetPageTab &tab(int index) { return *tabs_[std::size_t(index)]; }

    PlantModel &model_;
    MessageBoxes &boxes_;
    const ApplicationTitle &title_;
    std::function<int()> selectedPanel_;
    std::uint8_t parameterCode_ = 0;
    std::unique_ptr<Ui::TFmSetPage> ui;
    std::array<std::unique_ptr<SetPageTab>, 6> tabs_;
};
