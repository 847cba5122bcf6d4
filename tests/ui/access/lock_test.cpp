// The screen lock as the operator works it: the chooser, the unlock window and the
// change-password window over the thirty tiles and the settings store.

#include "homefixture.h"
#include "radiogroup.h"
#include "tcontroller.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleInterface>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

const QString kKey = QStringLiteral("FmHome");

enum class Act { Lock, Unlock, Change, ChooseNothing };

class LockDriver {
public:
    explicit LockDriver(HomeFixture &f) : f_(f) {}

    QWidget *window(const char *name) { return f_.window(name); }
    template <typename T>
    T *in(const char *window, const char *control)
    {
        return this->window(window)->findChild<T *>(QLatin1String(control));
    }

    // Opens the chooser from the main window and confirms the item (-1: none).
    void choose(int item)
    {
        f_.control<QAbstractButton>("RzBitBtn1")->click();
        EXPECT_TRUE(window("Fmshowpawd")->isVisible());
        auto *group = in<RadioGroup>("Fmshowpawd", "RadioGroup1");
        if (item >= 0)
            group->items().at(item)->click();
        else
            group->setItemIndex(-1);
        in<QAbstractButton>("Fmshowpawd", "Button1")->click();
    }

    void type(const char *window, const char *field, const char *text)
    {
        auto *edit = in<QLineEdit>(window, field);
        edit->clear();
        QTest::keyClicks(edit, QString::fromUtf8(text));
    }

    void act(Act act, const char *entry, const char *newPassword, const char *repeated)
    {
        switch (act) {
        case Act::Lock:
            choose(0);
            break;
        case Act::Unlock:
            choose(1);
            EXPECT_TRUE(window("fmpassread")->isVisible());
            type("fmpassread", "Edit1", entry);
            in<QAbstractButton>("fmpassread", "Button1")->click();
            break;
        case Act::Change:
            choose(2);
            EXPECT_TRUE(window("fmpaset")->isVisible());
            type("fmpaset", "oldEdit", entry);
            type("fmpaset", "newEdit", newPassword);
            type("fmpaset", "aginNewEdit", repeated);
            in<QAbstractButton>("fmpaset", "Button1")->click();
            break;
        case Act::ChooseNothing:
            choose(-1);
            break;
        }
    }

    // "locked", "unlocked", or which tile is half locked.
    QString tileState()
    {
        int locked = 0;
        for (int panel = 1; panel <= 3; ++panel) {
            for (int slot = 1; slot <= 10; ++slot) {
                TController *tile = f_.home().tile(panel, slot);
                const bool id = tile->findChild<QLineEdit *>(QStringLiteral("TxtID"))->isEnabled();
                const bool set = tile->settingButton()->isEnabled();
                if (id != set)
                    return QStringLiteral("tile %1/%2 half locked").arg(panel).arg(slot);
                locked += id ? 0 : 1;
            }
        }
        if (locked == 30)
            return QStringLiteral("locked");
        if (locked == 0)
            return QStringLiteral("unlocked");
        return QStringLiteral("%1 of 30 tiles locked").arg(locked);
    }

    QString openLockWindows()
    {
        QStringList open;
        for (const char *name : {"Fmshowpawd", "fmpassread", "fmpaset"})
            if (window(name)->isVisible())
                open << QLatin1String(name);
        return open.join(QLatin1Char(' '));
    }

    QString fields(Act act)
    {
        if (act == Act::Unlock)
            return in<QLineEdit>("fmpassread", "Edit1")->text();
        if (act == Act::Change)
            return QStringList({in<QLineEdit>("fmpaset", "oldEdit")->text(), in<QLineEdit>("fmpaset", "newEdit")->text(),
                                in<QLineEdit>("fmpaset", "aginNewEdit")->text()})
                .join(QLatin1Char('|'));
        return {};
    }

private:
    HomeFixture &f_;
};

struct LockCase {
    const char *name;
    const char *storedPassword; // nullptr: none stored
    bool lockedBefore;
    Act act;
    const char *entry; // the unlock entry, or the old password
    const char *newPassword;
    const char *repeated;
    const char *message; // nullptr: nothing is told
    bool lockedAfter;
    const char *openAfter;     // lock windows still open
    const char *fieldsAfter;   // Edit1, or oldEdit|newEdit|aginNewEdit
    const char *passwordAfter; // nullptr: none stored
};

