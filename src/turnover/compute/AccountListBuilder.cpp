#include "turnover/compute/AccountListBuilder.h"

#include "platform/sql/Quote.h"
#include "siblings/utilka/Gateway.h"

#include <algorithm>

namespace pravik::turnover {

using sql::sqlNumber;

bool AccountSelection::anyGroup() const
{
    return std::any_of(groups.begin(), groups.end(), [](bool g) { return g; });
}

AccountSelection AccountSelection::from(const TurnoverOptions& o, bool syntheticStatement)
{
    AccountSelection s;
    s.groups = o.groups;
    s.balanceSheet = o.balanceSheet;
    s.profitAndLoss = o.profitAndLoss;
    s.offBalance = o.offBalance;
    s.settlement = o.settlement;
    s.currency = o.currencyAccounts;
    s.twoBalance = o.twoBalance;
    s.mpk = o.mpk;
    s.rangeFrom = o.rangeFrom;
    s.rangeTo = o.rangeTo;
    s.syntheticOnly = syntheticStatement;
    return s;
}

int accountGroup(int syntheticNumber)
{
    if (syntheticNumber < 100)
        return 0;
    while (syntheticNumber >= 10)
        syntheticNumber /= 10;
    return syntheticNumber;
}

AccountListResult buildAccountList(qint32 company, qint32 year, const AccountSelection& sel)
{
    AccountListResult result;
    if (sel.rangeSet() && sel.rangeFrom > sel.rangeTo) {
        result.problem = QStringLiteral("Zakres kont syntetycznych jest niepoprawny: początek %1 jest większy niż koniec %2.")
                             .arg(sel.rangeFrom)
                             .arg(sel.rangeTo);
        return result;
    }
    utilka::EXECVAX(QStringLiteral(
        "select w.nr_konta, w.nazwa_konta, w.poziom, s.nr_konta_syn, s.typ_konta, s.czy_dwusaldowe,"
        " s.czy_rozrachunkowe, s.czy_walutowe, s.czy_mpk"
        " from WARTOSCI_KONT w with (NOLOCK) join KONTA_SYNT s with (NOLOCK) on s.id_firmy=w.id_firmy"
        " AND s.id_lata_obrot=w.id_lata_obrot AND s.nr_konta_syn=w.nr_konta_syn"
        " where w.id_firmy=%1 AND w.id_lata_obrot=%2 order by w.id_firmy,w.id_lata_obrot,w.nr_konta")
                        .arg(sqlNumber(company), sqlNumber(year)));
    if (!utilka::checkSql()) {
        result.problem = utilka::errorText();
        return result;
    }
    const bool anyGroup = sel.anyGroup();
    const bool anyType = sel.anyType();
    while (utilka::NEXT(korda::VAX_FK) == 0) {
        const korda::PassThroughTable& r = korda::VAX_FK;
        const int synthetic = int(r.number(4));
        const QString type = r.text(5).trimmed().toUpper();
        if (anyGroup && !sel.groups[std::size_t(accountGroup(synthetic))])
            continue;
        if (anyType && !((type == QLatin1String("B") && sel.balanceSheet) || (type == QLatin1String("W") && sel.profitAndLoss)
                         || (type == QLatin1String("P") && sel.offBalance)))
            continue;
        if ((sel.twoBalance && r.number(6) == 0) || (sel.settlement && r.number(7) == 0)
            || (sel.currency && r.number(8) == 0) || (sel.mpk && r.number(9) == 0))
            continue;
        if (sel.rangeSet() && (synthetic < sel.rangeFrom || synthetic > sel.rangeTo))
            continue;
        const int level = std::abs(int(r.number(3)));
        if (sel.syntheticOnly && level != 1)
            continue;
        AccountEntry e;
        e.number = r.text(1);
        e.name = r.text(2);
        e.level = level;
        e.type = type.isEmpty() ? QChar() : type.at(0);
        e.twoBalance = r.number(6) != 0;
        result.accounts << e;
    }
    if (!utilka::checkSql()) {
        result.problem = utilka::errorText();
        result.accounts.clear();
        return result;
    }
    korda::VAX_FK.close();
    std::stable_sort(result.accounts.begin(), result.accounts.end(),
                     [](const AccountEntry& a, const AccountEntry& b) { return accountLess(a.number, b.number); });
    markLeaves(result.accounts);
    if (result.accounts.isEmpty())
        result.problem = kNoAccountsText;
    return result;
}

} // namespace pravik::turnover
