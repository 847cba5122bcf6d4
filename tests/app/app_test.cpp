// The program's start-up pieces: the seventeen windows in their order, and the
// general error report of the application object.

#include "homefixture.h"
#include "tempmonapplication.h"

#include <QAbstractButton>
#include <QEvent>
#include <QTest>
#include <QTimer>

#include <QLineEdit>

#include <gtest/gtest.h>

#include <stdexcept>

TEST(AppWindows, CreatesTheSeventeenWindowsOnceInOrder)
{
    HomeFixture f;
    const QStringList expected = {"FmHome",    "FmCommSetting", "FmSetPage",  "FmBarPage",  "FmChartSetting",
                                  "FmWriting", "FmAddAlarm",    "FmModifyAlarm", "FmAlmDlg", "FmRecord",
                                  "FmBrowse",  "FmCommTest",    "fmpaset",    "fmpassread", "Fmshowpawd",
                                  "Form2",     "FmTitle"};
    QStringList names;
    for (QWidget *window : f.windows->all()) {
        names << window->objectName();
        EXPECT_TRUE(window->isWindow()) << window->objectName().toStdString();
        EXPECT_FALSE(window->isVisible()) << window->objectName().toStdString();
    }
    EXPECT_EQ(names, expected);
    EXPECT_EQ(f.windows->all().first(), &f.home());
}

TEST(AppWindows, DoorsOfTheMainWindowOpenTheirWindows)
{
    HomeFixture f;
    f.home().show();
    struct Door {
        const char *control;
        const char *window;
    };
    const Door doors[] = {{"BtnD", "FmCommSetting"}, {"RzBitBtn1", "Fmshowpawd"}, {"RzVersionInfoStatus1", "Form2"}};
    for (const Door &door : doors) {
        SCOPED_TRACE(door.control);
        f.control<QAbstractButton>(door.control)->click();
        EXPECT_TRUE(f.window(door.window)->isVisible());
        f.window(door.window)->hide();
    }
    // Ctrl+A reaches the title window from any window of the program.
    QWidget *setPage = f.window("FmSetPage");
    setPage->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(setPage));
    setPage->activateWindow();
    QTest::keyClick(setPage, Qt::Key_A, Qt::ControlModifier);
    EXPECT_TRUE(f.window("FmTitle")->isVisible());
    f.window("FmTitle")->hide();

    // Also while an edit field, which would take Ctrl+A for "select all", has the focus.
    auto *idField = f.home().findChild<QWidget *>(QStringLiteral("ControllerA3"))
                        ->findChild<QLineEdit *>(QStringLiteral("TxtID"));
    f.home().activateWindow();
    idField->setFocus();
    QTest::keyClick(idField, Qt::Key_A, Qt::ControlModifier);
    EXPECT_TRUE(f.window("FmTitle")->isVisible());
}

namespace {

// Throws from its event handler for the first `failures` custom events.
class FailingHandler : public QObject {
public:
    bool event(QEvent *event) override
    {
        if (event->type() != QEvent::User)
            return QObject::event(event);
        ++handled;
        if (throwNext)
            throw std::runtime_error("通訊埠設定錯誤");
        return true;
    }
    bool throwNext = true;
    int handled = 0;
};

} // namespace

TEST(TempmonApplication, AnErrorEscapingAHandlerIsShownAndTheProgramCarriesOn)
{
    RecordingBoxes boxes;
    FailingHandler handler;
    auto deliver = [&] {
        QEvent event(QEvent::User);
        return TempmonApplication::deliverReportingErrors(
            [&] { return QCoreApplication::sendEvent(&handler, &event); }, boxes);
    };
    EXPECT_FALSE(deliver());
    ASSERT_EQ(boxes.shown.size(), 1);
    EXPECT_EQ(boxes.shown[0].caption, "錯誤");
    EXPECT_EQ(boxes.shown[0].text, "通訊埠設定錯誤");

    handler.throwNext = false;
    EXPECT_TRUE(deliver());
    EXPECT_EQ(handler.handled, 2);
    EXPECT_EQ(boxes.shown.size(), 1);
}

TEST(TempmonApplication, ForeignExceptionsGetAGeneralText)
{
    RecordingBoxes boxes;
    EXPECT_FALSE(TempmonApplication::deliverReportingErrors([]() -> bool { throw 42; }, boxes));
    ASSERT_EQ(boxes.shown.size(), 1);
    EXPECT_FALSE(boxes.shown[0].text.isEmpty());
}
