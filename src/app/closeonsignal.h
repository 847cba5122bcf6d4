#pragma once

class QWidget;

// SIGTERM, SIGINT and SIGHUP (a desktop logout, a service stop, Ctrl+C in a
// terminal) close the main window the ordinary way, so the settings are saved and
// the engine stops as after a click on the window's close button. No-op on Windows.
void closeOnTerminationSignals(QWidget &mainWindow);
