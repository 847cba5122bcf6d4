// The about window: its links open in the desktop's browser, its picture comes from
// the program's folder, and "確定" closes it.

#include "homefixture.h"
#include "tform2.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleInterface>
#include <QLabel>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <gtest/gtest.h>

namespace {

struct AboutFixture {
    explicit AboutFixture(const QString &folder = QCoreApplication::applicationDirPath()) : about(boxes, folder)
    {
        about.setLinkOpener([this](const QUrl &url) {
            opened << url.toString();
            return browserStarts;
        });
        about.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&about));
    }
    QLabel *label(const char *name) { return about.findChild<QLabel *>(QLatin1String(name)); }

    // A click on the label's link, which starts at the label's left edge.
    void clickLink(const char *name)
    {
        QLabel *link = label(name);
        const QPoint onText(link->contentsRect().left() + 4, link->height() / 2);
        QTest::mouseClick(link, Qt::LeftButton, {}, onText);
    }

    RecordingBoxes boxes;
    TForm2 about;
    QStringList opened;
    bool browserStarts = true;
};

TEST(AboutWindow, LinksOpenTheProjectsHomeAndIssueTracker)
{
    AboutFixture f;
    f.clickLink("RzURLLabel1");
    f.clickLink("RzURLLabel2");
    EXPECT_EQ(f.opened, QStringList({"https://github.com/tempmon/tempmon", "https://github.com/tempmon/tempmon/issues"}));
    EXPECT_TRUE(f.boxes.shown.isEmpty());
    EXPECT_TRUE(f.about.isVisible());
}

TEST(AboutWindow, LinkWithoutABrowserTellsTheAddress)
{
    AboutFixture f;
    f.browserStarts = false;
    f.clickLink("RzURLLabel2");
    ASSERT_EQ(f.boxes.shown.size(), 1);
    EXPECT_EQ(f.boxes.shown[0].icon, MessageBoxes::Icon::Warning);
    EXPECT_TRUE(f.boxes.shown[0].text.contains(QStringLiteral("https://github.com/tempmon/tempmon/issues")));
}

TEST(AboutWindow, ShowsTheVersionAndThePictureBesideTheProgram)
{
    AboutFixture f;
    EXPECT_EQ(f.label("RzLabel3")->text(), QStringLiteral("Version 9.22"));
    EXPECT_FALSE(f.label("Image1")->pixmap().isNull());
    f.about.findChild<QAbstractButton *>(QStringLiteral("RzButton1"))->click();
    EXPECT_FALSE(f.about.isVisible());
}

TEST(AboutWindow, MissingPictureLeavesTheWindowUsable)
{
    QTemporaryDir empty;
    AboutFixture f(empty.path());
    EXPECT_TRUE(f.label("Image1")->pixmap().isNull());
    EXPECT_TRUE(f.boxes.shown.isEmpty());
    f.clickLink("RzURLLabel1");
    EXPECT_EQ(f.opened.size(), 1);
}

TEST(AboutWindow, OpensFromTheVersionFieldAndIsFoundByName)
{
    HomeFixture f;
    f.home().show();
    f.control<QAbstractButton>("RzVersionInfoStatus1")->click();
    QWidget *about = f.window("Form2");
    EXPECT_TRUE(about->isVisible());
    QAccessibleInterface *ok
        = QAccessible::queryAccessibleInterface(about->findChild<QWidget *>(QStringLiteral("RzButton1")));
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->role(), QAccessible::PushButton);
    EXPECT_EQ(ok->text(QAccessible::Name), QStringLiteral("確定"));
    for (const char *link : {"RzURLLabel1", "RzURLLabel2"}) {
        QAccessibleInterface *access
            = QAccessible::queryAccessibleInterface(about->findChild<QWidget *>(QLatin1String(link)));
        ASSERT_NE(access, nullptr);
        EXPECT_TRUE(access->text(QAccessible::Name).startsWith(QStringLiteral("https://"))) << link;
    }
}

} // namespace

namespace {

TEST(AboutWindow, IsSkyBlueAsTheOperatorSeesIt)
{
    AboutFixture f;
    // What reaches the screen, not what the widget would paint into a picture.
    QTest::qWait(50);
    const QImage shown = f.about.screen()->grabWindow(f.about.winId()).toImage();
    ASSERT_FALSE(shown.isNull());
    EXPECT_EQ(QColor(shown.pixel(3, shown.height() - 3)).name(), QColor(166, 202, 240).name());
}

} // namespace
