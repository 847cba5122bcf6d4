#include "tfmlinehealth.h"

#include "ui_tfmlinehealth.h"

#include "plantmodel.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QShowEvent>

#include <chrono>

namespace {

enum Column { Panel, Slot, Station, Transactions, GoodPercent, Timeouts, Checksum, Echo, Retries,
              LastMs, MedianMs, P95Ms };

const char *const kHeaders[TFmLineHealth::kColumnCount] = {
    "盤面", "溫控點", "站號", "通訊次數", "成功 %", "逾時", "檢查碼錯誤", "回音錯誤", "重試",
    "最近 ms", "中位 ms", "95 % ms"};

// Amber behind black text: reads as a warning without being taken for an alarm's red.
const QColor kWarningColour(255, 204, 102);

QString oneDecimal(double value)
{
    return QString::number(value, 'f', 1);
}

int rowOf(int panel, int slot)
{
    return (panel - 1) * kSlotCount + (slot - 1);
}

} // namespace

TFmLineHealth::TFmLineHealth(PlantModel &model, QWidget *parent)
    : QWidget(parent), model_(model), ui(std::make_unique<Ui::TFmLineHealth>())
{
    ui->setupUi(this);
    setWindowFlag(Qt::Window);
    ui->LabLegend->setText(QStringLiteral("底色標示：最近一分鐘內有通訊失敗"));
    QPalette legend = ui->LabLegend->palette();
    legend.setColor(QPalette::Window, kWarningColour);
    ui->LabLegend->setPalette(legend);
    ui->LabLegend->setAutoFillBackground(true);

    QTableWidget *table = ui->TblLineHealth;
    table->setColumnCount(kColumnCount);
    table->setRowCount(kPanelCount * kSlotCount);
    QStringList headers;
    for (const char *header : kHeaders)
        headers << QString::fromUtf8(header);
    table->setHorizontalHeaderLabels(headers);
    table->verticalHeader()->hide();
    for (int p = 1; p <= kPanelCount; ++p) {
        for (int s = 1; s <= kSlotCount; ++s) {
            for (int c = 0; c < kColumnCount; ++c) {
                auto *item = new QTableWidgetItem;
                item->setTextAlignment(c <= Station ? Qt::AlignCenter : int(Qt::AlignRight | Qt::AlignVCenter));
                table->setItem(rowOf(p, s), c, item);
            }
            table->item(rowOf(p, s), Panel)->setText(QString::number(p));
            table->item(rowOf(p, s), Slot)->setText(QString::number(s));
        }
    }
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);

    TmrRefresh.setObjectName(QStringLiteral("TmrRefresh"));
    TmrRefresh.setInterval(kRefreshMs);
    connect(&TmrRefresh, &QTimer::timeout, this, &TFmLineHealth::TmrRefreshTimer);
    connect(ui->BtnZero, &QPushButton::clicked, this, &TFmLineHealth::BtnZeroClick);
    connect(ui->BtnCopy, &QPushButton::clicked, this, &TFmLineHealth::BtnCopyClick);
}

TFmLineHealth::~TFmLineHealth() = default;

void TFmLineHealth::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    TmrRefreshTimer(); // no second of stale or empty cells after opening
    TmrRefresh.start();
}

void TFmLineHealth::hideEvent(QHideEvent *event)
{
    TmrRefresh.stop();
    QWidget::hideEvent(event);
}

void TFmLineHealth::TmrRefreshTimer()
{
    // One guarded copy; the medians are worked out here, off the engine's lock.
    const LineHealthBook book = model_.lineHealth();
    const auto now = std::chrono::steady_clock::now();
    for (int p = 1; p <= kPanelCount; ++p) {
        showCycle(p, book.cycle(p));
        for (int s = 1; s <= kSlotCount; ++s)
            showStation(rowOf(p, s), p, s, book.station(p, s, now));
    }
}

void TFmLineHealth::showStation(int row, int panel, int slot, const StationFigures &f)
{
    QTableWidget *table = ui->TblLineHealth;
    const auto set = [&](int column, const QString &text) { table->item(row, column)->setText(text); };
    const auto count = [](long long n) { return QString::number(n); };
    set(Station, QString::number(model_.stationId(panel, slot)));
    set(Transactions, count(f.transactions));
    set(GoodPercent, f.transactions ? oneDecimal(f.goodPercent()) : QString());
    set(Timeouts, count(f.timeouts));
    set(Checksum, count(f.checksum));
    set(Echo, count(f.echo));
    set(Retries, count(f.retries));
    set(LastMs, f.hasReplyTime ? oneDecimal(f.lastMs) : QString());
    set(MedianMs, f.hasReplyTime ? oneDecimal(f.medianMs) : QString());
    set(P95Ms, f.hasReplyTime ? oneDecimal(f.p95Ms) : QString());

    // The colour for the eye, the same words for a screen reader.
    const bool warn = f.failedWithin(kRecentFailureSeconds);
    const QBrush background = warn ? QBrush(kWarningColour) : QBrush();
    const QString hint = warn ? QStringLiteral("最近一分鐘內有通訊失敗") : QString();
    for (int c = 0; c < kColumnCount; ++c) {
        QTableWidgetItem *item = table->item(row, c);
        item->setBackground(background);
        item->setForeground(warn ? QBrush(Qt::black) : QBrush());
        item->setToolTip(hint);
        item->setData(Qt::AccessibleDescriptionRole, hint);
    }
}

void TFmLineHealth::showCycle(int panel, const CycleFigures &f)
{
    QLabel *const labels[] = {nullptr, ui->LabCycleA, ui->LabCycleB, ui->LabCycleC};
    const QString name = QStringLiteral("盤面%1 週期：").arg(panel);
    labels[panel]->setText(f.measured ? name + QStringLiteral("最近 %1 ms，中位 %2 ms")
                                                   .arg(oneDecimal(f.lastMs), oneDecimal(f.medianMs))
                                      : name + QStringLiteral("尚無"));
}

void TFmLineHealth::BtnZeroClick()
{
    model_.resetLineHealth();
    TmrRefreshTimer();
}

QString TFmLineHealth::tableText() const
{
    const QTableWidget *table = ui->TblLineHealth;
    QStringList lines;
    QStringList cells;
    for (int c = 0; c < kColumnCount; ++c)
        cells << table->horizontalHeaderItem(c)->text();
    lines << cells.join(QLatin1Char('\t'));
    for (int r = 0; r < table->rowCount(); ++r) {
        cells.clear();
        for (int c = 0; c < kColumnCount; ++c)
            cells << table->item(r, c)->text();
        lines << cells.join(QLatin1Char('\t'));
    }
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

void TFmLineHealth::BtnCopyClick()
{
    QGuiApplication::clipboard()->setText(tableText());
}
