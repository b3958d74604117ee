#include "statements/headings/StatementHeadings.h"

#include "platform/Picture.h"

#include <optional>

namespace pravik::statements {

namespace {

QString dayText(DayNumber d)
{
    return formatPicture(u"@D6-", qint64(d));
}

// The period the columns other than the opening-balance ones share; none when they differ (or
// when every column is an opening-balance one).
std::optional<std::pair<DayNumber, DayNumber>> commonPeriod(const QList<HeadingColumn>& columns)
{
    std::optional<std::pair<DayNumber, DayNumber>> common;
    for (const HeadingColumn& c : columns) {
        if (c.opening)
            continue;
        if (common && (common->first != c.from || common->second != c.to))
            return std::nullopt;
        common = std::pair{c.from, c.to};
    }
    return common;
}

QString periodName(const HeadingPeriod& p)
{
    return p.type == HeadingPeriod::Type::Quarter ? quarterName(p.number) : monthName(p.number);
}

} // namespace

QString quarterName(int quarter)
{
    static const char* const names[] = {"I kwartał", "II kwartał", "III kwartał", "IV kwartał"};
    return quarter >= 1 && quarter <= 4 ? QString::fromUtf8(names[quarter - 1]) : QString();
}

QString monthName(int month)
{
    static const char* const names[] = {"Styczeń ", "Luty ",     "Marzec ",   "Kwiecień ",    "Maj ",      "Czerwiec ",
                                        "Lipiec ",  "Sierpień ", "Wrzesień ", "Październik ", "Listopad ", "Grudzień "};
    return month >= 1 && month <= 12 ? QString::fromUtf8(names[month - 1]) : QString();
}

QStringList statementHeadingLines(const QList<HeadingColumn>& columns, const HeadingPeriod& period, const QString& description)
{
    QStringList lines;
    if (const auto common = commonPeriod(columns)) {
        const auto [from, to] = *common;
        // A quarter or month list with nothing chosen in it still has the to date.
        const bool named = period.type == HeadingPeriod::Type::Range || period.type == HeadingPeriod::Type::OnDay
            || !periodName(period).isEmpty();
        switch (named ? period.type : HeadingPeriod::Type::OnDay) {
        case HeadingPeriod::Type::OnDay:
            lines << QStringLiteral("Zestawienie na dzień ") + dayText(to);
            break;
        case HeadingPeriod::Type::Range:
            lines << QStringLiteral("Zestawienie od dnia %1  do dnia %2").arg(dayText(from), dayText(to));
            break;
        case HeadingPeriod::Type::Quarter:
        case HeadingPeriod::Type::Month:
            lines << (period.cumulative ? QStringLiteral("Zestawienie za okres od początku roku do końca okresu ")
                                        : QStringLiteral("Zestawienie za "))
                         + periodName(period) + QLatin1Char(' ') + QString::number(period.year);
            break;
        }
    } else if (!columns.isEmpty()) {
        // The text column is the first: the amount columns are numbered from 2.
        for (qsizetype i = 0; i < columns.size(); ++i) {
            const HeadingColumn& c = columns[i];
            const QString n = QString::number(i + 2);
            if (c.opening)
                lines << QStringLiteral("Kolumna nr %1 BO %2").arg(n, c.yearName.trimmed());
            else if (c.from == 0)
                lines << QStringLiteral("Kolumna nr %1 na dzień %2").arg(n, dayText(c.to));
            else
                lines << QStringLiteral("Kolumna nr %1 od dnia %2  do dnia %3").arg(n, dayText(c.from), dayText(c.to));
        }
    }
    if (!description.trimmed().isEmpty())
        lines << description.trimmed();
    for (QString& line : lines)
        line.truncate(150);
    return lines;
}

QString statementBrowseTitle(const QString& name, const QList<HeadingColumn>& columns, const HeadingPeriod& period)
{
    const auto common = commonPeriod(columns);
    if (!common)
        return name;
    const auto [from, to] = *common;
    switch (period.type) {
    case HeadingPeriod::Type::OnDay:
        return name + QStringLiteral(" na dzień ") + dayText(to);
    case HeadingPeriod::Type::Range:
        return name + QStringLiteral(" od %1 do %2").arg(dayText(from), dayText(to));
    case HeadingPeriod::Type::Quarter:
    case HeadingPeriod::Type::Month:
        if (periodName(period).isEmpty())
            return name;
        return name + QLatin1Char(' ') + periodName(period)
            + (period.type == HeadingPeriod::Type::Month ? QLatin1Char(' ') + QString::number(period.year) : QString());
    }
    return name;
}

} // namespace pravik::statements
