// A termination signal closes the main window through its ordinary close path, so the
// settings are saved as after a click on the close button.

#include "closeonsignal.h"

#include <QCloseEvent>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <csignal>

namespace {

class CountingWindow : public QWidget {
public:
    int closes = 0;

protected:
    void closeEvent(QCloseEvent *event) override
    {
        ++closes;
        QWidget::closeEvent(event);
    }
};

} // namespace

TEST(CloseOnSignal, TerminationSignalClosesTheWindowOnce)
{
    CountingWindow window;
    window.show();
    closeOnTerminationSignals(window);

    std::raise(SIGTERM);

    EXPECT_TRUE(QTest::qWaitFor([&] { return window.closes > 0; }, 2000));
    EXPECT_EQ(window.closes, 1);
    EXPECT_FALSE(window.isVisible());
}
