#pragma once
// What a statement's printout and browse say of its period: the heading lines under the title
// (a statement outside a group) and the browse's title. One line when every column that is not an
// opening-balance column has the same period, else one line per column.
#include "platform/DayNumber.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace pravik::statements {

struct HeadingColumn {
    bool opening = false;   // an opening-balance column: its year's opening, no dates
    DayNumber from = 0;     // 0: as at the to date
    DayNumber to = 0;
    QString yearName;       // the column's fiscal year
};

// The window's period type and, for quarters and months, which one.
struct HeadingPeriod {
    enum class Type { OnDay = 0, Range = 1, Quarter = 2, Month = 3 } type = Type::OnDay;
    int number = 0; // quarter 1-4, month 1-12
    int year = 0;   // the period year
    bool cumulative = false; // "Narastająco od początku roku"
};

// "I kwartał" ... "IV kwartał"; "Styczeń " ... "Grudzień " (with the list's trailing blank).
QString quarterName(int quarter);
QString monthName(int month);

// The heading lines (each at most 150 characters), the description last when it is not empty.
QStringList statementHeadingLines(const QList<HeadingColumn>& columns, const HeadingPeriod& period, const QString& description = {});

// The title of the statement browse ("Pokaż"): the name and, when the columns share one period,
// that period.
QString statementBrowseTitle(const QString& name, const QList<HeadingColumn>& columns, const HeadingPeriod& period);

} // namespace pravik::statements
