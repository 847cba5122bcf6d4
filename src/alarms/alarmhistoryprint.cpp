#include "alarmhistoryprint.h"

namespace {

QString footer(int page) { return QStringLiteral("第%1頁").arg(page); }

int centred(const PageCanvas &canvas, const QString &text)
{
    return (canvas.pageSize().width() - canvas.textExtent(text).width()) / 2;
}

} // namespace

void printAlarmHistory(PageCanvas &canvas, const QStringList &lines)
{
    if (lines.isEmpty())
        return;
    const int pageHeight = canvas.pageSize().height();

    canvas.setFontSize(24);
    const QString title = QStringLiteral("警報歷史紀錄");
    const int titleHeight = canvas.textExtent(title).height();
    canvas.drawText(centred(canvas, title), titleHeight, title);
    const int topMargin = 3 * titleHeight;

    canvas.setFontSize(12);
    const QString first = footer(1);
    canvas.drawText(centred(canvas, first), pageHeight - canvas.textExtent(first).height(), first);

    for (int i = 0; i < lines.size(); ++i) {
        if (i > 0 && i % kHistoryLinesPerPage == 0) {
            canvas.newPage();
            // Later pages carry their number one text height higher than the first.
            const QString number = footer(i / kHistoryLinesPerPage + 1);
            canvas.drawText(centred(canvas, number), pageHeight - 2 * canvas.textExtent(number).height(), number);
        }
        const QString &line = lines.at(i);
        const int step = static_cast<int>(1.5 * canvas.textExtent(line).height());
        canvas.drawText(centred(canvas, line), topMargin + (i % kHistoryLinesPerPage) * step, line);
    }
}
