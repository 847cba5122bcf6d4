#include "alarmpage.h"

#include "ui_alarmpage.h"

AlarmPage::AlarmPage(QWidget *parent) : QWidget(parent), ui(std::make_unique<Ui::AlarmPage>())
{
    ui->setupUi(this);
}

AlarmPage::~AlarmPage() = default;

void AlarmPage::AnnounceAlarm(const AlarmAnnouncement &)
{
}

void AlarmPage::checkAutoPrint()
{
}
