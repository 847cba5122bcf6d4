#include "linklog.h"

#include "trs485comm.h"

#include <QByteArray>
#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcLink, "tempmon.link", QtWarningMsg)

void attachLinkLog(TRs485Comm &link)
{
    if (!lcLink().isDebugEnabled())
        return;
    link.setFrameObserver([](bool written, const std::uint8_t *bytes, int count) {
        const QByteArray data(reinterpret_cast<const char *>(bytes), count);
        qCDebug(lcLink).noquote() << (written ? "tx" : "rx") << data.toHex(' ');
    });
}
