// GoogleTest main with a QCoreApplication, so that timers, queued signals and child
// processes are served on the test thread while a test spins the event loop.

#include <QCoreApplication>

#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
