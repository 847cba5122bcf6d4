#include "recipepage.h"

#include "ui_recipepage.h"

RecipePage::RecipePage(QWidget *parent) : QWidget(parent), ui(std::make_unique<Ui::RecipePage>())
{
    ui->setupUi(this);
}

RecipePage::~RecipePage() = default;

bool RecipePage::takesRejection(const RejectedWrite &)
{
    return false;
}
