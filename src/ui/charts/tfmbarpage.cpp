#include "tfmbarpage.h"
#include "ui_tfmbarpage.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QScreen>

#include <algorithm>

namespace {
// The window closes at the first check after the last bar is full: within a second.
constexpr int kCheckIntervalMs = 1000;
} // namespace

TFmBarPage::TFmBarPage(QWidget *parent)
    : QWidget(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint),
      ui(std::make_unique<Ui::TFmBarPage>())
{
    ui->setupUi(this);
    setObjectName(QStringLiteral("FmBarPage"));
    setWindowTitle(QStringLiteral("DP讀取中..."));

    QFont title = ui->LbTitle->font();
    title.setFamilies({QStringLiteral("標楷體"), QStringLiteral("AR PL UKai TW"),
                       QStringLiteral("AR PL UMing TW")});
    title.setPixelSize(24);
    title.setBold(true);
    ui->LbTitle->setFont(title);
    ui->Animate1->setFixedSize(110, 56);

    QFont rowFont = font();
    rowFont.setPixelSize(15);
    rowFont.setBold(true);
    for (int panel = 1; panel <= 3; ++panel) {
        bar(panel)->setAccessibleName(QStringLiteral("盤面%1").arg(panel));
        bar(panel)->setMinimumHeight(22);
        if (auto *label = findChild<QLabel *>(QStringLiteral("LbBar%1").arg(panel)))
            label->setFont(rowFont);
    }

    Timer1.setParent(this); // found by name like the other controls
    Timer1.setObjectName(QStringLiteral("Timer1"));
    Timer1.setInterval(kCheckIntervalMs);
    connect(&Timer1, &QTimer::timeout, this, &TFmBarPage::Timer1Timer);

    setFixedSize(sizeHint().expandedTo(QSize(380, 200)));
}

TFmBarPage::~TFmBarPage() = default;

QProgressBar *TFmBarPage::bar(int panel) const
{
    switch (panel) {
    case 1: return ui->Bar1;
    case 2: return ui->Bar2;
    case 3: return ui->Bar3;
    default: return nullptr;
    }
}

void TFmBarPage::resetBars()
{
    for (int panel = 1; panel <= 3; ++panel)
        bar(panel)->setValue(0);
}

void TFmBarPage::showForScan(const QWidget *centreOn)
{
    // An open window goes on with the scan it shows: its bars are not taken back, or
    // the panels already scanned would never fill again and the window never close.
    if (!isVisible()) {
        resetBars();
        QRect around;
        if (centreOn)
            around = centreOn->frameGeometry();
        else if (const QScreen *screen = QApplication::primaryScreen())
            around = screen->availableGeometry();
        if (around.isValid())
            move(around.center() - QPoint(width() / 2, height() / 2));
    }
    show();
    raise();
    Timer1.start();
}

void TFmBarPage::setProgress(int panel, int position)
{
    if (QProgressBar *target = bar(panel))
        target->setValue(std::clamp(position, target->minimum(), target->maximum()));
}

void TFmBarPage::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    ui->Animate1->start();
    Timer1.start();
}

void TFmBarPage::Timer1Timer()
{
    int full = 0;
    for (int panel = 1; panel <= 3; ++panel)
        if (bar(panel)->value() == bar(panel)->maximum())
            ++full;
    if (full == 3)
        close();
}

void TFmBarPage::FormClose()
{
    ui->Animate1->stop();
    Timer1.stop();
    resetBars();
    Q_EMIT scanWindowClosed();
}

void TFmBarPage::closeEvent(QCloseEvent *event)
{
    // A close of a window already hidden (as at program end) is no end of a scan.
    if (isVisible())
        FormClose();
    event->accept();
}

void TFmBarPage::hideEvent(QHideEvent *event)
{
    ui->Animate1->stop();
    Timer1.stop();
    QWidget::hideEvent(event);
}
