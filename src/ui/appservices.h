#pragma once

// What the windows are built on: the shared plant model and the platform services,
// created by the program entry (or a test) and handed to every window that needs
// them. They outlive the windows.

#include <QString>

class ApplicationTitle;
class Clock;
class FileDialogs;
class LocaleFormats;
class MessageBoxes;
class PlantModel;
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
    // The program's own folder: the page-button pictures and the "Recipe" folder.
    QString programFolder;
    // The file open and save dialogs (recipe files).
    FileDialogs &fileDialogs;
};
