#include "writerejection.h"

#include "engineevents.h"

QString rejectionReason(WriteRejection reason)
{
    switch (reason) {
    case WriteRejection::NotANumber:
        return QStringLiteral("不是數字");
    case WriteRejection::OutOfRange:
        return QStringLiteral("換算後超出控制器可接受的範圍 (-32768 ～ 32767)");
    case WriteRejection::NoSuchSlot:
        return QStringLiteral("沒有這個盤面或溫控點");
    case WriteRejection::None:
        break;
    }
    return QString();
}

QString rejectionMessage(const RejectedWrite &write)
{
    return QStringLiteral("盤面%1 溫控點%2 的參數 (代碼 %3) 未寫入：數值「%4」%5")
        .arg(write.panel)
        .arg(write.slot)
        .arg(write.code)
        .arg(write.valueText, rejectionReason(write.reason));
}
