// The settings are saved once a run, by whichever comes first: the main window's
// close, the end of the desktop session, the application quitting.

#include "homefixture.h"
#include "tcontroller.h"

#include <QGuiApplication>
#include <QMetaObject>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

using Step = std::function<void(HomeFixture &)>;

void closeWindow(HomeFixture &f) { f.home().close(); }
void quitApplication(HomeFixture &) { QMetaObject::invokeMethod(qApp, "aboutToQuit", Qt::DirectConnection); }
void endSession(HomeFixture &f) { f.home().saveSettings(); }

int savesOf(const MemorySettingsStore &store)
{
    return int(store.writeLog().count(QStringLiteral("FmHome/IDA_1")));
}

struct SaveCase {
    const char *what;
    std::vector<Step> steps;
};

TEST(SettingsSave, OnceWhicheverEndComesFirst)
{
    const SaveCase cases[] = {
        {"close, then quit", {closeWindow, quitApplication}},
        {"quit, then close", {quitApplication, closeWindow}},
        {"session end, quit, close", {endSession, quitApplication, closeWindow}},
        {"session end, close, quit", {endSession, closeWindow, quitApplication}},
    };
    for (const SaveCase &c : cases) {
        HomeFixture f;
        f.home().show();
        f.home().tile(2, 4)->setIdText(QStringLiteral("24"));
        f.memory.clearWriteLog();
        for (const Step &step : c.steps) {
            step(f);
            // What the first save took is what stays.
            f.home().tile(2, 4)->setIdText(QStringLiteral("99"));
        }
        EXPECT_EQ(savesOf(f.memory), 1) << c.what;
        EXPECT_EQ(f.memory.stringValue("FmHome", "IDB_4"), QStringLiteral("24")) << c.what;
        // The close still stops everything after an earlier save.
        EXPECT_FALSE(f.home().TmrHome()->isActive()) << c.what;
        EXPECT_FALSE(f.home().isVisible()) << c.what;
    }
}

TEST(SettingsSave, TheSessionEndAndTheQuitAreWatched)
{
    HomeFixture f;
    // Present when the connections exist; they go with the test's window.
    EXPECT_TRUE(QObject::disconnect(qApp, SIGNAL(commitDataRequest(QSessionManager&)), &f.home(), nullptr));
    EXPECT_TRUE(QObject::disconnect(qApp, SIGNAL(aboutToQuit()), &f.home(), nullptr));
}

} // namespace
