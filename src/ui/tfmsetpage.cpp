#include "tfmsetpage.h"

#include <QFont>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace {

// White bold figures on black, so the controller being written to is unmistakable.
QLabel *headerValue(QWidget *parent, const char *name)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setMinimumWidth(48);
    label->setAlignment(Qt::AlignCenter);
    QFont font = label->font();
    font.setBold(true);
    font.setPixelSize(18);
    label->setFont(font);
    label->setStyleSheet(QStringLiteral("QLabel { background: black; color: white; padding: 2px 6px; }"));
    return label;
}

QLabel *headerCaption(QWidget *parent, const QString &text)
{
    auto *label = new QLabel(text, parent);
    QFont font = label->font();
    font.setBold(true);
    font.setPixelSize(16);
    label->setFont(font);
    return label;
}

} // namespace

TFmSetPage::TFmSetPage(PlantModel &model, MessageBoxes &boxes, const ApplicationTitle &title,
                       std::function<int()> selectedPanel, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint),
      model_(model),
      boxes_(boxes),
      title_(title),
      selectedPanel_(std::move(selectedPanel))
{
    setObjectName(QStringLiteral("FmSetPage"));
    setWindowTitle(QStringLiteral("設定溫控器"));
    setModal(false);

    auto *header = new QFrame(this);
    header->setObjectName(QStringLiteral("PnlHeader"));
    auto *row = new QHBoxLayout(header);
    LbPanel = headerValue(header, "LbPanel");
    LbNO = headerValue(header, "LbNO");
    LbID = headerValue(header, "LbID");
    row->addWidget(headerCaption(header, QStringLiteral("盤面:")));
    row->addWidget(LbPanel);
    row->addSpacing(12);
    row->addWidget(headerCaption(header, QStringLiteral("溫控點:")));
    row->addWidget(LbNO);
    row->addSpacing(12);
    row->addWidget(headerCaption(header, QStringLiteral("ID:")));
    row->addWidget(LbID);
    row->addStretch(1);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(header);
    layout->addStretch(1);
    resize(520, 420);
}

void TFmSetPage::setHeader(const QString &panel, const QString &slotNumber, const QString &id)
{
    LbPanel->setText(panel);
    LbNO->setText(slotNumber);
    LbID->setText(id);
}
