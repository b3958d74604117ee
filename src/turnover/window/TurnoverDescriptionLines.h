#pragma once
// The description lines a turnover statement prints under its title: what the window was asked
// for, in the order the statements print them (currency, period or date range, the period's
// state and the documents used, the account filters, the options that leave accounts out, the
// user's own description). Pure: the window gathers the facts, this turns them into lines.
#include "platform/DayNumber.h"
#include "turnover/TurnoverOptions.h"

#include <QString>
#include <QStringList>

namespace pravik::turnover {

struct DescriptionFacts {
    int kind = 0;                  // 1 statement of entries, 2 reconciliation, else turnovers
    bool synthetic = false;
    TurnoverOptions options;       // currency, filters, zero options, description ...
    QString periodName;            // as the period list shows it ("Marzec", "BZ")
    bool periodOpen = false;
    bool asOf = false;             // "Na dzień" (never for kinds 1 and 2)
    DayNumber asOfDate = 0;
    DayNumber dateFrom = 0;        // the date range of the statement of entries
    DayNumber dateTo = 0;
    bool hideServiceLines = false; // GGG:SERWIS_UKRYJ_OPISY_WYDRUKU
};

// Each line at most 150 characters (the queue clips longer ones).
QStringList turnoverDescriptionLines(const DescriptionFacts& facts);

// A day number as the pictures "@D6-" print it: "31-03-2026"; empty for no date.
QString printedDate(DayNumber day);

} // namespace pravik::turnover