TEST(ScreenLockWindows, StateTable)
{
    // The two service codes: 4826 unlocks, 7391 stands in for the old password.
    const LockCase cases[] = {
        {"lock", nullptr, false, Act::Lock, "", "", "", "密碼已鎖定", true, "", "", nullptr},
        {"locking twice", nullptr, true, Act::Lock, "", "", "", "密碼已鎖定", true, "", "", nullptr},
        {"no choice does nothing", nullptr, true, Act::ChooseNothing, "", "", "", nullptr, true, "Fmshowpawd", "",
         nullptr},
        {"wrong password empties the entry", nullptr, true, Act::Unlock, "1234", "", "", "密碼輸入錯誤,請重新輸入",
         true, "fmpassread", "", nullptr},
        {"right password", "5566", true, Act::Unlock, "5566", "", "", "密碼已解除", false, "", "", "5566"},
        {"default with no password stored", nullptr, true, Act::Unlock, "60718", "", "", "密碼已解除", false, "",
         "", nullptr},
        {"empty entry with no password stored", nullptr, true, Act::Unlock, "", "", "", "密碼已解除", false, "", "",
         nullptr},
        {"default once a password is set", "5566", true, Act::Unlock, "60718", "", "", "密碼輸入錯誤,請重新輸入",
         true, "fmpassread", "", "5566"},
        {"unlock service code", "5566", true, Act::Unlock, "4826", "", "", "密碼已解除", false, "", "", "5566"},
        {"unlocking when not locked", nullptr, false, Act::Unlock, "60718", "", "", "密碼已解除", false, "", "",
         nullptr},
        {"new password from the default", nullptr, false, Act::Change, "60718", "2468", "2468", "密碼修改完成", false,
         "", "||", "2468"},
        {"new password from the password", "5566", true, Act::Change, "5566", "2468", "2468", "密碼修改完成", true,
         "", "||", "2468"},
        {"change service code", "5566", false, Act::Change, "7391", "2468", "2468", "密碼修改完成", false, "", "||",
         "2468"},
        {"default as old once a password is set", "5566", false, Act::Change, "60718", "2468", "2468",
         "舊密碼輸入錯誤,請重新輸入", false, "fmpaset", "|2468|2468", "5566"},
        {"repetitions differ", "5566", false, Act::Change, "5566", "2468", "1357", "兩次輸入密碼不一樣", false,
         "fmpaset", "5566|2468|1357", "5566"},
        {"mismatch before empty", "5566", false, Act::Change, "5566", "2468", "", "兩次輸入密碼不一樣", false,
         "fmpaset", "5566|2468|", "5566"},
        {"empty old password", nullptr, false, Act::Change, "", "2468", "2468", "請輸入資料", false, "fmpaset",
         "|2468|2468", nullptr},
    };
    for (const LockCase &c : cases) {
        SCOPED_TRACE(c.name);
        HomeFixture f;
        if (c.storedPassword)
            f.memory.setString(kKey, QStringLiteral("password"), QString::fromUtf8(c.storedPassword));
        f.home().show();
        LockDriver lock(f);
        if (c.lockedBefore)
            lock.act(Act::Lock, "", "", "");
        ASSERT_EQ(lock.tileState(), c.lockedBefore ? "locked" : "unlocked");
        f.boxes.shown.clear();

        lock.act(c.act, c.entry, c.newPassword, c.repeated);

        if (c.message) {
            ASSERT_EQ(f.boxes.shown.size(), 1);
            EXPECT_EQ(f.boxes.shown[0].text, QString::fromUtf8(c.message));
            EXPECT_EQ(f.boxes.shown[0].caption, QStringLiteral("系統訊息"));
            EXPECT_EQ(f.boxes.shown[0].icon, MessageBoxes::Icon::Warning);
        } else {
            EXPECT_TRUE(f.boxes.shown.isEmpty());
        }
        EXPECT_EQ(lock.tileState(), c.lockedAfter ? "locked" : "unlocked");
        EXPECT_EQ(lock.openLockWindows(), QString::fromLatin1(c.openAfter));
        EXPECT_EQ(lock.fields(c.act), QString::fromUtf8(c.fieldsAfter));
        EXPECT_EQ(f.memory.stringValue(kKey, QStringLiteral("password")),
                  c.passwordAfter ? std::optional<QString>(QString::fromUtf8(c.passwordAfter)) : std::nullopt);
        EXPECT_FALSE(f.memory.isKeyOpen());
    }
}

