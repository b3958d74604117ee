#pragma once
// Dates as the ledger stores them: whole day numbers, in memory, in the database and in SQL text.
// Day 36163 is 1 January 1900, so day 0 is 28 December 1800. Day 0 (or any day below 1) means
// "no date": it converts to an invalid QDate, and an invalid QDate converts to 0.
//
// A month of a fiscal year (`data_okresu`) is identified by a date within it: day 1 of the year's
// first month is the opening balance ("BO"), day 2 of a month the month itself, day 28 of the
// year's last month the closing period ("BZ").
#include <QDate>
#include <QList>
#include <QString>
#include <QtGlobal>

namespace pravik {

using DayNumber = qint32;

constexpr DayNumber kDay1900 = 36163;    // 1 January 1900
constexpr DayNumber kNoDate = 0;

// Invalid QDate for day numbers below 1.
QDate dateFromDay(DayNumber day);
// 0 for an invalid date or one before 29 December 1800.
DayNumber dayFromDate(const QDate& date);
// 0 when the date does not exist (31 February, month 13).
DayNumber dayFromYmd(int year, int month, int day);

// Parts of a day number; 0 for "no date".
int dayOfMonth(DayNumber day);
int monthOf(DayNumber day);
int yearOf(DayNumber day);

DayNumber today();

DayNumber firstDayOfMonth(DayNumber day);
DayNumber lastDayOfMonth(DayNumber day);

// ---- fiscal-year periods ----

enum class PeriodKind { OpeningBalance, Month, Closing };

// Day 1 -> OpeningBalance, day 28 -> Closing, anything else (day 2) -> Month.
PeriodKind periodKind(DayNumber period);

// Day 2 of the month.
DayNumber monthPeriod(int year, int month);
// Day 1 of the month the fiscal year starts in (the year's first day may be any day of it).
DayNumber openingPeriod(DayNumber yearFirstDay);
// Day 28 of the month the fiscal year ends in.
DayNumber closingPeriod(DayNumber yearLastDay);

// The periods of a fiscal year in order: "BO", one per month from the month of its first day to
// the month of its last day (a year may cross calendar years and be shorter or longer than twelve
// months), then "BZ". Empty when the days are missing or in the wrong order.
QList<DayNumber> fiscalYearPeriods(DayNumber yearFirstDay, DayNumber yearLastDay);
// The months alone (day 2 of each), as the period lists of the windows show them before "BZ".
QList<DayNumber> fiscalYearMonths(DayNumber yearFirstDay, DayNumber yearLastDay);

// "BO", "BZ", or month number, "-" and four-digit year for a month ("3-2015"), as reports group
// and total by period. Empty for "no date".
QString periodLabel(DayNumber period);

} // namespace pravik
