#include "linklog.h"

#include "trs485comm.h"

#include <QByteArray>
#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcLink, "tempmon.link", QtWarningMsg)

void attachLinkLog(TRs485Comm &link)
{
    // What a backend did instead of a line setting the driver refused, at most once
    // per opening of the port.
    if (lcLink().isInfoEnabled()) {
        link.setNoticeObserver(
            [](const std::string &text) { qCInfo(lcLink).noquote() << QString::fromStdString(text); });
    }
    if (!lcLink().isDebugEnabled())
        return;
    link.setFrameObserver([](bool written, const std::uint8_t *bytes, int count) {
        const QByteArray data(reinterpret_cast<const char *>(bytes), count);
        qCDebug(lcLink).noquote() << (written ? "tx" : "rx") << data.toHex(' ');
    });
}
