#include "screenlock.h"

#include "memorysettingsstore.h"
#include "qtprinters.h"

#include <gtest/gtest.h>


namespace {

const QString kKey = QStringLiteral("FmHome");
// The two windows' service codes, as the service staff know them.
const char *const kUnlockCode = "4826";
const char *const kChangeCode = "7391";

const QString kAbsent = QStringLiteral("(absent)");

// A stored value, or "(absent)", so that a failure reads plainly.
QString stored(const MemorySettingsStore &store, const char *name)
{
    return store.stringValue(kKey, QString::fromLatin1(name)).value_or(kAbsent);
}

QString expected(const char *value)
{
    return value ? QString::fromUtf8(value) : kAbsent;
}

struct Stored {
    const char *password = nullptr; // nullptr: absent
    const char *fmpassword = nullptr;
    const char *ifpassword = nullptr;
    const char *failWriting = nullptr; // a value of FmHome the store refuses to write
    bool failOpening = false;
};

void lay(MemorySettingsStore &store, const Stored &stored)
{
    store.addKey(kKey);
    if (stored.password)
        store.setString(kKey, QStringLiteral("password"), QString::fromUtf8(stored.password));
    if (stored.fmpassword)
        store.setString(kKey, QStringLiteral("fmpassword"), QString::fromUtf8(stored.fmpassword));
    if (stored.ifpassword)
        store.setString(kKey, QStringLiteral("ifpassword"), QString::fromUtf8(stored.ifpassword));
    if (stored.failWriting)
        store.failWriting(kKey, QString::fromLatin1(stored.failWriting));
    if (stored.failOpening)
        store.failOpening(kKey);
}

struct UnlockCase {
    const char *name;
    Stored stored;
    const char *entry;
    UnlockOutcome outcome;
    const char *fmpasswordAfter; // nullptr: absent
};

TEST(ScreenLock, UnlockAcceptsThePasswordOrTheWindowsCode)
{
    const UnlockCase cases[] = {
        {"default, no password stored", {}, "60718", UnlockOutcome::Unlocked, "60718"},
        {"empty entry, no password stored", {}, "", UnlockOutcome::Unlocked, "60718"},
        {"empty stored password is no password", {""}, "60718", UnlockOutcome::Unlocked, "60718"},
        {"wrong entry, no password stored", {}, "1234", UnlockOutcome::WrongPassword, "60718"},
        {"service code before a password is set", {}, kUnlockCode, UnlockOutcome::WrongPassword, "60718"},
        {"the password", {"5566"}, "5566", UnlockOutcome::Unlocked, kUnlockCode},
        {"default once a password is set", {"5566"}, "60718", UnlockOutcome::WrongPassword, kUnlockCode},
        {"empty entry once a password is set", {"5566"}, "", UnlockOutcome::WrongPassword, kUnlockCode},
        {"the unlock window's service code", {"5566"}, kUnlockCode, UnlockOutcome::Unlocked, kUnlockCode},
        {"the change window's code does not unlock", {"5566"}, kChangeCode, UnlockOutcome::WrongPassword,
         kUnlockCode},
        {"exact text: no trimming", {"5566"}, "5566 ", UnlockOutcome::WrongPassword, kUnlockCode},
        {"exact text: full-width digits are other characters", {"5566"}, "５５６６",
         UnlockOutcome::WrongPassword, kUnlockCode},
        {"a stale default recorded earlier does not unlock", {"5566", "60718"}, "60718",
         UnlockOutcome::WrongPassword, kUnlockCode},
        {"the code is decided even when it cannot be recorded", {"5566", "60718", nullptr, "fmpassword"},
         "60718", UnlockOutcome::WrongPassword, "60718"},
        {"a store that cannot be opened unlocks nothing", {nullptr, nullptr, nullptr, nullptr, true}, "60718",
         UnlockOutcome::StoreUnavailable, nullptr},
    };
    for (const UnlockCase &c : cases) {
        SCOPED_TRACE(c.name);
        MemorySettingsStore store;
        lay(store, c.stored);
        const QString passwordBefore = stored(store, "password");

        EXPECT_EQ(ScreenLock(store).unlock(QString::fromUtf8(c.entry)), c.outcome);
        EXPECT_EQ(stored(store, "fmpassword"), expected(c.fmpasswordAfter));
        EXPECT_EQ(stored(store, "password"), passwordBefore);
        EXPECT_EQ(stored(store, "ifpassword"), expected(c.stored.ifpassword));
        EXPECT_FALSE(store.isKeyOpen());
        EXPECT_EQ(store.nestedOpens(), 0);
    }
}

struct ChangeCase {
    const char *name;
    Stored stored;
    const char *oldPassword;
    const char *newPassword;
    const char *repeated;
    PasswordChange outcome;
    const char *passwordAfter;   // nullptr: absent
    const char *ifpasswordAfter; // nullptr: absent
};

TEST(ScreenLock, ChangeChecksOldPasswordThenRepetitionThenEmptyFields)
{
    const ChangeCase cases[] = {
        {"default as the old password", {}, "60718", "2468", "2468", PasswordChange::Changed, "2468", "60718"},
        {"empty old password, no password stored", {}, "", "2468", "2468", PasswordChange::FieldEmpty, nullptr,
         "60718"},
        {"wrong old password", {}, "1111", "2468", "2468", PasswordChange::WrongOldPassword, nullptr, "60718"},
        {"the password as the old one", {"5566"}, "5566", "2468", "2468", PasswordChange::Changed, "2468",
         kChangeCode},
        {"default once a password is set", {"5566"}, "60718", "2468", "2468", PasswordChange::WrongOldPassword,
         "5566", kChangeCode},
        {"the change window's service code", {"5566"}, kChangeCode, "2468", "2468", PasswordChange::Changed,
         "2468", kChangeCode},
        {"the unlock window's code is not the old password", {"5566"}, kUnlockCode, "2468", "2468",
         PasswordChange::WrongOldPassword, "5566", kChangeCode},
        {"wrong old password goes before the repetition", {"5566"}, "0000", "2468", "1357",
         PasswordChange::WrongOldPassword, "5566", kChangeCode},
        {"repetitions differ", {"5566"}, "5566", "2468", "1357", PasswordChange::RepetitionDiffers, "5566",
         kChangeCode},
        {"mismatch before empty: repetition left empty", {"5566"}, "5566", "2468", "",
         PasswordChange::RepetitionDiffers, "5566", kChangeCode},
        {"mismatch before empty: new left empty", {"5566"}, "5566", "", "2468", PasswordChange::RepetitionDiffers,
         "5566", kChangeCode},
        {"a password is never set back to empty", {"5566"}, "5566", "", "", PasswordChange::FieldEmpty, "5566",
         kChangeCode},
        {"a stale default recorded earlier is not the old password", {"5566", nullptr, "60718"}, "60718", "2468",
         "2468", PasswordChange::WrongOldPassword, "5566", kChangeCode},
        {"the code is decided even when it cannot be recorded", {"5566", nullptr, "60718", "ifpassword"}, "60718",
         "2468", "2468", PasswordChange::WrongOldPassword, "5566", "60718"},
        {"a new password the store refuses is reported", {"5566", nullptr, nullptr, "password"}, "5566", "2468",
         "2468", PasswordChange::NotStored, "5566", kChangeCode},
        {"a store that cannot be opened changes nothing", {nullptr, nullptr, nullptr, nullptr, true}, "60718",
         "2468", "2468", PasswordChange::StoreUnavailable, nullptr, nullptr},
    };
    for (const ChangeCase &c : cases) {
        SCOPED_TRACE(c.name);
        MemorySettingsStore store;
        lay(store, c.stored);

        EXPECT_EQ(ScreenLock(store).changePassword(QString::fromUtf8(c.oldPassword), QString::fromUtf8(c.newPassword),
                                                   QString::fromUtf8(c.repeated)),
                  c.outcome);
        EXPECT_EQ(stored(store, "password"), expected(c.passwordAfter));
        EXPECT_EQ(stored(store, "ifpassword"), expected(c.ifpasswordAfter));
        EXPECT_EQ(stored(store, "fmpassword"), expected(c.stored.fmpassword));
        EXPECT_FALSE(store.isKeyOpen());
        EXPECT_EQ(store.nestedOpens(), 0);
    }
}

TEST(ScreenLock, AcceptedCodeIsRecordedBeforeTheNewPassword)
{
    MemorySettingsStore store;
    ScreenLock lock(store);
    ASSERT_EQ(lock.changePassword(QStringLiteral("60718"), QStringLiteral("2468"), QStringLiteral("2468")),
              PasswordChange::Changed);
    EXPECT_EQ(store.writeLog(), QStringList({"FmHome/ifpassword", "FmHome/password"}));

    // From now on the default is refused by both windows and the service codes stand in.
    store.clearWriteLog();
    EXPECT_EQ(lock.unlock(QStringLiteral("60718")), UnlockOutcome::WrongPassword);
    EXPECT_EQ(lock.unlock(QStringLiteral("2468")), UnlockOutcome::Unlocked);
    EXPECT_EQ(store.writeLog(), QStringList({"FmHome/fmpassword", "FmHome/fmpassword"}));
    EXPECT_EQ(lock.changePassword(QStringLiteral("60718"), QStringLiteral("1357"), QStringLiteral("1357")),
              PasswordChange::WrongOldPassword);
    EXPECT_EQ(stored(store, "ifpassword"), QString::fromLatin1(kChangeCode));
}

TEST(ScreenLock, NewPasswordThatCannotBeFlushedIsNotReportedAsChanged)
{
    MemorySettingsStore store;
    store.addKey(kKey);
    store.failFlushing(kKey);
    EXPECT_EQ(ScreenLock(store).changePassword(QStringLiteral("60718"), QStringLiteral("2468"),
                                               QStringLiteral("2468")),
              PasswordChange::NotStored);
}

} // namespace
