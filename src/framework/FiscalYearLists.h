#pragma once
// The fiscal-year and period lists of the parameter windows: the company's years in order of
// their start, and a year's months by name with "BZ" last. A year that crosses calendar years
// lists each month with its year in front, so that no two entries read the same.
#include "platform/DayNumber.h"

#include <QList>
#include <QString>

namespace pravik {

struct FiscalYearEntry {
    qint32 id = 0;
    QString name;        // rok_obrotowy
    DayNumber first = 0; // poczatek_roku
    DayNumber last = 0;  // koniec_roku
};

struct FiscalPeriodEntry {
    QString name;        // as listed: "Marzec", "2025  Marzec", "BZ"
    QString monthName;   // the month alone ("Marzec"), "BZ" for the closing period
    DayNumber date = 0;  // day 2 of the month; day 28 of the last month for "BZ"
};

// The company's years; an SQL failure is shown and gives what was read.
QList<FiscalYearEntry> companyFiscalYears(qint32 company);

// The months of the year and "BZ"; empty when the year has no valid dates.
QList<FiscalPeriodEntry> fiscalYearPeriodList(const FiscalYearEntry& year);

// The index of the entry for the date: the same date, else the same month; -1 when none.
int periodIndexFor(const QList<FiscalPeriodEntry>& periods, DayNumber date);

} // namespace pravik
