#include "recordformat.h"

#include "big5.h"
#include "localeformats.h"

#include <QDir>

#include <limits>

namespace {

const QString kNoLink = QStringLiteral("無連接");
const QChar kTab = QLatin1Char('\t');
const QLatin1String kLineEnd("\r\n");

QString headerText(int fileType)
{
    QString text = QStringLiteral("時間");
    // The .txt header has an empty column that the records do not have.
    text += xlsFiles(fileType) ? QStringLiteral("\t") : QStringLiteral("\t\t");
    for (int slot = 1; slot <= kSlotCount; ++slot)
        text += QStringLiteral("PV%1\tSV%1\t").arg(slot);
    text += kLineEnd;
    return text;
}

} // namespace

QString recordFolderPath(const QString &folderText)
{
    if (folderText.trimmed().isEmpty())
        return {};
#ifndef Q_OS_WIN
    if (folderText == QLatin1String("~"))
        return QDir::homePath();
    if (folderText.startsWith(QLatin1String("~/")))
        return QDir::home().filePath(folderText.mid(2));
#endif
    return folderText;
}

QString panelFolderName(int panel)
{
    return QStringLiteral("盤面%1").arg(panel);
}

QString recordDatePart(const LocaleFormats &locale, const QDate &date)
{
    QString part = locale.shortDate(date);
    part.replace(QLatin1Char('/'), QLatin1Char('_'));
    return part;
}

QString recordFileName(const LocaleFormats &locale, const QDateTime &at, int saveUnit, int fileType)
{
    QString name = recordDatePart(locale, at.date());
    if (hourlyFiles(saveUnit)) {
        const QTime time = at.time();
        name += QLatin1Char('_') + locale.dayHalfWord(time) + QString::number(hourOn12HourClock(time.hour()))
                + QStringLiteral("時");
    }
    name += xlsFiles(fileType) ? QLatin1String(".xls") : QLatin1String(".txt");
    return name;
}

QByteArray recordHeader(int fileType)
{
    // Two fixed texts, encoded once.
    static const QByteArray txt = toBig5(headerText(0));
    static const QByteArray xls = toBig5(headerText(1));
    return xlsFiles(fileType) ? xls : txt;
}

QByteArray recordLine(const QString &timeText, const ReadingsSnapshot &readings)
{
    QString line;
    line.reserve(timeText.size() + 2 + kSlotCount * 16);
    line += timeText;
    line += kTab;
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        const SlotSnapshot &r = readings.slotSnapshots[slot];
        line += r.pvText.isEmpty() ? kNoLink : r.pvText;
        line += kTab;
        line += r.svText.isEmpty() ? kNoLink : r.svText;
        line += kTab;
    }
    line += kLineEnd;
    return toBig5(line);
}

int recordIntervalMs(int sampleTime, int sampleUnit)
{
    if (sampleTime < 1)
        return 0;
    const long long unitMs = sampleUnit == 0 ? 1000 : 60000;
    const long long interval = unitMs * sampleTime;
    return interval > std::numeric_limits<int>::max() ? 0 : static_cast<int>(interval);
}

int recordsPerDay(int intervalMs)
{
    constexpr long long kDayMs = 24LL * 60 * 60 * 1000;
    if (intervalMs < 1)
        return 1;
    return static_cast<int>((kDayMs + intervalMs - 1) / intervalMs);
}
