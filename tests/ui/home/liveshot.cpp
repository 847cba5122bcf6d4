// Takes a picture of the main window running on the simulator, for looking at the
// live screen without an operator: starts tempmon-sim, builds the windows as the
// program does (store in memory, ports 1..3 on the simulated lines), presses 啟動,
// waits until panel 1 shows readings and writes the window to the PNG file given.
//   tempmon-liveshot OUT.png        (under Xvfb or offscreen)

#include "homefixture.h"
#include "programfonts.h"
#include "simprocess.h"
#include "systemserialport.h"
#include "tcontroller.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QPixmap>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <cstdio>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s OUT.png\n", argv[0]);
        return 2;
    }
    installProgramFonts();
    const QString line = QStringLiteral("psl=auto,echo=on");
    SimProcess sim({"--line", line, "--line", line, "--line", "psl=vorn,echo=on"});
    if (!sim.start()) {
        std::fprintf(stderr, "simulator did not start\n");
        return 1;
    }
    MemorySettingsStore store;
    const char *ports[] = {"COMA", "COMB", "COMC"};
    const char *speeds[] = {"BPSA", "BPSB", "BPSC"};
    for (int i = 0; i < 3; ++i) {
        store.setInteger("FmCommSetting", QLatin1String(ports[i]), i);
        store.setString("FmCommSetting", QLatin1String(speeds[i]), QStringLiteral("0"));
    }
    for (int l = 1; l <= 3; ++l)
        store.setString("SerialPortMap", QStringLiteral("COM%1").arg(l), sim.device(l));
    auto link = std::make_unique<TRs485Comm>(systemSerialPortFactory(),
                                             [](int) { return std::string("/nonexistent"); });
    HomeFixture f(&store, std::move(link));
    f.home().show();
    if (!QTest::qWaitForWindowExposed(&f.home()))
        return 1;
    QTest::mouseClick(f.control<QAbstractButton>("BtnStart"), Qt::LeftButton);
    const bool live = waitUntil([&] {
        for (int slot = 1; slot <= 10; ++slot)
            if (f.home().tile(1, slot)->findChild<QLineEdit *>("TxtPV")->text().isEmpty())
                return false;
        return true;
    }, 20000);
    // Let the scan window close itself and one more display tick pass.
    waitUntil([&] { return !f.window("FmBarPage")->isVisible(); }, 5000);
    QSignalSpy tick(f.home().TmrHome(), &QTimer::timeout);
    tick.wait(2000);
    const bool saved = f.home().grab().save(QString::fromLocal8Bit(argv[1]));
    std::printf("live=%d saved=%d\n", live, saved);
    return live && saved ? 0 : 1;
}
