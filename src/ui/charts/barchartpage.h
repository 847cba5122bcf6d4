#pragma once

// The bar page of the main window (Panel5): the PV of the ten slots of a panel as
// ten coloured bars with their values, one chart per panel, all three refreshed on
// every display tick whatever page is in front.

#include "readingssnapshot.h"

#include <QIcon>
#include <QWidget>

#include <array>
#include <memory>

class ChartView;
class QAbstractButton;

namespace Ui {
class BarChartPage;
}

class BarChartPage : public QWidget {
    Q_OBJECT
public:
    explicit BarChartPage(QWidget *parent = nullptr);
    ~BarChartPage() override;

    // The picture that marks the selected panel button; shows panel 1's bars, as the
    // main window does when it is made.
    void attach(const QIcon &selectedMark);

    // The display tick's part: all three charts, whatever page is in front, from the
    // tick's snapshots (index 0 unused).
    void refresh(const std::array<ReadingsSnapshot, kPanelCount + 1> &readings);

    ChartView *chart(int panel) const; // BarChart1..BarChart3; nullptr outside 1..3
    int shownPanel() const { return shownPanel_; }

public Q_SLOTS:
    void BtnBar1Click();
    void BtnBar2Click();
    void BtnBar3Click();

private:
    void setUpChart(int panel);
    void showPanel(int panel);
    QWidget *barPage(int panel) const;
    QAbstractButton *barButton(int panel) const;

    std::unique_ptr<Ui::BarChartPage> ui;
    QIcon selectedMark_;
    int shownPanel_ = 1;
};
