// The company title: confirmed in the title window into the main window's top strip
// and the settings store at once, placed by its length in Big5 bytes.

#include "homefixture.h"

#include <QAbstractButton>
#include <QApplication>
#include <QInputMethodEvent>
#include <QAccessible>
#include <QAccessibleInterface>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

namespace {

const QString kKey = QStringLiteral("FmHome");

QLabel *titleLabel(HomeFixture &f) { return f.control<QLabel>("RzLabel1"); }

void showHome(HomeFixture &f)
{
    f.home().show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&f.home()));
    f.home().activateWindow();
}

// Ctrl+A, the title entered into the field the way an input method commits Chinese
// text, then a button.
void enterTitle(HomeFixture &f, const QString &title, const char *button)
{
    QTest::keyClick(&f.home(), Qt::Key_A, Qt::ControlModifier);
    QWidget *window = f.window("FmTitle");
    EXPECT_TRUE(window->isVisible());
    auto *edit = window->findChild<QLineEdit *>(QStringLiteral("Edit1"));
    edit->setFocus();
    edit->selectAll();
    QInputMethodEvent typed;
    typed.setCommitString(title);
    QCoreApplication::sendEvent(edit, &typed);
    EXPECT_EQ(edit->text(), title);
    window->findChild<QAbstractButton *>(QLatin1String(button))->click();
}

struct TitleCase {
    const char *title;
    int left;
};

TEST(TitleWindow, ConfirmedTitleIsShownStoredAndPlacedByItsByteLength)
{
    const TitleCase cases[] = {
        {"", 286},
        {"大同電子公司", 311},       // 12 bytes
        {"Tatung Corp.", 311},      // 12 bytes of Latin letters
        {"大同電子有限司", 312},     // 14
        {"中華電子股份公司", 301},   // 16
        {"中華電子股份有限司", 285}, // 18
        {"中華電子股份有限公司", 286}, // 20
        {"大同電子司", 286},         // 10
        {"大同 ABC 公司", 286},      // 13
    };
    for (const TitleCase &c : cases) {
        const QString title = QString::fromUtf8(c.title);
        SCOPED_TRACE(c.title);
        HomeFixture f;
        showHome(f);
        const int top = titleLabel(f)->y();

        enterTitle(f, title, "RzButton1");

        EXPECT_EQ(titleLabel(f)->text(), title);
        EXPECT_EQ(titleLabel(f)->x(), c.left);
        EXPECT_EQ(titleLabel(f)->y(), top);
        EXPECT_EQ(f.memory.stringValue(kKey, QStringLiteral("HmTitle")), title);
        EXPECT_FALSE(f.memory.isKeyOpen());
        EXPECT_FALSE(f.window("FmTitle")->isVisible());
        EXPECT_TRUE(f.boxes.shown.isEmpty());
    }
}

TEST(TitleWindow, CancelChangesNothing)
{
    HomeFixture f;
    showHome(f);
    enterTitle(f, QStringLiteral("大同電子公司"), "RzButton1");
    f.memory.clearWriteLog();

    enterTitle(f, QStringLiteral("中華電子股份有限公司"), "RzButton2");

    EXPECT_EQ(titleLabel(f)->text(), QStringLiteral("大同電子公司"));
    EXPECT_EQ(titleLabel(f)->x(), 311);
    EXPECT_EQ(f.memory.stringValue(kKey, QStringLiteral("HmTitle")), QStringLiteral("大同電子公司"));
    EXPECT_TRUE(f.memory.writeLog().isEmpty());
    EXPECT_FALSE(f.window("FmTitle")->isVisible());
}

// Cancelled with the mouse, which leaves the focus on the button: the next showing
// still takes the typed keys into the name field, replacing the old name.
TEST(TitleWindow, TypingAfterAReopeningGoesIntoTheNameField)
{
    HomeFixture f;
    showHome(f);
    enterTitle(f, QStringLiteral("Old Name"), "RzButton1");
    QTest::keyClick(&f.home(), Qt::Key_A, Qt::ControlModifier);
    QWidget *window = f.window("FmTitle");
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    QTest::mouseClick(window->findChild<QAbstractButton *>(QStringLiteral("RzButton2")), Qt::LeftButton);
    ASSERT_FALSE(window->isVisible());

    f.home().activateWindow();
    QTest::keyClick(&f.home(), Qt::Key_A, Qt::ControlModifier);
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("Acme Heat Co"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);

    EXPECT_EQ(titleLabel(f)->text(), QStringLiteral("Acme Heat Co"));
    EXPECT_EQ(f.memory.stringValue(kKey, QStringLiteral("HmTitle")), QStringLiteral("Acme Heat Co"));
}

TEST(TitleWindow, TitleAfterARestartStandsAtTheLoadPlacement)
{
    MemorySettingsStore store;
    {
        HomeFixture first(&store);
        showHome(first);
        enterTitle(first, QStringLiteral("大同電子公司"), "RzButton1");
        EXPECT_EQ(titleLabel(first)->x(), 311);
    }
    HomeFixture second(&store);
    showHome(second);
    EXPECT_EQ(titleLabel(second)->text(), QStringLiteral("大同電子公司"));
    EXPECT_EQ(titleLabel(second)->x(), 296);
}

TEST(TitleWindow, TitleTheStoreRefusesIsShownAndReported)
{
    HomeFixture f;
    f.memory.addKey(kKey);
    f.memory.failWriting(kKey, QStringLiteral("HmTitle"));
    showHome(f);

    enterTitle(f, QStringLiteral("大同電子公司"), "RzButton1");

    EXPECT_EQ(titleLabel(f)->text(), QStringLiteral("大同電子公司"));
    EXPECT_FALSE(f.memory.value(kKey, QStringLiteral("HmTitle")).has_value());
    ASSERT_EQ(f.boxes.shown.size(), 1);
    EXPECT_EQ(f.boxes.shown[0].icon, MessageBoxes::Icon::Error);
    EXPECT_TRUE(f.boxes.shown[0].text.contains(QStringLiteral("HmTitle")));
}

TEST(TitleWindow, ControlsAreFoundByCaptionAndName)
{
    HomeFixture f;
    QWidget *window = f.window("FmTitle");
    window->show();
    const std::pair<const char *, const char *> controls[] = {
        {"Edit1", "Edit1"}, {"RzButton1", "確定"}, {"RzButton2", "取消"}};
    for (const auto &[name, accessibleName] : controls) {
        QAccessibleInterface *access
            = QAccessible::queryAccessibleInterface(window->findChild<QWidget *>(QLatin1String(name)));
        ASSERT_NE(access, nullptr) << name;
        EXPECT_EQ(access->text(QAccessible::Name), QString::fromUtf8(accessibleName)) << name;
    }
}

} // namespace
