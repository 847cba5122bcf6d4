#pragma once

// The locale's date and time conventions that record files, alarm messages and the
// clock show. On Windows they are the user's own settings; elsewhere the Traditional
// Chinese (Taiwan) ones: short date "yyyy/M/d", long time "tt hh:mm:ss"
// ("下午 02:05:07"), "上午" / "下午".

#include <QDate>
#include <QString>
#include <QTime>

#include <memory>

class LocaleFormats {
public:
    virtual ~LocaleFormats() = default;

    virtual QString shortDate(const QDate &date) const = 0;
    virtual QString longTime(const QTime &time) const = 0;
    virtual QString morningWord() const = 0;   // hours 0 to 11
    virtual QString afternoonWord() const = 0; // hours 12 to 23
    virtual QChar decimalSeparator() const = 0;

    // The morning or afternoon word for `time`.
    QString dayHalfWord(const QTime &time) const
    {
        return time.hour() < 12 ? morningWord() : afternoonWord();
    }
};

// Conventions given as Windows-style patterns: yyyy yy M MM d dd for dates, h hh
// (12-hour) H HH (24-hour) m mm s ss and tt (the morning/afternoon word) for times;
// text in single quotes is copied as it stands, any other character too.
class PatternLocaleFormats : public LocaleFormats {
public:
    PatternLocaleFormats(QString shortDatePattern, QString longTimePattern, QString morning,
                         QString afternoon, QChar decimalSeparator = QLatin1Char('.'));

    QString shortDate(const QDate &date) const override;
    QString longTime(const QTime &time) const override;
    QString morningWord() const override { return morning_; }
    QString afternoonWord() const override { return afternoon_; }
    QChar decimalSeparator() const override { return decimal_; }

    // The conventions the program uses where the system has no locale settings of
    // the Windows kind.
    static PatternLocaleFormats taiwan();

private:
    QString format(const QString &pattern, const QDate &date, const QTime &time) const;

    QString datePattern_;
    QString timePattern_;
    QString morning_;
    QString afternoon_;
    QChar decimal_;
};

// The user's settings on Windows, the Taiwan conventions elsewhere.
std::unique_ptr<LocaleFormats> systemLocaleFormats();

// The hour as a 12-hour clock shows it: 0 and 12 give 12, 13 gives 1.
int hourOn12HourClock(int hour);
