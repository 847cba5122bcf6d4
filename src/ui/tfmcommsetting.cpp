#include "tfmcommsetting.h"

#include "ui_tfmcommsetting.h"

#include "messageboxes.h"
#include "plantmodel.h"
#include "portmap.h"
#include "settingsmessages.h"
#include "settingsstore.h"
#include "strictint.h"
#include "systemportsearch.h"

#include <QFocusEvent>
#include <QShowEvent>

namespace {
const QString kKey = QStringLiteral("FmCommSetting");
const QString kErrorCaption = QStringLiteral("錯誤");
const QString kNoticeCaption = QStringLiteral("訊息");
constexpr int kBaudRates[] = {38400, 19200, 9600, 4800, 2400};
constexpr int kBaudCount = sizeof kBaudRates / sizeof kBaudRates[0];
constexpr int kListedPorts = 8;
// As far as Windows numbers its COM ports, and as the field's hint says.
constexpr int kLastTypedPort = 256;

void selectItem(QComboBox *list, int index)
{
    list->setCurrentIndex(index >= 0 && index < list->count() ? index : -1);
}

std::optional<TConverter> converterForItem(int index)
{
    switch (index) {
    case 0: return TConverter::RS422_485;
    case 1: // a 2-wire converter and a plain RS232 line both give no echo
    case 2: return TConverter::RS485;
    default: return std::nullopt;
    }
}

std::optional<TPsl> protocolForItem(int index)
{
    switch (index) {
    case 0: return TPsl::vorn;
    case 1: return TPsl::rtu;
    default: return std::nullopt;
    }
}
} // namespace

TFmCommSetting::TFmCommSetting(PlantModel &model, SettingsStore &store, MessageBoxes &boxes, QWidget *parent)
    : QDialog(parent), model_(model), store_(store), boxes_(boxes),
      portSearch_([this] { return systemPortSearchLines(store_); }),
      ui(std::make_unique<Ui::TFmCommSetting>())
{
    ui->setupUi(this);
    setModal(false);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    for (int p = 1; p <= kPanelCount; ++p) {
        selectItem(portList(p), 0);
        selectItem(bpsList(p), -1); // no speed until shown or loaded
        portList(p)->installEventFilter(this);
    }

    connect(ui->BtnOK, &QPushButton::clicked, this, &TFmCommSetting::BtnOKClick);
    connect(ui->BtnCancel, &QPushButton::clicked, this, &TFmCommSetting::BtnCancelClick);
    connect(ui->RzButton1, &QPushButton::clicked, this, &TFmCommSetting::RzButton1Click);
    auto *lineHealth = new QPushButton(QStringLiteral("通訊狀態..."), this);
    lineHealth->setObjectName(QStringLiteral("BtnLineHealth"));
    lineHealth->setAutoDefault(false);
    ui->LayoutButtons->insertWidget(0, lineHealth);
    connect(lineHealth, &QPushButton::clicked, this, &TFmCommSetting::lineHealthRequested);
    // Typing, not every change: emptying the field on entering the list must not in turn
    // clear the list.
    connect(ui->Edit1, &QLineEdit::textEdited, this, &TFmCommSetting::Edit1Change);
    connect(ui->Edit2, &QLineEdit::textEdited, this, &TFmCommSetting::Edit2Change);
    connect(ui->Edit3, &QLineEdit::textEdited, this, &TFmCommSetting::Edit3Change);
}

TFmCommSetting::~TFmCommSetting() = default;

void TFmCommSetting::setPortSearchSource(PortSearchSource source)
{
    portSearch_ = std::move(source);
}

QComboBox *TFmCommSetting::portList(int panel) const
{
    QComboBox *const lists[] = {nullptr, ui->CboComA, ui->CboComB, ui->CboComC};
    return lists[panel];
}

QComboBox *TFmCommSetting::bpsList(int panel) const
{
    QComboBox *const lists[] = {nullptr, ui->CboBpsA, ui->CboBpsB, ui->CboBpsC};
    return lists[panel];
}

QLineEdit *TFmCommSetting::otherPort(int panel) const
{
    QLineEdit *const fields[] = {nullptr, ui->Edit1, ui->Edit2, ui->Edit3};
    return fields[panel];
}

void TFmCommSetting::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // A window restored by the system is not a new showing.
    if (!event->spontaneous())
        FormShow();
}

bool TFmCommSetting::eventFilter(QObject *watched, QEvent *event)
{
    // However the list gets the focus (a click, the keyboard, the window coming back
    // to the front), the panel then uses the list and not a typed port.
    if (event->type() == QEvent::FocusIn) {
        if (watched == ui->CboComA)
            CboComAEnter();
        else if (watched == ui->CboComB)
            CboComBEnter();
        else if (watched == ui->CboComC)
            CboComCEnter();
    }
    return QDialog::eventFilter(watched, event);
}

