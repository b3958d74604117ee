// Day numbers as stored in the database, and the periods of fiscal years.
#include "platform/DayNumber.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace pravik;

TEST(DayNumber, FixedPointsOfTheCalendar)
{
    EXPECT_EQ(dayFromDate(QDate(1900, 1, 1)), 36163);
    EXPECT_EQ(dateFromDay(36163), QDate(1900, 1, 1));
    EXPECT_EQ(dateFromDay(1), QDate(1800, 12, 29));
    EXPECT_EQ(dayFromDate(QDate(1800, 12, 29)), 1);
    // 1900 is not a leap year: 28 February is followed by 1 March.
    EXPECT_EQ(dayFromDate(QDate(1900, 3, 1)) - dayFromDate(QDate(1900, 2, 28)), 1);
    // 2000 is.
    EXPECT_EQ(dayFromDate(QDate(2000, 3, 1)) - dayFromDate(QDate(2000, 2, 28)), 2);
    EXPECT_EQ(dateFromDay(dayFromDate(QDate(2000, 2, 29))), QDate(2000, 2, 29));
    EXPECT_EQ(dayFromDate(QDate(2026, 1, 1)) - kDay1900, QDate(1900, 1, 1).daysTo(QDate(2026, 1, 1)));
}

TEST(DayNumber, NoDate)
{
    EXPECT_FALSE(dateFromDay(0).isValid());
    EXPECT_FALSE(dateFromDay(-5).isValid());
    EXPECT_EQ(dayFromDate(QDate()), kNoDate);
    EXPECT_EQ(dayFromDate(QDate(1800, 12, 28)), kNoDate); // would be day 0
    EXPECT_EQ(dayFromDate(QDate(1700, 1, 1)), kNoDate);   // never a negative day number
    EXPECT_EQ(dayFromYmd(2026, 2, 29), kNoDate);
    EXPECT_EQ(dayFromYmd(2026, 13, 1), kNoDate);
    EXPECT_EQ(dayOfMonth(0), 0);
    EXPECT_EQ(monthOf(0), 0);
    EXPECT_EQ(yearOf(0), 0);
    EXPECT_EQ(firstDayOfMonth(0), kNoDate);
    EXPECT_EQ(periodLabel(0), QString());
}

TEST(DayNumber, PartsAndMonthEdges)
{
    const DayNumber d = dayFromYmd(2024, 2, 17);
    EXPECT_EQ(dayOfMonth(d), 17);
    EXPECT_EQ(monthOf(d), 2);
    EXPECT_EQ(yearOf(d), 2024);
    EXPECT_EQ(firstDayOfMonth(d), dayFromYmd(2024, 2, 1));
    EXPECT_EQ(lastDayOfMonth(d), dayFromYmd(2024, 2, 29));
    EXPECT_EQ(lastDayOfMonth(dayFromYmd(1900, 2, 3)), dayFromYmd(1900, 2, 28));
    EXPECT_EQ(lastDayOfMonth(dayFromYmd(2025, 12, 31)), dayFromYmd(2025, 12, 31));
    EXPECT_EQ(today(), dayFromDate(QDate::currentDate()));
}

TEST(DayNumber, PeriodKindsAndLabels)
{
    EXPECT_EQ(periodKind(dayFromYmd(2026, 1, 1)), PeriodKind::OpeningBalance);
    EXPECT_EQ(periodKind(monthPeriod(2026, 5)), PeriodKind::Month);
    EXPECT_EQ(periodKind(dayFromYmd(2026, 12, 28)), PeriodKind::Closing);
    EXPECT_EQ(periodLabel(dayFromYmd(2026, 1, 1)), QStringLiteral("BO"));
    EXPECT_EQ(periodLabel(dayFromYmd(2026, 12, 28)), QStringLiteral("BZ"));
    EXPECT_EQ(periodLabel(monthPeriod(2015, 3)), QStringLiteral("3-2015"));
    EXPECT_EQ(periodLabel(monthPeriod(2015, 11)), QStringLiteral("11-2015"));
    EXPECT_EQ(monthPeriod(2026, 2), dayFromYmd(2026, 2, 2));
    EXPECT_EQ(monthPeriod(2026, 0), kNoDate);
}

TEST(DayNumber, CalendarFiscalYear)
{
    const auto periods = fiscalYearPeriods(dayFromYmd(2025, 1, 1), dayFromYmd(2025, 12, 31));
    ASSERT_EQ(periods.size(), 14);
    EXPECT_EQ(periods.front(), dayFromYmd(2025, 1, 1));
    EXPECT_EQ(periods[1], dayFromYmd(2025, 1, 2));
    EXPECT_EQ(periods[12], dayFromYmd(2025, 12, 2));
    EXPECT_EQ(periods.back(), dayFromYmd(2025, 12, 28));
}

TEST(DayNumber, FiscalYearCrossingCalendarYears)
{
    // An extended first year: 1 July 2024 to 31 December 2025, eighteen months.
    const DayNumber first = dayFromYmd(2024, 7, 1);
    const DayNumber last = dayFromYmd(2025, 12, 31);
    const auto months = fiscalYearMonths(first, last);
    ASSERT_EQ(months.size(), 18);
    EXPECT_EQ(months[5], monthPeriod(2024, 12));
    EXPECT_EQ(months[6], monthPeriod(2025, 1));
    const auto periods = fiscalYearPeriods(first, last);
    ASSERT_EQ(periods.size(), 20);
    EXPECT_EQ(periodLabel(periods.front()), QStringLiteral("BO"));
    EXPECT_EQ(periods.front(), dayFromYmd(2024, 7, 1));
    EXPECT_EQ(periodLabel(periods[6]), QStringLiteral("12-2024"));
    EXPECT_EQ(periodLabel(periods[7]), QStringLiteral("1-2025"));
    EXPECT_EQ(periods.back(), dayFromYmd(2025, 12, 28));
    for (DayNumber p : periods)
        EXPECT_EQ(std::count(periods.cbegin(), periods.cend(), p), 1) << "periods must be distinct";
}

TEST(DayNumber, ShortAndMidMonthFiscalYears)
{
    // A year cut short by liquidation: 1 October to 15 November. The periods still name whole
    // months, and the opening and closing periods are days 1 and 28 of the first and last month.
    const auto periods = fiscalYearPeriods(dayFromYmd(2025, 10, 1), dayFromYmd(2025, 11, 15));
    ASSERT_EQ(periods.size(), 4);
    EXPECT_EQ(periods[0], dayFromYmd(2025, 10, 1));
    EXPECT_EQ(periods[1], monthPeriod(2025, 10));
    EXPECT_EQ(periods[2], monthPeriod(2025, 11));
    EXPECT_EQ(periods[3], dayFromYmd(2025, 11, 28));
    // A year starting mid-month opens on day 1 of that month.
    EXPECT_EQ(openingPeriod(dayFromYmd(2025, 3, 15)), dayFromYmd(2025, 3, 1));
    // One month, and a reversed or missing range.
    EXPECT_EQ(fiscalYearPeriods(dayFromYmd(2025, 2, 1), dayFromYmd(2025, 2, 28)).size(), 3);
    EXPECT_TRUE(fiscalYearPeriods(dayFromYmd(2025, 2, 1), dayFromYmd(2024, 2, 1)).isEmpty());
    EXPECT_TRUE(fiscalYearPeriods(0, dayFromYmd(2024, 2, 1)).isEmpty());
}
