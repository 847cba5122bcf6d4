#include "tcontroller.h"
#include "ui_tcontroller.h"

#include <QAbstractButton>
#include <QEvent>
#include <QFontMetrics>
#include <QLineEdit>
#include <QLocale>
#include <QMouseEvent>
#include <QRegularExpression>
#include <QRegularExpressionValidator>

#include <algorithm>
#include <cmath>

namespace {

const QColor kLampOff(109, 167, 231);
const QColor kOutOn(0, 206, 0);
const QColor kAlarmOn(255, 0, 0);
const QColor kTitleGround(204, 255, 204);
const QColor kPanelFace(212, 208, 200);
constexpr int kBarMaximum = 1000;

// The seven-segment face the figures were designed for, then faces that keep the
// digits in fixed columns where it is missing.
QFont digitFont()
{
    QFont font;
    font.setFamilies({QStringLiteral("LiquidCrystal"), QStringLiteral("DSEG7 Classic"),
                      QStringLiteral("DejaVu Sans Mono"), QStringLiteral("Monospace")});
    font.setStyleHint(QFont::Monospace);
    font.setPixelSize(TController::kDigitPixels);
    return font;
}

QFont pixelFont(const QFont &base, int pixels, bool bold)
{
    QFont font = base;
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

void setColours(QWidget *widget, QPalette::ColorRole ground, const QColor &groundColour,
                QPalette::ColorRole text, const QColor &textColour)
{
    QPalette palette = widget->palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, ground, groundColour);
        palette.setColor(group, text, textColour);
    }
    widget->setPalette(palette);
}

// The field's room for text: inside its frame and the line edit's own margins.
int textRoom(const QLineEdit *field)
{
    constexpr int kInnerMargins = 2 * 2 + 2; // both sides, and a pixel for the cursor
    return field->contentsRect().width() - kInnerMargins;
}

void setupDigitField(QLineEdit *field, const QColor &digits, const QString &name)
{
    field->setFont(digitFont());
    setColours(field, QPalette::Base, Qt::black, QPalette::Text, digits);
    field->setFrame(true);
    field->setFocusPolicy(Qt::TabFocus); // the figures are for reading; the next tick overwrites them
    field->setAccessibleName(name);
}

} // namespace

TController::TController(QWidget *parent)
    : QFrame(parent), ui(std::make_unique<Ui::TController>())
{
    ui->setupUi(this);
    setupLooks();

    // A validator, unlike a key filter, also refuses pasted and dropped text.
    ui->TxtID->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), ui->TxtID));
    connect(ui->TxtID, &QLineEdit::textChanged, this, &TController::TxtIDChange);
    connect(ui->TxtUnitTitle, &QLineEdit::textChanged, this, &QWidget::setAccessibleName);
    setAccessibleName(ui->TxtUnitTitle->text());

    // clicked covers the left button, the keyboard and accessibility; the other mouse
    // buttons are caught by the filter, which leaves left releases to clicked.
    connect(ui->BtnSET, &QAbstractButton::clicked, this, &TController::settingButtonReleased);
    ui->BtnSET->installEventFilter(this);

    showLamps(TileLamps{});
}

TController::~TController() = default;

void TController::setupLooks()
{
    setAutoFillBackground(true);
    setColours(this, QPalette::Window, kPanelFace, QPalette::WindowText, Qt::black);

    ui->TxtUnitTitle->setFont(pixelFont(font(), 16, true));
    setColours(ui->TxtUnitTitle, QPalette::Base, kTitleGround, QPalette::Text, Qt::black);
    ui->TxtUnitTitle->setAccessibleName(QStringLiteral("溫控點名稱"));

    for (QLabel *label : {ui->Label1, ui->Label2})
        label->setFont(pixelFont(font(), 14, true));
    ui->Label3->setFont(pixelFont(font(), 12, true));
    ui->Label5->setFont(pixelFont(font(), 10, true));

    setupDigitField(ui->TxtPV, Qt::red, QStringLiteral("PV"));
    setupDigitField(ui->TxtSV, QColor(0, 255, 0), QStringLiteral("SV"));
    ui->Label1->setBuddy(ui->TxtPV);
    ui->Label2->setBuddy(ui->TxtSV);

    ui->PrgOut->setAccessibleName(QStringLiteral("OUT%"));

    ui->TxtID->setFont(pixelFont(font(), 14, true));
    const QColor face = palette().color(QPalette::Button);
    setColours(ui->TxtID, QPalette::Base, face, QPalette::Text, Qt::red);
    // A locked ID field (screen lock) shows that it takes no input.
    QPalette idPalette = ui->TxtID->palette();
    idPalette.setColor(QPalette::Disabled, QPalette::Text, QColor(150, 120, 120));
    ui->TxtID->setPalette(idPalette);
    ui->TxtID->setAccessibleName(QStringLiteral("ID"));
    ui->Label3->setBuddy(ui->TxtID);

    ui->BtnSET->setFont(pixelFont(font(), 14, true));
    ui->BtnSET->setCursor(Qt::PointingHandCursor);

    const QFont lampFont = pixelFont(font(), 9, true);
    const std::pair<QLabel *, const char *> lampNames[] = {
        {ui->Lab_OUT1, "OUT1"}, {ui->Lab_OUT2, "OUT2"}, {ui->Lab_AL1, "AL1"}, {ui->Lab_AL2, "AL2"}};
    for (const auto &[lamp, name] : lampNames) {
        lamp->setAutoFillBackground(true);
        lamp->setFont(lampFont);
        lamp->setAccessibleName(QString::fromLatin1(name));
    }
}

