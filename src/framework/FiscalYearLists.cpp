#include "framework/FiscalYearLists.h"

#include "platform/sql/Quote.h"
#include "siblings/korda/Session.h"
#include "siblings/utilka/Gateway.h"
#include "siblings/utilka/TextServices.h"

namespace pravik {

namespace {
constexpr int kMaxMonths = 25;
}

QList<FiscalYearEntry> companyFiscalYears(qint32 company)
{
    QList<FiscalYearEntry> years;
    const QString sql = QStringLiteral("select id_lata_obrot, rok_obrotowy, poczatek_roku, koniec_roku from LATA_OBROTOWE"
                                       " where id_firmy=%1 order by id_firmy, poczatek_roku, id_lata_obrot")
                            .arg(sql::sqlNumber(company));
    if (utilka::EXECVAX(sql)) {
        while (utilka::NEXT(korda::VAX_FK) == 0) {
            FiscalYearEntry y;
            y.id = qint32(korda::VAX_FK.number(1));
            y.name = korda::String<51>(korda::VAX_FK.text(2)).trimmed();
            y.first = DayNumber(korda::VAX_FK.number(3));
            y.last = DayNumber(korda::VAX_FK.number(4));
            years.append(y);
        }
        korda::VAX_FK.close();
    }
    utilka::checkSql();
    return years;
}

QList<FiscalPeriodEntry> fiscalYearPeriodList(const FiscalYearEntry& year)
{
    QList<FiscalPeriodEntry> periods;
    const bool crossesYears = yearOf(year.first) != yearOf(year.last);
    for (DayNumber m : fiscalYearMonths(year.first, year.last).mid(0, kMaxMonths)) {
        const QString month = utilka::NAZWA_MIESIACA(monthOf(m), 0);
        periods.append({crossesYears ? QString::number(yearOf(m)) + QStringLiteral("  ") + month : month, month, m});
    }
    if (!periods.isEmpty())
        periods.append({QStringLiteral("BZ"), QStringLiteral("BZ"), closingPeriod(year.last)});
    return periods;
}

int periodIndexFor(const QList<FiscalPeriodEntry>& periods, DayNumber date)
{
    for (int i = 0; i < periods.size(); ++i)
        if (periods[i].date == date)
            return i;
    for (int i = 0; i < periods.size(); ++i)
        if (periodKind(periods[i].date) == PeriodKind::Month && yearOf(periods[i].date) == yearOf(date)
            && monthOf(periods[i].date) == monthOf(date))
            return i;
    return -1;
}

} // namespace pravik
