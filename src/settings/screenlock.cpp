#include "screenlock.h"

#include "settingsstore.h"

namespace {

const QString kKey = QStringLiteral("FmHome");
const QString kPassword = QStringLiteral("password");
const QString kUnlockCode = QStringLiteral("fmpassword");
const QString kChangeCode = QStringLiteral("ifpassword");

// The service codes: what the unlock window (4826) and the change-password window
// (7391) accept once the operator has set a password of their own. They are for the
// service staff and appear nowhere an operator reads.
const QString kUnlockServiceCode = QStringLiteral("4826");
const QString kChangeServiceCode = QStringLiteral("7391");

QString acceptedCode(const QString &password, const QString &serviceCode)
{
    return password.isEmpty() ? kDefaultPassword : serviceCode;
}

// Closes the key on every way out of a check.
class OpenKey {
public:
    explicit OpenKey(SettingsStore &store) : store_(store), open_(store.openKey(kKey, true)) {}
    ~OpenKey()
    {
        if (open_)
            store_.closeKey();
    }
    OpenKey(const OpenKey &) = delete;
    OpenKey &operator=(const OpenKey &) = delete;
    bool isOpen() const { return open_; }

private:
    SettingsStore &store_;
    bool open_;
};

} // namespace

ScreenLock::ScreenLock(SettingsStore &store) : store_(store) {}

UnlockOutcome ScreenLock::unlock(const QString &entry)
{
    const OpenKey key(store_);
    if (!key.isOpen())
        return UnlockOutcome::StoreUnavailable;
    const QString password = store_.readString(kPassword).value_or(QString());
    const QString code = acceptedCode(password, kUnlockServiceCode);
    // The record of the accepted code is a by-product: a store that refuses it does
    // not stand in the operator's way, and the check below uses the code decided here.
    if (store_.writeString(kUnlockCode, code))
        store_.flush();
    return entry == password || entry == code ? UnlockOutcome::Unlocked : UnlockOutcome::WrongPassword;
}

PasswordChange ScreenLock::changePassword(const QString &oldPassword, const QString &newPassword,
                                          const QString &repeated)
{
    const OpenKey key(store_);
    if (!key.isOpen())
        return PasswordChange::StoreUnavailable;
    const QString password = store_.readString(kPassword).value_or(QString());
    // Checked against the code decided here rather than what the store gives back:
    // were this write lost, the store would still hold the default password recorded
    // before the first password was set, and the default would open the change again.
    const QString code = acceptedCode(password, kChangeServiceCode);
    if (store_.writeString(kChangeCode, code))
        store_.flush();

    if (oldPassword != code && oldPassword != password)
        return PasswordChange::WrongOldPassword;
    if (repeated != newPassword)
        return PasswordChange::RepetitionDiffers;
    if (newPassword.isEmpty() || repeated.isEmpty() || oldPassword.isEmpty())
        return PasswordChange::FieldEmpty;
    if (!store_.writeString(kPassword, repeated) || !store_.flush())
        return PasswordChange::NotStored;
    return PasswordChange::Changed;
}

QString lockedMessage()
{
    return QStringLiteral("密碼已鎖定");
}

QString unlockMessage(UnlockOutcome outcome)
{
    switch (outcome) {
    case UnlockOutcome::Unlocked: return QStringLiteral("密碼已解除");
    case UnlockOutcome::WrongPassword: return QStringLiteral("密碼輸入錯誤,請重新輸入");
    case UnlockOutcome::StoreUnavailable: return QStringLiteral("無法讀取密碼設定,畫面仍然鎖定");
    }
    return {};
}

QString passwordChangeMessage(PasswordChange outcome)
{
    switch (outcome) {
    case PasswordChange::Changed: return QStringLiteral("密碼修改完成");
    case PasswordChange::WrongOldPassword: return QStringLiteral("舊密碼輸入錯誤,請重新輸入");
    case PasswordChange::RepetitionDiffers: return QStringLiteral("兩次輸入密碼不一樣");
    case PasswordChange::FieldEmpty: return QStringLiteral("請輸入資料");
    case PasswordChange::StoreUnavailable: return QStringLiteral("無法讀取密碼設定,密碼未修改");
    case PasswordChange::NotStored: return QStringLiteral("新密碼無法儲存,請檢查設定檔");
    }
    return {};
}
