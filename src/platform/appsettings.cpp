#include "appsettings.h"

std::unique_ptr<QSettings> openApplicationSettings()
{
#ifdef Q_OS_WIN
    return std::make_unique<QSettings>(QStringLiteral("HKEY_LOCAL_MACHINE\\SOFTWARE\\TEMPERATURE CONTROL"),
                                       QSettings::NativeFormat);
#else
    return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                       QStringLiteral("TEMPERATURE CONTROL"));
#endif
}
