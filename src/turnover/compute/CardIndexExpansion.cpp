#include "turnover/compute/CardIndexExpansion.h"

#include "platform/sql/Quote.h"
#include "siblings/utilka/AccountMask.h"
#include "siblings/utilka/Gateway.h"

#include <QHash>
#include <QSet>
#include <algorithm>

namespace pravik::turnover {

using sql::sqlNumber;
using sql::sqlText;

namespace {

struct Concrete {
    QString number;
    QString name;
};

// Reads "1,1,1,1,number,name" rows of ZAPYTANIESQL1.
QList<Concrete> readConcrete(const QString& select)
{
    QList<Concrete> out;
    utilka::EXECSQL1(select);
    if (!utilka::checkSql())
        return out;
    while (utilka::NEXT(korda::ZAPYTANIESQL1) == 0)
        out << Concrete{korda::ZAPYTANIESQL1.text(5), korda::ZAPYTANIESQL1.text(6)};
    utilka::checkSql();
    korda::ZAPYTANIESQL1.close();
    return out;
}

QString nameOf(const ExpansionRequest& rq, const QString& numberExpression)
{
    return QStringLiteral("dbo.TG_GetNazwaKonta(%1,%2,%3)").arg(sqlNumber(rq.company), sqlNumber(rq.year), numberExpression);
}

// The accounts of the turnover table under the prefix, matching the LIKE pattern when given.
QList<Concrete> withTurnovers(const ExpansionRequest& rq, const QString& prefix, const QString& pattern)
{
    QString select = QStringLiteral("select 1,1,1,1,nr_konta,%1 from OBROTY_I_SALDA with (NOLOCK) where id_firmy=%2"
                                    " AND id_lata_obrot=%3 AND Substring(nr_konta,1,%4)=%5")
                         .arg(nameOf(rq, QStringLiteral("nr_konta")), sqlNumber(rq.company), sqlNumber(rq.year),
                              sqlNumber(prefix.size()), sqlText(prefix));
    if (!pattern.isEmpty())
        select += QStringLiteral(" AND nr_konta like '%1'%2").arg(pattern, utilka::likeEscapeClause(pattern));
    return readConcrete(select + QStringLiteral(" group by nr_konta"));
}

// Every entry of the card index behind the placeholder.
QList<Concrete> wholeCardIndex(const ExpansionRequest& rq, const QString& placeholder, const QString& prefix)
{
    const QString F = sqlNumber(rq.company);
    const QString symbol = utilka::FUNCVAY(QStringLiteral("select symbol_kartoteki from WARTOSCI_KONT with (NOLOCK)"
                                                          " where nr_konta=%1 AND id_firmy=%2 AND id_lata_obrot=%3")
                                               .arg(sqlText(placeholder), F, sqlNumber(rq.year)));
    if (!utilka::checkSql() || symbol.isEmpty())
        return {};
    const QString kind = utilka::FUNCVAY(QStringLiteral("select kartot_predef from KARTOT_UZYT with (NOLOCK)"
                                                        " where symbol_kartoteki=%1 AND id_firmy=%2")
                                             .arg(sqlText(symbol), F))
                             .trimmed()
                             .toUpper();
    if (!utilka::checkSql())
        return {};
    QString code, from;
    if (kind == QLatin1String("K")) {
        code = QStringLiteral("kod_kontrahenta");
        from = QStringLiteral("KONTRAHENT with (NOLOCK) where id_firmy=") + F;
    } else if (kind == QLatin1String("P")) {
        code = QStringLiteral("kod_pracownika");
        from = QStringLiteral("PRACOWNIK with (NOLOCK) where id_firmy=") + F;
    } else if (kind == QLatin1String("R")) {
        code = QStringLiteral("kod_rachunku");
        from = QStringLiteral("RACHUNEK_FIRMY with (NOLOCK) where id_firmy=") + F;
    } else if (kind == QLatin1String("S")) {
        code = QStringLiteral("kod_srodka");
        from = QStringLiteral("MAJATEK with (NOLOCK) where id_firmy=") + F;
    } else if (kind == QLatin1String("U")) {
        // Tax offices are shared by all companies.
        code = QStringLiteral("id_urzedu");
        from = QStringLiteral("URZEDY with (NOLOCK)");
    } else if (kind == QLatin1String("X")) {
        code = QStringLiteral("wart_pola");
        from = QStringLiteral("ELEMENTY_KARTOT_UZYT with (NOLOCK) where id_firmy=%1 AND symbol_kartoteki=%2").arg(F, sqlText(symbol));
    } else {
        return {};
    }
    const QString number = QStringLiteral("%1+convert(varchar(20),%2)").arg(sqlText(prefix), code);
    return readConcrete(QStringLiteral("select 1,1,1,1,%1,%2 from %3").arg(number, nameOf(rq, number), from));
}

// Chart names and levels of the accounts, read in a few statements.
QHash<QString, std::pair<QString, int>> chartEntries(const ExpansionRequest& rq, const QStringList& numbers)
{
    QHash<QString, std::pair<QString, int>> out;
    constexpr qsizetype kChunk = 200;
    for (qsizetype i = 0; i < numbers.size(); i += kChunk) {
        QStringList quoted;
        for (const QString& n : numbers.mid(i, kChunk))
            quoted << sqlText(n);
        utilka::EXECVAX(QStringLiteral("select nr_konta, nazwa_konta, poziom from WARTOSCI_KONT with (NOLOCK)"
                                       " where id_firmy=%1 AND id_lata_obrot=%2 AND nr_konta in (%3)")
                            .arg(sqlNumber(rq.company), sqlNumber(rq.year), quoted.join(QLatin1Char(','))));
        if (!utilka::checkSql())
            continue;
        while (utilka::NEXT(korda::VAX_FK) == 0)
            out.insert(korda::VAX_FK.text(1), {korda::VAX_FK.text(2), std::abs(int(korda::VAX_FK.number(3)))});
        utilka::checkSql();
        korda::VAX_FK.close();
    }
    return out;
}

bool isUnder(const QString& account, const QString& parent)
{
    return account.size() > parent.size() + 1 && account.startsWith(parent) && account.at(parent.size()) == QLatin1Char('-');
}

} // namespace

QStringList parentAccounts(const QString& account)
{
    QStringList out;
    for (qsizetype i = account.indexOf(QLatin1Char('-')); i > 0; i = account.indexOf(QLatin1Char('-'), i + 1))
        out << account.left(i);
    return out;
}

AccountList expandCardIndexAccounts(const AccountList& accounts, const ExpansionRequest& rq)
{
    const QString mask = rq.mask.trimmed();
    const QString pattern = mask.isEmpty() ? QString() : utilka::ZAMIEN_ZNAKI(mask);

    AccountList out;
    QSet<QString> present;
    QList<const AccountEntry*> placeholders;
    for (const AccountEntry& e : accounts) {
        if (e.isPlaceholder()) {
            placeholders << &e;
        } else if (!present.contains(e.number)) {
            present.insert(e.number);
            out << e;
        }
    }
    if (placeholders.isEmpty())
        return out;

    // Parents to insert, typed like the placeholder that needs them.
    QHash<QString, AccountEntry> missingParents;
    QSet<QString> placeholderParents;
    auto needParents = [&](const QString& number, const AccountEntry& from) {
        for (const QString& parent : parentAccounts(number)) {
            if (present.contains(parent) || missingParents.contains(parent))
                continue;
            AccountEntry p;
            p.number = parent;
            p.type = from.type;
            p.twoBalance = from.twoBalance;
            missingParents.insert(parent, p);
        }
    };

    for (const AccountEntry* ph : placeholders) {
        const QString prefix = ph->number.left(ph->number.size() - 1); // "201-"
        const QString own = prefix.left(prefix.size() - 1);            // "201"
        if (!own.isEmpty())
            placeholderParents.insert(own);
        if (!rq.cardIndexAccounts) {
            // The parents count in the totals in place of the card-index accounts.
            needParents(ph->number, *ph);
            continue;
        }
        const QList<Concrete> found = !pattern.isEmpty() ? withTurnovers(rq, prefix, pattern)
                                      : rq.complete     ? wholeCardIndex(rq, ph->number, prefix)
                                                        : withTurnovers(rq, prefix, QString());
        for (const Concrete& c : found) {
            if (c.number.isEmpty() || present.contains(c.number))
                continue;
            if (!mask.isEmpty() && utilka::SPR_MASKA(c.number, mask) == 0)
                continue;
            AccountEntry e;
            e.number = c.number;
            e.name = c.name;
            e.level = int(c.number.count(QLatin1Char('-'))) + 1;
            e.type = ph->type;
            e.twoBalance = ph->twoBalance;
            present.insert(e.number);
            missingParents.remove(e.number);
            out << e;
            needParents(e.number, *ph);
        }
    }

    if (!missingParents.isEmpty()) {
        const auto chart = chartEntries(rq, missingParents.keys());
        for (AccountEntry p : std::as_const(missingParents)) {
            const auto it = chart.constFind(p.number);
            p.name = it == chart.cend() ? QString() : it->first;
            p.level = it == chart.cend() ? 0 : it->second;
            out << p;
        }
    }
    for (AccountEntry& e : out)
        if (placeholderParents.contains(e.number))
            e.placeholderParent = true;

    std::stable_sort(out.begin(), out.end(),
                     [](const AccountEntry& a, const AccountEntry& b) { return accountLess(a.number, b.number); });
    // A parent is never a leaf while something lies under it, whatever level the chart gave it
    // (an inserted parent unknown to the chart has level 0).
    for (qsizetype i = 0; i < out.size(); ++i) {
        const bool deeper = i + 1 < out.size()
                            && (isUnder(out[i + 1].number, out[i].number) || std::abs(out[i + 1].level) > std::abs(out[i].level));
        out[i].leaf = !deeper;
    }
    return out;
}

} // namespace pravik::turnover
