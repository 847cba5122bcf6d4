#include "exclamationsound.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <QApplication>
#endif

void exclamationSound()
{
#ifdef _WIN32
    MessageBeep(MB_ICONEXCLAMATION);
#else
    QApplication::beep();
#endif
}