void TController::setSlotNumber(int slot)
{
    ui->STxtNO->setText(QStringLiteral("%1").arg(slot, 2, 10, QLatin1Char('0')));
}

QString TController::slotNumberText() const
{
    return ui->STxtNO->text();
}

QString TController::idText() const
{
    return ui->TxtID->text();
}

void TController::setIdText(const QString &text)
{
    ui->TxtID->setText(text);
}

QString TController::titleText() const
{
    return ui->TxtUnitTitle->text();
}

void TController::setTitleText(const QString &text)
{
    ui->TxtUnitTitle->setText(text);
}

int TController::fittingPixelSize(const QFont &font, const QString &text, int room, int largest)
{
    QFont trial = font;
    for (int pixels = largest; pixels > kSmallestDigits; --pixels) {
        trial.setPixelSize(pixels);
        if (QFontMetrics(trial).horizontalAdvance(text) <= room)
            return pixels;
    }
    return kSmallestDigits;
}

void TController::showFigures(QLineEdit *field, const QString &text)
{
    if (field->text() == text)
        return;
    // A reading in exponent form is longer than the face was made for: the face gets
    // smaller until the whole text fits, and back to its size for a short one.
    QFont font = field->font();
    font.setPixelSize(fittingPixelSize(font, text, textRoom(field), kDigitPixels));
    field->setFont(font);
    field->setText(text);
    field->setCursorPosition(0);
}

int TController::outputBarPosition(const QString &outText)
{
    bool ok = false;
    const double value = QLocale::c().toDouble(outText.trimmed(), &ok);
    if (!ok || std::isnan(value))
        return 0;
    return static_cast<int>(std::clamp(value, 0.0, double(kBarMaximum)));
}

void TController::showReading(const QString &pvText, const QString &svText, const QString &outText)
{
    // Only real changes are written, so a tick does not move a reader's selection
    // or repaint figures that stand still.
    showFigures(ui->TxtPV, pvText);
    showFigures(ui->TxtSV, svText);
    ui->PrgOut->setValue(outputBarPosition(outText));
}

void TController::applyLamp(QLabel *lamp, bool on, bool isAlarm)
{
    const QColor ground = on ? (isAlarm ? kAlarmOn : kOutOn) : kLampOff;
    setColours(lamp, QPalette::Window, ground, QPalette::WindowText, on ? Qt::black : Qt::white);
    lamp->resize(30, 15);
    lamp->setAccessibleDescription(on ? QStringLiteral("on") : QStringLiteral("off"));
}

void TController::setLamps(const TileLamps &lamps)
{
    // Every display tick hands the lamps over; only a change is painted.
    if (lamps == lamps_)
        return;
    showLamps(lamps);
}

void TController::showLamps(const TileLamps &lamps)
{
    lamps_ = lamps;
    applyLamp(ui->Lab_OUT1, lamps.out1, false);
    applyLamp(ui->Lab_OUT2, lamps.out2, false);
    applyLamp(ui->Lab_AL1, lamps.al1, true);
    applyLamp(ui->Lab_AL2, lamps.al2, true);
}

TileLamps TController::lamps() const
{
    return lamps_;
}

QAbstractButton *TController::settingButton() const
{
    return ui->BtnSET;
}

void TController::setLocked(bool locked)
{
    ui->TxtID->setEnabled(!locked);
    ui->BtnSET->setEnabled(!locked);
}

void TController::TxtIDChange(const QString &text)
{
    if (text.isEmpty())
        ui->TxtID->setText(QStringLiteral("1"));
}

bool TController::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == ui->BtnSET && event->type() == QEvent::MouseButtonRelease) {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() != Qt::LeftButton && ui->BtnSET->isEnabled()
            && ui->BtnSET->rect().contains(mouse->position().toPoint()))
            Q_EMIT settingButtonReleased();
    }
    return QFrame::eventFilter(watched, event);
}
