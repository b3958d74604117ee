#include "platform/DayNumber.h"

#include <limits>

namespace pravik {

namespace {

// Julian day of 1 January 1900 less its day number.
constexpr qint64 kJulianOffset = 2415021 - kDay1900;

constexpr int kOpeningDay = 1;
constexpr int kMonthDay = 2;
constexpr int kClosingDay = 28;

} // namespace

QDate dateFromDay(DayNumber day)
{
    if (day < 1)
        return QDate();
    return QDate::fromJulianDay(day + kJulianOffset);
}

DayNumber dayFromDate(const QDate& date)
{
    if (!date.isValid())
        return kNoDate;
    const qint64 day = date.toJulianDay() - kJulianOffset;
    if (day < 1 || day > std::numeric_limits<DayNumber>::max())
        return kNoDate;
    return static_cast<DayNumber>(day);
}

DayNumber dayFromYmd(int year, int month, int day)
{
    return dayFromDate(QDate(year, month, day));
}

int dayOfMonth(DayNumber day)
{
    return day < 1 ? 0 : dateFromDay(day).day();
}

int monthOf(DayNumber day)
{
    return day < 1 ? 0 : dateFromDay(day).month();
}

int yearOf(DayNumber day)
{
    return day < 1 ? 0 : dateFromDay(day).year();
}

DayNumber today()
{
    return dayFromDate(QDate::currentDate());
}

DayNumber firstDayOfMonth(DayNumber day)
{
    const QDate d = dateFromDay(day);
    return d.isValid() ? dayFromYmd(d.year(), d.month(), 1) : kNoDate;
}

DayNumber lastDayOfMonth(DayNumber day)
{
    const QDate d = dateFromDay(day);
    return d.isValid() ? dayFromYmd(d.year(), d.month(), d.daysInMonth()) : kNoDate;
}

PeriodKind periodKind(DayNumber period)
{
    switch (dayOfMonth(period)) {
    case kOpeningDay:
        return PeriodKind::OpeningBalance;
    case kClosingDay:
        return PeriodKind::Closing;
    default:
        return PeriodKind::Month;
    }
}

DayNumber monthPeriod(int year, int month)
{
    return dayFromYmd(year, month, kMonthDay);
}

DayNumber openingPeriod(DayNumber yearFirstDay)
{
    const QDate d = dateFromDay(yearFirstDay);
    return d.isValid() ? dayFromYmd(d.year(), d.month(), kOpeningDay) : kNoDate;
}

DayNumber closingPeriod(DayNumber yearLastDay)
{
    const QDate d = dateFromDay(yearLastDay);
    return d.isValid() ? dayFromYmd(d.year(), d.month(), kClosingDay) : kNoDate;
}

QList<DayNumber> fiscalYearMonths(DayNumber yearFirstDay, DayNumber yearLastDay)
{
    QList<DayNumber> months;
    const QDate first = dateFromDay(yearFirstDay);
    const QDate last = dateFromDay(yearLastDay);
    if (!first.isValid() || !last.isValid() || last < first)
        return months;
    int year = first.year();
    int month = first.month();
    while (year < last.year() || (year == last.year() && month <= last.month())) {
        months.append(monthPeriod(year, month));
        if (++month > 12) {
            month = 1;
            ++year;
        }
    }
    return months;
}

QList<DayNumber> fiscalYearPeriods(DayNumber yearFirstDay, DayNumber yearLastDay)
{
    QList<DayNumber> periods = fiscalYearMonths(yearFirstDay, yearLastDay);
    if (periods.isEmpty())
        return periods;
    periods.prepend(openingPeriod(yearFirstDay));
    periods.append(closingPeriod(yearLastDay));
    return periods;
}

QString periodLabel(DayNumber period)
{
    const QDate d = dateFromDay(period);
    if (!d.isValid())
        return QString();
    switch (periodKind(period)) {
    case PeriodKind::OpeningBalance:
        return QStringLiteral("BO");
    case PeriodKind::Closing:
        return QStringLiteral("BZ");
    case PeriodKind::Month:
        break;
    }
    return QString::number(d.month()) + u'-' + QString::number(d.year());
}

} // namespace pravik
