#include "localeformats.h"

#include <utility>

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

QString padded(int value, int width)
{
    return QStringLiteral("%1").arg(value, width, 10, QLatin1Char('0'));
}

} // namespace

int hourOn12HourClock(int hour)
{
    const int h = hour % 12;
    return h == 0 ? 12 : h;
}

PatternLocaleFormats::PatternLocaleFormats(QString shortDatePattern, QString longTimePattern,
                                           QString morning, QString afternoon, QChar decimalSeparator)
    : datePattern_(std::move(shortDatePattern)),
      timePattern_(std::move(longTimePattern)),
      morning_(std::move(morning)),
      afternoon_(std::move(afternoon)),
      decimal_(decimalSeparator)
{
}

PatternLocaleFormats PatternLocaleFormats::taiwan()
{
    return PatternLocaleFormats(QStringLiteral("yyyy/M/d"), QStringLiteral("tt hh:mm:ss"),
                                QStringLiteral("上午"), QStringLiteral("下午"));
}

QString PatternLocaleFormats::shortDate(const QDate &date) const
{
    return format(datePattern_, date, QTime());
}

QString PatternLocaleFormats::longTime(const QTime &time) const
{
    return format(timePattern_, QDate(), time);
}

QString PatternLocaleFormats::format(const QString &pattern, const QDate &date, const QTime &time) const
{
    QString out;
    int i = 0;
    while (i < pattern.size()) {
        const QChar c = pattern.at(i);
        if (c == QLatin1Char('\'')) {
            const int end = pattern.indexOf(QLatin1Char('\''), i + 1);
            const int stop = end < 0 ? pattern.size() : end;
            out += pattern.mid(i + 1, stop - i - 1);
            i = stop + 1;
            continue;
        }
        int run = 1;
        while (i + run < pattern.size() && pattern.at(i + run) == c)
            ++run;
        switch (c.unicode()) {
        case 'y':
            out += run >= 3 ? padded(date.year(), 4) : padded(date.year() % 100, 2);
            break;
        case 'M':
            out += padded(date.month(), run >= 2 ? 2 : 1);
            break;
        case 'd':
            out += padded(date.day(), run >= 2 ? 2 : 1);
            break;
        case 'h':
            out += padded(hourOn12HourClock(time.hour()), run >= 2 ? 2 : 1);
            break;
        case 'H':
            out += padded(time.hour(), run >= 2 ? 2 : 1);
            break;
        case 'm':
            out += padded(time.minute(), run >= 2 ? 2 : 1);
            break;
        case 's':
            out += padded(time.second(), run >= 2 ? 2 : 1);
            break;
        case 't':
            out += time.hour() < 12 ? morning_ : afternoon_;
            break;
        default:
            out += QString(run, c);
            break;
        }
        i += run;
    }
    return out;
}

#ifdef _WIN32
namespace {
QString localeInfo(LCTYPE type, const wchar_t *fallback)
{
    wchar_t buffer[128] = {};
    const int n = GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, type, buffer, 128);
    return n > 1 ? QString::fromWCharArray(buffer, n - 1) : QString::fromWCharArray(fallback);
}
} // namespace

std::unique_ptr<LocaleFormats> systemLocaleFormats()
{
    const QString decimal = localeInfo(LOCALE_SDECIMAL, L".");
    return std::make_unique<PatternLocaleFormats>(
        localeInfo(LOCALE_SSHORTDATE, L"yyyy/M/d"), localeInfo(LOCALE_STIMEFORMAT, L"tt hh:mm:ss"),
        localeInfo(LOCALE_S1159, L"AM"), localeInfo(LOCALE_S2359, L"PM"),
        decimal.isEmpty() ? QLatin1Char('.') : decimal.at(0));
}
#else
std::unique_ptr<LocaleFormats> systemLocaleFormats()
{
    return std::make_unique<PatternLocaleFormats>(PatternLocaleFormats::taiwan());
}
#endif