TEST(ScreenLockWindows, OperatorLocksUnlocksAndSetsAPassword)
{
    HomeFixture f;
    f.home().show();
    LockDriver lock(f);
    TController *tile = f.home().tile(1, 3);
    auto *id = tile->findChild<QLineEdit *>(QStringLiteral("TxtID"));
    id->setText(QStringLiteral("3"));

    lock.act(Act::Lock, "", "", "");
    QTest::keyClicks(id, QStringLiteral("7"));
    QTest::mouseClick(tile->settingButton(), Qt::LeftButton);
    QTest::mouseClick(tile->settingButton(), Qt::RightButton);
    EXPECT_EQ(id->text(), "3");
    EXPECT_FALSE(f.window("FmSetPage")->isVisible());

    // A failed attempt is repeated at once in the window left open.
    lock.act(Act::Unlock, "1111", "", "");
    EXPECT_EQ(lock.tileState(), "locked");
    lock.type("fmpassread", "Edit1", "60718");
    lock.in<QAbstractButton>("fmpassread", "Button1")->click();
    EXPECT_EQ(lock.tileState(), "unlocked");

    lock.act(Act::Change, "60718", "2468", "2468");
    lock.act(Act::Lock, "", "", "");
    lock.act(Act::Unlock, "60718", "", "");
    EXPECT_EQ(lock.tileState(), "locked");
    lock.type("fmpassread", "Edit1", "2468");
    lock.in<QAbstractButton>("fmpassread", "Button1")->click();
    EXPECT_EQ(lock.tileState(), "unlocked");

    QTest::keyClicks(id, QStringLiteral("7"));
    EXPECT_EQ(id->text(), "37");
    QStringList told;
    for (const ShownBox &box : f.boxes.shown)
        told << box.text;
    EXPECT_EQ(told, QStringList({"密碼已鎖定", "密碼輸入錯誤,請重新輸入", "密碼已解除", "密碼修改完成",
                                 "密碼已鎖定", "密碼輸入錯誤,請重新輸入", "密碼已解除"}));
}

TEST(ScreenLockWindows, PasswordFieldsShowStarsAndSayTheyArePasswordFields)
{
    HomeFixture f;
    LockDriver lock(f);
    struct Field {
        const char *window;
        const char *name;
    };
    const Field fields[] = {{"fmpassread", "Edit1"}, {"fmpaset", "oldEdit"}, {"fmpaset", "newEdit"},
                            {"fmpaset", "aginNewEdit"}};
    for (const Field &field : fields) {
        SCOPED_TRACE(field.name);
        lock.window(field.window)->show();
        lock.type(field.window, field.name, "5566");
        auto *edit = lock.in<QLineEdit>(field.window, field.name);
        EXPECT_EQ(edit->displayText(), "****");
        QAccessibleInterface *access = QAccessible::queryAccessibleInterface(edit);
        ASSERT_NE(access, nullptr);
        EXPECT_EQ(access->role(), QAccessible::EditableText);
        EXPECT_TRUE(access->state().passwordEdit);
        EXPECT_EQ(access->text(QAccessible::Name), QLatin1String(field.name));
        // What a screen reader reads out is the mask, not the password.
        EXPECT_NE(access->text(QAccessible::Value), "5566");
    }
}

TEST(ScreenLockWindows, ButtonsAndChoicesAreFoundByTheirCaptions)
{
    HomeFixture f;
    struct Control {
        const char *window;
        const char *name;
        QAccessible::Role role;
        const char *accessibleName;
    };
    const Control controls[] = {
        {"Fmshowpawd", "Button1", QAccessible::PushButton, "確定"},
        {"Fmshowpawd", "Button2", QAccessible::PushButton, "取消"},
        {"Fmshowpawd", "RadioGroup1Item0", QAccessible::RadioButton, "鎖定密碼"},
        {"Fmshowpawd", "RadioGroup1Item1", QAccessible::RadioButton, "解除密碼"},
        {"Fmshowpawd", "RadioGroup1Item2", QAccessible::RadioButton, "設定新密碼"},
        {"fmpassread", "Button1", QAccessible::PushButton, "確定"},
        {"fmpassread", "Button2", QAccessible::PushButton, "取消"},
        {"fmpaset", "Button1", QAccessible::PushButton, "確定"},
        {"fmpaset", "Button2", QAccessible::PushButton, "取消"},
    };
    for (const Control &c : controls) {
        SCOPED_TRACE(std::string(c.window) + "." + c.name);
        QWidget *window = f.window(c.window);
        window->show();
        QAccessibleInterface *access
            = QAccessible::queryAccessibleInterface(window->findChild<QWidget *>(QLatin1String(c.name)));
        ASSERT_NE(access, nullptr);
        EXPECT_EQ(access->role(), c.role);
        EXPECT_EQ(access->text(QAccessible::Name), QString::fromUtf8(c.accessibleName));
    }
}

} // namespace
