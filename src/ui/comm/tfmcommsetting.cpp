#include "tfmcommsetting.h"

#include "ui_tfmcommsetting.h"

#include "commchoice.h"
#include "messageboxes.h"
#include "plantmodel.h"
#include "portmap.h"
#include "settingsmessages.h"
#include "settingscontrols.h"
#include "settingsstore.h"
#include "strictint.h"
#include "systemportsearch.h"

#include <QFocusEvent>
#include <QShowEvent>

namespace {
const QString kKey = QStringLiteral("FmCommSetting");
const QString kErrorCaption = QStringLiteral("錯誤");
const QString kNoticeCaption = QStringLiteral("訊息");

void selectItem(QComboBox *list, int index)
{
    list->setCurrentIndex(index >= 0 && index < list->count() ? index : -1);
}

// The focus the operator moves to a control. A tab page gives its first field the
// focus when it is shown, and a window its focus widget when it comes back to the
// front; neither is the operator choosing the port list.
bool operatorMovedFocus(Qt::FocusReason reason)
{
    switch (reason) {
    case Qt::MouseFocusReason:
    case Qt::TabFocusReason:
    case Qt::BacktabFocusReason:
    case Qt::ShortcutFocusReason:
        return true;
    default:
        return false;
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
    // The operator putting the focus on the list (a click, the Tab key, a shortcut)
    // chooses the list over a typed port; a focus that merely arrives there (another
    // tab shown, the window back in front) leaves the typed port alone.
    if (event->type() == QEvent::FocusIn && operatorMovedFocus(static_cast<QFocusEvent *>(event)->reason())) {
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
        selectItem(portList(p), otherPort(p)->text().isEmpty() ? portItemForComPort(line.ComPort) : -1);
        if (const int bps = bpsItemForBaudRate(line.BaudRate); bps >= 0)
            selectItem(bpsList(p), bps);
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
        CommChoice choice;
        choice.portItem = portList(p)->currentIndex();
        choice.typedPort = otherPort(p)->text();
        choice.bpsItem = bpsList(p)->currentIndex();
        choice.converterItem = converterItem;
        choice.pslItem = pslItem;
        LineChoice chosen = lineSettingsForChoice(model_.lineSettings(p), choice);
        switch (chosen.outcome) {
        case LineChoice::Outcome::TypedPortNotANumber:
            boxes_.show(this, kErrorCaption, notAnIntegerMessage(choice.typedPort), MessageBoxes::Icon::Error);
            return std::nullopt;
        case LineChoice::Outcome::TypedPortOutOfRange:
            boxes_.show(this, kErrorCaption,
                        QStringLiteral("盤面%1 的其他通訊埠 %2 不在 1 ～ %3 之內")
                            .arg(p)
                            .arg(chosen.refusedPort)
                            .arg(kLastTypedComPort),
                        MessageBoxes::Icon::Error);
            return std::nullopt;
        case LineChoice::Outcome::NoPort:
            withoutPort.append(QStringLiteral("盤面%1 未選擇通訊埠").arg(p));
            break;
        case LineChoice::Outcome::Applied:
            break;
        }
        if (!choice.typedPort.isEmpty())
            selectItem(portList(p), -1);
        chosen.line.Device = deviceNameForPort(chosen.line.ComPort, portMap);
        model_.setLineSettings(p, chosen.line);
    }

    Q_EMIT titleApplied(ui->TxtTitle->text());
    return withoutPort;
}

SettingsSection TFmCommSetting::settingsSection()
{
    SettingsSection section{kKey, {}, [this] { applyOk(); }};
    auto &values = section.values;
    values.push_back(indexSetting(QStringLiteral("ScanAll"), ui->RdoScanAll, 0));
    values.push_back(indexSetting(QStringLiteral("Converter"), ui->CboConverter, 0));
    // The protocol is stored by OK alone.
    SettingValue psl = indexSetting(QStringLiteral("Psl"), ui->CboPsl, 0);
    psl.savedAtShutdown = false;
    values.push_back(psl);
    for (int p = 1; p <= kPanelCount; ++p)
        values.push_back(indexSetting(QStringLiteral("COM%1").arg(panelLetter(p)), portList(p), 0));
    for (int p = 1; p <= kPanelCount; ++p)
        values.push_back(indexTextSetting(QStringLiteral("BPS%1").arg(panelLetter(p)), bpsList(p), -1));
    values.push_back(textSetting(QStringLiteral("Title"), ui->TxtTitle, QStringLiteral("溫度監控系統 8.22")));
    // Typed other ports, so that a panel on a port beyond the list keeps it; absent
    // in older files, which leaves the fields empty.
    for (int p = 1; p <= kPanelCount; ++p)
        values.push_back(textSetting(QStringLiteral("OtherCom%1").arg(panelLetter(p)), otherPort(p), QString()));
    return section;
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
