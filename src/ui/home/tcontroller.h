#pragma once

// One controller tile of the monitoring page: title, PV and SV in seven-segment
// figures, the output bar, four lamps, the editable station ID and the button that
// opens the setting page. The tile shows what it is given: the main window's display
// tick feeds it texts and lamps from one readings snapshot.

#include "tilelamps.h"

#include <QFrame>
#include <QString>

#include <memory>

class QAbstractButton;
class QFont;
class QLabel;
class QLineEdit;

namespace Ui {
class TController;
}

class TController : public QFrame {
    Q_OBJECT
public:
    explicit TController(QWidget *parent = nullptr);
    ~TController() override;

    void setSlotNumber(int slot); // STxtNO "01".."10"
    QString slotNumberText() const;
    QString idText() const;
    void setIdText(const QString &text);
    QString titleText() const;
    void setTitleText(const QString &text);

    // The display tick: PV and SV texts as they are (empty -> empty field), output bar
    // from the raw output text (empty or not a number -> 0).
    void showReading(const QString &pvText, const QString &svText, const QString &outText);
    void setLamps(const TileLamps &lamps);
    TileLamps lamps() const;
    QAbstractButton *settingButton() const;
    // The screen lock: a locked tile takes no station ID and opens no setting page.
    void setLocked(bool locked);

    // The bar position an output text gives: tenths of a percent, held to 0..1000.
    static int outputBarPosition(const QString &outText);

    static constexpr int kDigitPixels = 25;  // the figures' size
    static constexpr int kSmallestDigits = 8; // below this nothing is readable anyway
    // The largest pixel size up to `largest` at which `text` fits `room` pixels.
    static int fittingPixelSize(const QFont &font, const QString &text, int room, int largest);

Q_SIGNALS:
    // Any mouse button released over BtnSET, or BtnSET activated from the keyboard or
    // through accessibility; a left click is reported once.
    void settingButtonReleased();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void TxtIDChange(const QString &text);
    void showFigures(QLineEdit *field, const QString &text);
    void showLamps(const TileLamps &lamps);
    void applyLamp(QLabel *lamp, bool on, bool isAlarm);
    void setupLooks();

    std::unique_ptr<Ui::TController> ui;
    TileLamps lamps_;
};
