// The program entry: the application object, the store, the link and the engine,
// then the seventeen windows in their fixed order, and the message loop.

#include "alarmtables.h"
#include "applicationtitle.h"
#include "appwindows.h"
#include "clock.h"
#include "closeonsignal.h"
#include "databasealiases.h"
#include "engineeventrouter.h"
#include "exclamationsound.h"
#include "filedialogs.h"
#include "linklog.h"
#include "localeformats.h"
#include "messageboxes.h"
#include "outwardviews.h"
#include "plantfeed.h"
#include "plantmodel.h"
#include "portmap.h"
#include "printdialogs.h"
#include "programfonts.h"
#include "programoptions.h"
#include "qsettingsstore.h"
#include "recipefolder.h"
#include "systemserialport.h"
#include "tcommcontroller.h"
#include "tempmonapplication.h"
#include "tempmonversion.h"
#include "tfmhome.h"
#include "toolkittranslation.h"
#include "trs485comm.h"

#include <QPrinter>
#include <QStandardPaths>

#include <cstdio>
#include <exception>
#include <memory>
#include <optional>

int main(int argc, char *argv[])
{
    if (const std::optional<int> status = answerInformationOptions(argc, argv))
        return *status;
    WidgetMessageBoxes boxes;
    // Qt's own options (-platform, -style ...) are taken by the application object;
    // the program itself uses no arguments.
    TempmonApplication app(argc, argv, boxes);
    if (app.arguments().size() > 1) {
        std::fprintf(stderr, "tempmon: unknown argument '%s'; see tempmon --help\n",
                     qPrintable(app.arguments().at(1)));
        return 2;
    }
    try {
        QCoreApplication::setApplicationName(QStringLiteral("tempmon"));
        QCoreApplication::setApplicationVersion(QStringLiteral(TEMPMON_VERSION));
        ApplicationTitle title(QStringLiteral(" 溫度監控系統 Ver" TEMPMON_VERSION " "));
        // The program ends with its main window, even while a dialog is still open.
        QGuiApplication::setQuitOnLastWindowClosed(false);
        installProgramFonts();
        installToolkitTranslation(app);

        QSettingsStore store;
        PlantModel model;
        SystemClock clock;
        const std::unique_ptr<LocaleFormats> locale = systemLocaleFormats();
        // The windows resolve each panel's port through the port map and hand the engine
        // the device; this default naming serves a panel before that.
        auto link = std::make_unique<TRs485Comm>(systemSerialPortFactory(),
                                                 [](int port) { return deviceNameForPort(port, {}); });
        attachLinkLog(*link);
        auto engine = std::make_unique<TCommController>(model, std::move(link), &clock);

        PlantFeed feed;
        QPrinter printer(QPrinter::HighResolution);
        WidgetPrintDialogs printDialogs;
        WidgetFileDialogs fileDialogs;
        // Each alias names its database in the store's DatabaseAliases, else a file of
        // its own in the user's data folder.
        const std::unique_ptr<AlarmTables> alarmTables = AlarmTables::fromAliases(
            [&store](const QString &alias) { return storedDatabaseAddress(store, alias); },
            QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
        const AppServices services{model, store, boxes, clock, *locale, title, printer, printDialogs,
                                   programFilesFolder(QCoreApplication::applicationDirPath()), *alarmTables,
                                   exclamationSound, fileDialogs, &feed};
        // Declared before the windows, so that the MQTT status says "offline" last.
        OutwardViews outward(store, feed);
        AppWindows windows(services, std::move(engine));
        const EngineEventRouter engineEvents(windows);
        outward.showStateIn(windows);
        QObject::connect(&windows.home(), &TFmHome::shutDown, &app, &QCoreApplication::quit,
                         Qt::QueuedConnection);
        closeOnTerminationSignals(windows.home());
        outward.startMqtt();
        windows.home().show();
        outward.startWebView(windows.home(), boxes);
        return app.exec();
    } catch (const std::exception &error) {
        boxes.show(nullptr, TempmonApplication::errorCaption(), QString::fromUtf8(error.what()),
                   MessageBoxes::Icon::Error);
    } catch (...) {
        boxes.show(nullptr, TempmonApplication::errorCaption(), QStringLiteral("發生未知的錯誤。"),
                   MessageBoxes::Icon::Error);
    }
    return 1;
}
