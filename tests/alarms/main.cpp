#include "sharedpgserver.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

namespace {

// The suite's server goes when the suite ends, by its PID.
class StopServer : public ::testing::Environment {
public:
    void TearDown() override { sharedPgServer().stop(); }
};

} // namespace

int main(int argc, char **argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    QCoreApplication app(argc, argv);
    ::testing::AddGlobalTestEnvironment(new StopServer);
    return RUN_ALL_TESTS();
}
