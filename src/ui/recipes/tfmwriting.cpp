#include "tfmwriting.h"

#include "ui_tfmwriting.h"

#include <QGuiApplication>
#include <QHideEvent>
#include <QScreen>
#include <QShowEvent>
#include <QTimer>

TFmWriting::TFmWriting(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowStaysOnTopHint),
      ui(std::make_unique<Ui::TFmWriting>())
{
    ui->setupUi(this);
    setObjectName(QStringLiteral("FmWriting"));
    setWindowTitle(QStringLiteral("Write Recipe"));
    setModal(false);
    setFixedSize(size());

    timer1_ = new QTimer(this);
    timer1_->setObjectName(QStringLiteral("Timer1"));
    timer1_->setInterval(1000);
    connect(timer1_, &QTimer::timeout, this, &TFmWriting::Timer1Timer);
    connect(ui->BtnOK, &QPushButton::clicked, this, &TFmWriting::BtnOKClick);
    timer1_->start();
}

TFmWriting::~TFmWriting() = default;

QLabel *TFmWriting::LbTitle() const { return ui->LbTitle; }
QProgressBar *TFmWriting::Bar() const { return ui->Bar; }
QPushButton *TFmWriting::BtnOK() const { return ui->BtnOK; }

void TFmWriting::beginWrite(const QString &title, int requests, const QWidget *centreOn)
{
    if (!isVisible()) {
        QRect around;
        if (centreOn)
            around = centreOn->frameGeometry();
        else if (const QScreen *screen = QGuiApplication::primaryScreen())
            around = screen->availableGeometry();
        if (around.isValid())
            move(around.center() - QPoint(width() / 2, height() / 2));
    }
    show();
    raise();
    // Shown already (the last write's "OK" not yet pressed): start over all the same.
    FormShow();
    ui->LbTitle->setText(title);
    ui->Bar->setRange(0, requests);
    ui->Bar->setValue(0);
}

void TFmWriting::setPosition(int placed)
{
    ui->Bar->setValue(placed);
}

void TFmWriting::Timer1Timer()
{
    if (ui->Bar->value() != ui->Bar->maximum())
        return;
    ui->BtnOK->show();
    ui->LbTitle->setText(QStringLiteral("寫入完成!"));
}

void TFmWriting::BtnOKClick()
{
    close();
}

void TFmWriting::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

// Every way of closing ends here: "OK", the frame's close button, Escape.
void TFmWriting::hideEvent(QHideEvent *event)
{
    QDialog::hideEvent(event);
    if (!event->spontaneous())
        FormClose();
}

void TFmWriting::FormShow()
{
    ui->BtnOK->hide();
    timer1_->start();
}

void TFmWriting::FormClose()
{
    timer1_->stop();
    ui->Bar->setValue(ui->Bar->minimum());
}
