#include "barchartpage.h"

#include "ui_barchartpage.h"

BarChartPage::BarChartPage(QWidget *parent) : QWidget(parent), ui(std::make_unique<Ui::BarChartPage>())
{
    ui->setupUi(this);
}

BarChartPage::~BarChartPage() = default;

void BarChartPage::refresh(const PlantModel &)
{
}
