#pragma once

// The bar page of the main window (Panel5): the PV of every slot as bars, one chart
// per panel, refreshed on every display tick.

#include <QWidget>

#include <memory>

class PlantModel;

namespace Ui {
class BarChartPage;
}

class BarChartPage : public QWidget {
    Q_OBJECT
public:
    explicit BarChartPage(QWidget *parent = nullptr);
    ~BarChartPage() override;

    // The display tick's part: all three charts, whatever page is in front.
    void refresh(const PlantModel &model);

private:
    std::unique_ptr<Ui::BarChartPage> ui;
};
