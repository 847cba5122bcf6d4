#pragma once

// The screen lock's passwords, kept as strings in the FmHome key of the settings
// store: `password` (the operator's, empty until one is set) and, for each of the two
// password windows, the code that window accepts besides it (`fmpassword` for the
// unlock window, `ifpassword` for the change-password window). That code is the
// default password while no password is set and the window's service code after, so
// a forgotten password can still be replaced by the service staff.
//
// Locking itself needs no password and is not stored: every start begins unlocked.

#include <QString>

class SettingsStore;

// Shown to the operator in the chooser; accepted until a password has been set.
inline const QString kDefaultPassword = QStringLiteral("60718");

enum class UnlockOutcome {
    Unlocked,
    WrongPassword,
    StoreUnavailable, // the key could not be opened: the password is unknown
};

enum class PasswordChange {
    Changed,
    WrongOldPassword,
    RepetitionDiffers,
    FieldEmpty,
    StoreUnavailable,
    NotStored, // every check passed, but the new password did not reach the store
};

class ScreenLock {
public:
    explicit ScreenLock(SettingsStore &store);

    // Whether `entry` unlocks the tiles: the stored password, or the unlock window's
    // accepted code. Records that code as `fmpassword` first.
    UnlockOutcome unlock(const QString &entry);

    // The change-password checks in their order (old password, repetition, empty
    // fields); on success the repetition becomes the password. Records the change
    // window's accepted code as `ifpassword` first.
    PasswordChange changePassword(const QString &oldPassword, const QString &newPassword,
                                  const QString &repeated);

private:
    SettingsStore &store_;
};

// What the operator is told; every message of the lock is a warning titled "系統訊息".
inline const QString kScreenLockCaption = QStringLiteral("系統訊息");
QString lockedMessage();
QString unlockMessage(UnlockOutcome outcome);
QString passwordChangeMessage(PasswordChange outcome);
