// The program entry: the application object, the store, the link and the engine,
// then the seventeen windows in their fixed order, and the message loop.

#include "alarmtables.h"
#include "applicationtitle.h"
#include "appwindows.h"
#include "clock.h"
#include "closeonsignal.h"
#include "engineeventrouter.h"
#include "exclamationsound.h"
#include "filedialogs.h"
#include "linklog.h"
#include "localeformats.h"
#include "messageboxes.h"
#include "mqttservice.h"
#include "mqttstatelabel.h"
#include "plantfeed.h"
#include "plantmodel.h"
#include "portmap.h"
#include "printdialogs.h"
#include "programfonts.h"
#include "qsettingsstore.h"
#include "recipefolder.h"
#include "systemserialport.h"
#include "tcommcontroller.h"
#include "tempmonapplication.h"
#include "tempmonversion.h"
#include "tfmhome.h"
#include "toolkittranslation.h"
#include "trs485comm.h"
#include "webviewserver.h"

#include <QLabel>
#include <QPrinter>
#include <QStandardPaths>
#include <QTimer>

#include <cstdio>
#include <cstring>
#include <exception>
#include <memory>
#include <optional>

namespace {

// --help and --version are answered before the application object exists, so they
// work without a display; Qt's own options are taken by the application object.
std::optional<int> answerInformationOptions(int argc, char *argv[])
{
    for (int i = 1; i < argc; ++i) {
        const char *option = argv[i];
        if (std::strcmp(option, "--version") == 0 || std::strcmp(option, "-v") == 0) {
            std::printf("tempmon %s\n", TEMPMON_VERSION);
            return 0;
        }
        if (std::strcmp(option, "--help") == 0 || std::strcmp(option, "-h") == 0) {
            std::printf("Usage: tempmon [OPTION]... [QT-OPTION]...\n"
                        "Watches and sets the temperature controllers on up to three RS-485 lines.\n"
                        "\n"
                        "  -h, --help        show this help and exit\n"
                        "  -v, --version     show the version and exit\n"
                        "\n"
                        "Qt's standard options are accepted too, for example:\n"
                        "  -platform NAME    window system (xcb, wayland, offscreen)\n"
                        "  -display DISPLAY  X display to open\n"
                        "  -style NAME       widget style\n"
                        "\n"
                        "Settings: ~/.config/TEMPERATURE CONTROL.ini; alarm tables and recipes:\n"
                        "~/.local/share/tempmon. See tempmon(1).\n");
            return 0;
        }
    }
    return std::nullopt;
}

} // namespace

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
            [&store](const QString &alias) {
                std::optional<QString> address;
                if (store.openKey(QStringLiteral("DatabaseAliases"), false)) {
                    address = store.readString(alias);
                    store.closeKey();
                }
                return address;
            },
            QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
        const AppServices services{model, store, boxes, clock, *locale, title, printer, printDialogs,
                                   programFilesFolder(QCoreApplication::applicationDirPath()), *alarmTables,
                                   exclamationSound, fileDialogs, &feed};
        // Off unless the store's group Mqtt switches it on; its state line joins the
        // communication dialog. Declared before the windows, so it says "offline" last.
        const std::unique_ptr<MqttService> mqtt = MqttService::fromStore(store, feed);
        AppWindows windows(services, std::move(engine));
        const EngineEventRouter engineEvents(windows.home().engine(), windows.home());
        for (QWidget *window : windows.all())
            if (mqtt && window->objectName() == QLatin1String("FmCommSetting")) {
                QLabel *state = addMqttStateLabel(*window);
                state->setText(mqtt->stateText());
                QObject::connect(mqtt.get(), &MqttService::stateChanged, state, &QLabel::setText);
            }
        QObject::connect(&windows.home(), &TFmHome::shutDown, &app, &QCoreApplication::quit,
                         Qt::QueuedConnection);
        closeOnTerminationSignals(windows.home());
        if (mqtt)
            mqtt->start();
        windows.home().show();
        // The web view, when the store switches it on. A view that was asked for but
        // cannot start says why once, in front of the main window: the operator who
        // set it up by hand would otherwise only see a page that never comes.
        QString webViewProblem;
        const std::unique_ptr<WebViewServer> webView = WebViewServer::startFromStore(store, feed, &webViewProblem);
        if (!webViewProblem.isEmpty())
            QTimer::singleShot(0, &windows.home(), [&] {
                boxes.show(&windows.home(), QStringLiteral("系統訊息"), webViewProblem, MessageBoxes::Icon::Warning);
            });
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
