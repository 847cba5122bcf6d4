#pragma once

// The program's own command-line options. --help and --version are answered before
// the application object exists, so they work without a display; Qt's own options
// (-platform, -style ...) are left to the application object.

#include <optional>

// The exit status when an option was answered, else nothing.
std::optional<int> answerInformationOptions(int argc, char *argv[]);
