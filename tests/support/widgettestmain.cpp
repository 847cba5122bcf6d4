// GoogleTest main with a QApplication for the suites that make widgets or run the
// program in their own process.

#include <QApplication>
#include <QTemporaryDir>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    // Widget tests never need a screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // A home of the run's own: what the program keeps below the user's home (settings,
    // the default record folder) stays out of the real one.
    QTemporaryDir home;
    qputenv("HOME", QFile::encodeName(home.path()));
    ::testing::InitGoogleMock(&argc, argv);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
