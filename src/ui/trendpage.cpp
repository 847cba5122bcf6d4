#include "trendpage.h"

#include "ui_trendpage.h"

TrendPage::TrendPage(QWidget *parent) : QWidget(parent), ui(std::make_unique<Ui::TrendPage>())
{
    ui->setupUi(this);
}

TrendPage::~TrendPage() = default;
