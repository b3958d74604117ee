#include "turnover/window/TurnoverDescriptionLines.h"

#include <algorithm>

namespace pravik::turnover {

QString printedDate(DayNumber day)
{
    const QDate d = dateFromDay(day);
    return d.isValid() ? d.toString(QStringLiteral("dd-MM-yyyy")) : QString();
}

QStringList turnoverDescriptionLines(const DescriptionFacts& f)
{
    const TurnoverOptions& o = f.options;
    const bool entriesStatement = f.kind == 1;
    const bool turnoverStatement = f.kind != 1 && f.kind != 2;
    const bool asOf = f.asOf && turnoverStatement;
    QStringList lines;

    lines << QStringLiteral("Waluta: ") + o.currency;

    if (entriesStatement && o.dateRange)
        lines << QStringLiteral("Zakres dat od ") + printedDate(f.dateFrom) + QStringLiteral(" do ") + printedDate(f.dateTo)
                + (o.dateKind == 0 ? QStringLiteral(" wg daty księgowania") : QStringLiteral(" wg daty dokumentu"));
    else if (asOf)
        lines << QStringLiteral("Na dzień: ") + printedDate(f.asOfDate);
    else
        lines << QStringLiteral("Okres obrotowy: ") + f.periodName;

    if (f.periodOpen) {
        if (!asOf && !f.hideServiceLines && !entriesStatement)
            lines << QStringLiteral("Otwarty okres obrotowy");
        if (o.approvedOnly)
            lines << QStringLiteral("Dokumenty zatwierdzone");
        else if (!f.hideServiceLines)
            lines << QStringLiteral("Dokumenty niezatwierdzone");
    } else if (!asOf) {
        lines << QStringLiteral("Zamknięty okres obrotowy");
    }

    bool restricted = false;
    if (std::any_of(o.groups.begin(), o.groups.end(), [](bool g) { return g; })) {
        QString line = QStringLiteral("Zespoły kont: ");
        for (int g = 0; g < 10; ++g)
            if (o.groups[g])
                line += QString::number(g) + QStringLiteral(", ");
        lines << line;
        restricted = true;
    }
    if (o.balanceSheet || o.profitAndLoss || o.offBalance) {
        lines << QStringLiteral("Konta: ") + (o.balanceSheet ? QStringLiteral("bilansowe, ") : QString())
                + (o.profitAndLoss ? QStringLiteral("wynikowe, ") : QString())
                + (o.offBalance ? QStringLiteral("pozabilansowe") : QString());
        restricted = true;
    }
    if (o.currencyAccounts || o.twoBalance || o.settlement) {
        lines << QStringLiteral("Konta: ") + (o.currencyAccounts ? QStringLiteral("walutowe, ") : QString())
                + (o.twoBalance ? QStringLiteral("dwusaldowe, ") : QString())
                + (o.settlement ? QStringLiteral("rozrachunkowe") : QString());
        restricted = true;
    }
    if (o.rangeTo != 999 || o.rangeFrom != 0) {
        lines << QStringLiteral("Zakres kont syntetycznych: od %1 do %2").arg(o.rangeFrom).arg(o.rangeTo);
        restricted = true;
    }
    if (!f.synthetic && !o.cardIndexAccounts && !entriesStatement) {
        lines << QStringLiteral("Bez wyszczególnienia kont kartotekowych");
        restricted = true;
    }
    if (!o.mask.trimmed().isEmpty()) {
        lines << QStringLiteral("Maska konta: ") + o.mask.trimmed();
        restricted = true;
    }
    if (!restricted && !o.nonZeroTurnoversOnly && !o.nonZeroBalanceLeaves && !o.nonZeroBalanceSynthetic)
        lines << QStringLiteral("Wszystkie konta");

    if (turnoverStatement) {
        lines << (o.cumulativeWithOpening ? QStringLiteral("Obroty narastająco z uwzględnieniem BO")
                                          : QStringLiteral("Obroty narastająco z wyłączeniem BO"));
        if (o.lastLevelOnly && !f.synthetic)
            lines << QStringLiteral("Ostatni poziom analityczny");
        if (o.nonZeroTurnoversOnly)
            lines << QStringLiteral("Nie uwzględniono kont z zerowymi obrotami");
        if (o.nonZeroBalanceLeaves && !o.nonZeroBalanceSynthetic)
            lines << QStringLiteral("Nie uwzględniono kont analitycznych z zerowymi saldami");
        if (o.nonZeroBalanceSynthetic)
            lines << QStringLiteral("Nie uwzględniono kont syntetycznych z zerowymi saldami");
    }

    if (!o.description.trimmed().isEmpty())
        lines << o.description;
    return lines;
}

} // namespace pravik::turnover