void TFmCommSetting::FormShow()
{
    // Not a port list: the focus entering one would empty the panel's typed port.
    ui->BtnOK->setFocus(Qt::OtherFocusReason);
    ui->RdoScanAll->setItemIndex(model_.scanAll() ? 1 : 0);

    if (store_.openKey(kKey, false)) {
        // What the store cannot give leaves the lists as they are; nothing is to be told
        // on merely showing the dialog.
        if (const auto converter = store_.readInteger(QStringLiteral("Converter")))
            selectItem(ui->CboConverter, *converter);
        if (const auto psl = store_.readInteger(QStringLiteral("Psl")))
            selectItem(ui->CboPsl, *psl);
        store_.closeKey();
    }

    for (int p = 1; p <= kPanelCount; ++p) {
        const LineSettings line = model_.lineSettings(p);
        selectItem(portList(p), line.ComPort > kListedPorts ? kListedPorts - 1 : line.ComPort - 1);
        if (!otherPort(p)->text().isEmpty())
            selectItem(portList(p), -1);
        for (int i = 0; i < kBaudCount; ++i) {
            if (kBaudRates[i] == line.BaudRate)
                selectItem(bpsList(p), i);
        }
    }
}

std::optional<QStringList> TFmCommSetting::applyOk()
{
    model_.setScanAll(ui->RdoScanAll->itemIndex() != 0);

    const int converterItem = ui->CboConverter->currentIndex();
    const int pslItem = ui->CboPsl->currentIndex();
    bool stored = store_.openKey(kKey, true);
    QString failedValue = QStringLiteral("Converter");
    if (stored) {
        stored = store_.writeInteger(failedValue, converterItem);
        if (stored) {
            failedValue = QStringLiteral("Psl");
            stored = store_.writeInteger(failedValue, pslItem) && store_.flush();
        }
        store_.closeKey();
    }
    // The engine still takes the choice; the operator learns that it will not survive a restart.
    if (!stored)
        boxes_.show(this, kErrorCaption, writeFailedMessage(failedValue), MessageBoxes::Icon::Error);

    const QMap<int, QString> portMap = readPortMap(store_);
    QStringList withoutPort;
    for (int p = 1; p <= kPanelCount; ++p) {
        LineSettings line = model_.lineSettings(p);
        const QString typed = otherPort(p)->text();
        if (!typed.isEmpty()) {
            const std::optional<int> port = strToInt(typed);
            if (!port) {
                boxes_.show(this, kErrorCaption, notAnIntegerMessage(typed), MessageBoxes::Icon::Error);
                return std::nullopt;
            }
            if (*port < 1 || *port > kLastTypedPort) {
                boxes_.show(this, kErrorCaption,
                            QStringLiteral("盤面%1 的其他通訊埠 %2 不在 1 ～ %3 之內").arg(p).arg(*port).arg(kLastTypedPort),
                            MessageBoxes::Icon::Error);
                return std::nullopt;
            }
            selectItem(portList(p), -1);
            line.ComPort = *port;
        } else if (portList(p)->currentIndex() >= 0) {
            line.ComPort = portList(p)->currentIndex() + 1;
        } else {
            // No port at all: the panel goes quiet rather than polling some other line.
            line.ComPort = 0;
            withoutPort.append(QStringLiteral("盤面%1 未選擇通訊埠").arg(p));
        }
        if (const auto converter = converterForItem(converterItem))
            line.Converter = *converter;
        if (const auto psl = protocolForItem(pslItem))
            line.Psl = *psl;
        const int bps = bpsList(p)->currentIndex();
        if (bps >= 0 && bps < kBaudCount)
            line.BaudRate = kBaudRates[bps];
        line.Device = deviceNameForPort(line.ComPort, portMap);
        model_.setLineSettings(p, line);
    }

    Q_EMIT titleApplied(ui->TxtTitle->text());
    return withoutPort;
}

void TFmCommSetting::BtnOKClick()
{
    const std::optional<QStringList> withoutPort = applyOk();
    if (!withoutPort)
        return;
    // Told only to the operator who pressed OK, not at every start-up.
    if (!withoutPort->isEmpty())
        boxes_.show(this, kNoticeCaption, withoutPort->join(QLatin1Char('\n')), MessageBoxes::Icon::Warning);
    close();
}

void TFmCommSetting::resolveDevices()
{
    const QMap<int, QString> portMap = readPortMap(store_);
    for (int p = 1; p <= kPanelCount; ++p) {
        LineSettings line = model_.lineSettings(p);
        line.Device = deviceNameForPort(line.ComPort, portMap);
        model_.setLineSettings(p, line);
    }
}

void TFmCommSetting::BtnCancelClick()
{
    close();
}

void TFmCommSetting::Edit1Change() { selectItem(ui->CboComA, -1); }
void TFmCommSetting::Edit2Change() { selectItem(ui->CboComB, -1); }
void TFmCommSetting::Edit3Change() { selectItem(ui->CboComC, -1); }

void TFmCommSetting::CboComAEnter() { ui->Edit1->clear(); }
void TFmCommSetting::CboComBEnter() { ui->Edit2->clear(); }
void TFmCommSetting::CboComCEnter() { ui->Edit3->clear(); }

void TFmCommSetting::RzButton1Click()
{
    ui->Memo1->clear();
    if (portSearch_)
        ui->Memo1->setPlainText(portSearch_().join(QLatin1Char('\n')));
    // The search may have given adapters numbers: a panel on such a number reaches it
    // from its next transaction.
    resolveDevices();
}
