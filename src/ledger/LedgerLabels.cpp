#include "ledger/LedgerLabels.h"

#include <QStringList>

namespace pravik::ledger {

QString periodGroup(DayNumber period)
{
    const int day = dayOfMonth(period);
    if (day == 1)
        return QStringLiteral("BO");
    if (day == 28)
        return QStringLiteral("BZ");
    return QStringLiteral("%1-%2").arg(monthOf(period)).arg(yearOf(period), 4, 10, QLatin1Char('0'));
}

QString monthName(int month)
{
    static const QStringList names = {QStringLiteral("Styczeń"),  QStringLiteral("Luty"),     QStringLiteral("Marzec"),
                                      QStringLiteral("Kwiecień"), QStringLiteral("Maj"),      QStringLiteral("Czerwiec"),
                                      QStringLiteral("Lipiec"),   QStringLiteral("Sierpień"), QStringLiteral("Wrzesień"),
                                      QStringLiteral("Październik"), QStringLiteral("Listopad")};
    return month >= 1 && month <= 11 ? names.at(month - 1) : QStringLiteral("Grudzień");
}

QString accountOfDescription(const QString& description)
{
    const QString text = description.trimmed();
    const qsizetype at = text.indexOf(QLatin1String("Konto:"), 0, Qt::CaseInsensitive);
    if (at < 0)
        return text;
    return text.mid(at + 6).trimmed();
}

std::optional<qint32> syntheticAccount(const QString& account)
{
    const QString first = account.trimmed().section(u'-', 0, 0).trimmed();
    if (first.isEmpty() || first.size() > 9)
        return std::nullopt;
    for (const QChar c : first)
        if (!c.isDigit() || c.unicode() > 127)
            return std::nullopt;
    return first.toInt();
}

} // namespace pravik::ledger
