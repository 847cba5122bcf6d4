#pragma once

// Where the program's settings live: on Windows the machine-wide registry key
// "SOFTWARE\TEMPERATURE CONTROL", elsewhere the user's "TEMPERATURE CONTROL.ini".

#include <QSettings>

#include <memory>

std::unique_ptr<QSettings> openApplicationSettings();
