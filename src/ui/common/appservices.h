#pragma once

// What the windows are built on: the shared plant model and the platform services,
// created by the program entry (or a test) and handed to every window that needs
// them. They outlive the windows.

#include <QString>

#include <functional>

class AlarmLog;
class AlarmTables;
class ApplicationTitle;
class Clock;
class FileDialogs;
class LocaleFormats;
class MessageBoxes;
class PlantFeed;
class PlantModel;
class PrintDialogs;
class QPrinter;
class SettingsStore;

struct AppServices {
    PlantModel &model;
    SettingsStore &store;
    MessageBoxes &boxes;
    const Clock &clock;
    const LocaleFormats &locale;
    ApplicationTitle &applicationTitle;
    // The program's current printer: the system's default until a print dialog
    // chooses another; every print-out goes to it.
    QPrinter &printer;
    // The print dialog shown before every print-out.
    PrintDialogs &printDialogs;
    // The program's own folder: the page-button pictures and the "Recipe" folder.
    QString programFolder;
    // The alarm settings and count tables, opened by the main window.
    AlarmTables &alarmTables;
    // The system's exclamation sound.
    std::function<void()> beep;
    // The file open and save dialogs (recipe files).
    FileDialogs &fileDialogs;
    // What the outward views read; none in most tests.
    PlantFeed *feed = nullptr;
    // The alarm history, counts and points; given by the window set.
    AlarmLog *alarmLog = nullptr;
};
