#include "tfmalmdlg.h"

#include "ui_tfmalmdlg.h"

#include "alarmlog.h"
#include "alarmtext.h"
#include "skyblue.h"

#include <QCloseEvent>
#include <QHideEvent>
#include <QStyle>

TFmAlmDlg::TFmAlmDlg(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint), ui(std::make_unique<Ui::TFmAlmDlg>())
{
    ui->setupUi(this);
    setObjectName(QStringLiteral("FmAlmDlg"));
    setWindowTitle(QStringLiteral("警報訊息"));
    setModal(false);
    setFixedSize(size());

    paintSkyBlue(this);
    setAutoFillBackground(true);
    QPalette yellow = ui->STxtAlmCount->palette();
    yellow.setColor(QPalette::Window, Qt::yellow);
    yellow.setColor(QPalette::WindowText, Qt::black);
    ui->STxtAlmCount->setPalette(yellow);
    ui->Image1->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(32, 32));

    connect(ui->BtnOK, &QPushButton::clicked, this, &TFmAlmDlg::BtnOKClick);
}

TFmAlmDlg::~TFmAlmDlg() = default;

void TFmAlmDlg::addAlarm(const QString &message)
{
    ui->LstAlarm->addItem(alarmWindowLine(ui->LstAlarm->count() + 1, message));
    ui->STxtAlmCount->setText(QString::number(ui->LstAlarm->count()));
    ui->LstAlarm->scrollToBottom();
}

int TFmAlmDlg::lineCount() const { return ui->LstAlarm->count(); }

void TFmAlmDlg::follow(const AlarmLog &log)
{
    connect(&log, &AlarmLog::announced, this, &TFmAlmDlg::showAlarm, Qt::UniqueConnection);
}

void TFmAlmDlg::showAlarm(const AnnouncedAlarm &alarm)
{
    addAlarm(alarm.message);
    show();
}

void TFmAlmDlg::BtnOKClick() { hide(); }

void TFmAlmDlg::FormHide()
{
    ui->STxtAlmCount->setText(QStringLiteral("0"));
    ui->LstAlarm->clear();
}

void TFmAlmDlg::FormClose() { FormHide(); }

void TFmAlmDlg::hideEvent(QHideEvent *event)
{
    QDialog::hideEvent(event);
    // Minimising is the window system's doing; only a real hide empties the window.
    if (!event->spontaneous())
        FormHide();
}

void TFmAlmDlg::closeEvent(QCloseEvent *event)
{
    FormClose();
    QDialog::closeEvent(event);
}
