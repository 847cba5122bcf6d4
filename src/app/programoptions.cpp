#include "programoptions.h"

#include "tempmonversion.h"

#include <cstdio>
#include <cstring>

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

