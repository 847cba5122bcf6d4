// Writes from the setting page through the whole program to the simulated plant:
// the page opened from a tile, the real engine and link, tempmon-sim on
// pseudo-terminals; the simulator's registers tell what arrived.

#include "homefixture.h"
#include "simprocess.h"
#include "systemserialport.h"
#include "tcontroller.h"
#include "tfmsetpage.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QTabWidget>

#include <gtest/gtest.h>

namespace {

// Ports 1..3 at 38400 baud; stations 1-10, 11-20, 21-30 as the simulator numbers them.
void seedLines(MemorySettingsStore &store)
{
    for (int panel = 1; panel <= 3; ++panel) {
        for (int slot = 1; slot <= 10; ++slot)
            store.setString("FmHome", QStringLiteral("ID%1_%2").arg(QLatin1Char(" ABC"[panel])).arg(slot),
                            QString::number((panel - 1) * 10 + slot));
    }
    const char *ports[] = {"COMA", "COMB", "COMC"};
    const char *speeds[] = {"BPSA", "BPSB", "BPSC"};
    for (int i = 0; i < 3; ++i) {
        store.setInteger("FmCommSetting", QLatin1String(ports[i]), i);
        store.setString("FmCommSetting", QLatin1String(speeds[i]), QStringLiteral("0"));
    }
    store.setInteger("FmCommSetting", "Converter", 0);
    store.setInteger("FmCommSetting", "Psl", 0);
}

class SetPageEndToEnd : public ::testing::Test {
protected:
    void SetUp() override
    {
        const QString line = QStringLiteral("psl=auto,echo=on,latency=1");
        sim = std::make_unique<SimProcess>(QStringList{"--line", line, "--line", line, "--line", line});
        ASSERT_TRUE(sim->start());
        seedLines(store);
        // COM1..COM3 are the simulator's lines through the port map; no other port exists.
        for (int l = 1; l <= 3; ++l)
            store.setString("SerialPortMap", QStringLiteral("COM%1").arg(l), sim->device(l));
        auto link = std::make_unique<TRs485Comm>(systemSerialPortFactory(),
                                                 [](int) { return std::string("/nonexistent"); });
        f = std::make_unique<HomeFixture>(&store, std::move(link));
        f->home().show();
        ASSERT_TRUE(f->boxes.shown.isEmpty()) << f->boxes.shown.value(0).text.toStdString();
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
    void TearDown() override
    {
        f.reset();
        sim.reset();
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

    MemorySettingsStore store;
    std::unique_ptr<SimProcess> sim;
    std::unique_ptr<HomeFixture> f;
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
