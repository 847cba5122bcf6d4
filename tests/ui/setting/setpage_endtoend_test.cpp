// Writes from the setting page through the whole program to the simulated plant:
// the page opened from a tile, the real engine and link, tempmon-sim on
// pseudo-terminals; the simulator's registers tell what arrived.

#include "simulatedplant.h"
#include "tcontroller.h"
#include "tfmsetpage.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QTabWidget>

#include <gtest/gtest.h>

namespace {

class SetPageEndToEnd : public SimulatedPlantTest {
protected:
    void SetUp() override
    {
        startPlant();
        if (HasFatalFailure())
            return;
        page = qobject_cast<TFmSetPage *>(f->window("FmSetPage"));
        ASSERT_NE(page, nullptr);

        f->control<QAbstractButton>("BtnStart")->click();
        // The decimal-point scan is over once every tile of panel 1 shows its SV.
        ASSERT_TRUE(waitUntil([&] {
            for (int slot = 1; slot <= 10; ++slot)
                if (svText(slot).isEmpty())
                    return false;
            return true;
        }, 20000));
    }

    QString svText(int slot) { return f->home().tile(1, slot)->findChild<QLineEdit *>("TxtSV")->text(); }
    void openFrom(int slot) { f->home().tile(1, slot)->settingButton()->click(); }
    template <typename T = QWidget>
    T *control(const QString &name) { return page->findChild<T *>(name); }
    void typeOnKeypad(const QString &tab, const char *keys)
    {
        for (const char *k = keys; *k; ++k)
            control<QAbstractButton>(tab + (*k == '.' ? QStringLiteral("KeyDot") : QStringLiteral("Key") + QLatin1Char(*k)))
                ->click();
    }
    void pick(const char *selector, const char *item)
    {
        QComboBox *box = control<QComboBox>(QLatin1String(selector));
        box->setCurrentIndex(box->findText(QLatin1String(item)));
    }
    // The register as the simulated controller of panel 1, `slot` holds it.
    QString reg(int slot, int address)
    {
        return sim->command(QStringLiteral("get 1 %1 %2").arg(slot).arg(address));
    }
    bool registerBecomes(int slot, int address, int value)
    {
        const QString want = QStringLiteral("ok %1").arg(value);
        return waitUntil([&] { return reg(slot, address) == want; }, 10000);
    }

    TFmSetPage *page = nullptr;
};

// Station 1 shows one decimal, station 3 none (the simulator's defaults).
TEST_F(SetPageEndToEnd, SetValueScaledByTheControllersDecimalsAndShownAfterThePoll)
{
    struct Case {
        int slot;
        int sent;
        const char *shown;
    };
    for (const Case &c : {Case{1, 125, "12.5"}, Case{3, 12, "12"}}) {
        SCOPED_TRACE(c.slot);
        openFrom(c.slot);
        control<QTabWidget>(QStringLiteral("WritwL5"))->setCurrentIndex(0);
        pick("TypeL1", "SV");
        typeOnKeypad(QStringLiteral("L1"), "12.5");
        control<QAbstractButton>(QStringLiteral("WritwL1"))->click();
        EXPECT_TRUE(f->boxes.shown.isEmpty());
        EXPECT_TRUE(registerBecomes(c.slot, 0, c.sent)) << reg(c.slot, 0).toStdString();
        EXPECT_TRUE(waitUntil([&] { return svText(c.slot) == QLatin1String(c.shown); }, 10000))
            << svText(c.slot).toStdString();
    }
}

TEST_F(SetPageEndToEnd, HighLevelThreeCodesLandTwoRegistersFurtherUp)
{
    openFrom(1);
    control<QTabWidget>(QStringLiteral("WritwL5"))->setCurrentIndex(2);
    pick("TypeL3", "SVOS");
    typeOnKeypad(QStringLiteral("L3"), "5");
    control<QAbstractButton>(QStringLiteral("WritwL3"))->click();
    EXPECT_TRUE(registerBecomes(1, 100, 50)) << reg(1, 100).toStdString();
    EXPECT_EQ(reg(1, 98), "ok 0");

    pick("TypeL3", "OUD");
    pick("OUDL3", "COOL");
    control<QAbstractButton>(QStringLiteral("WritwL3"))->click();
    EXPECT_TRUE(registerBecomes(1, 105, 1)) << reg(1, 105).toStdString();
    EXPECT_EQ(reg(1, 103), "ok 0");
}

// Level 3 places an empty field unchecked; the engine refuses it and the operator
// is told, instead of the controller receiving a zero.
TEST_F(SetPageEndToEnd, RefusedWriteIsReported)
{
    const QString before = reg(2, 73);
    openFrom(2);
    control<QTabWidget>(QStringLiteral("WritwL5"))->setCurrentIndex(2);
    pick("TypeL3", "ANL1");
    control<QAbstractButton>(QStringLiteral("WritwL3"))->click();
    ASSERT_TRUE(waitUntil([&] { return !f->boxes.shown.isEmpty(); }, 10000));
    EXPECT_EQ(f->boxes.shown[0].caption, QStringLiteral("錯誤"));
    EXPECT_TRUE(f->boxes.shown[0].text.contains(QStringLiteral("不是數字"))) << f->boxes.shown[0].text.toStdString();
    EXPECT_EQ(reg(2, 73), before);
}

} // namespace
