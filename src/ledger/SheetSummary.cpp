#include "ledger/SheetSummary.h"

#include <QSet>
#include <algorithm>

namespace pravik::ledger {

void SheetSummary::add(const QString& key, DayNumber period, const Amounts& amounts)
{
    auto it = m_index.constFind(key);
    if (it == m_index.constEnd()) {
        it = m_index.insert(key, int(m_rows.size()));
        SummaryRow row;
        row.key = key;
        row.period = period;
        m_rows.append(row);
    }
    m_rows[*it].sums += amounts;
}

QList<SummaryRow> SheetSummary::rows(const std::function<bool(const QString&)>& twoBalance) const
{
    QList<SummaryRow> out = m_rows;
    for (SummaryRow& r : out)
        r.balance = net(r.sums);
    if (m_periodLayout) {
        std::sort(out.begin(), out.end(), [](const SummaryRow& a, const SummaryRow& b) {
            return a.period != b.period ? a.period < b.period : a.key < b.key;
        });
        return out;
    }
    QSet<QString> parents;
    for (const SummaryRow& r : std::as_const(m_rows))
        for (qsizetype at = r.key.indexOf(u'-'); at > 0; at = r.key.indexOf(u'-', at + 1))
            parents.insert(r.key.left(at));
    for (const QString& parent : std::as_const(parents)) {
        SummaryRow p;
        p.key = parent;
        p.posted = false;
        const QString below = parent + u'-';
        for (const SummaryRow& r : std::as_const(out)) {
            if (!r.posted || (r.key != parent && !r.key.startsWith(below)))
                continue;
            p.sums += r.sums;
            p.balance += r.balance;
        }
        if (!twoBalance || !twoBalance(parent))
            p.balance = net(p.balance);
        out.append(p);
    }
    std::sort(out.begin(), out.end(), [](const SummaryRow& a, const SummaryRow& b) {
        return a.key != b.key ? a.key < b.key : a.posted > b.posted;
    });
    return out;
}

SummaryRow SheetSummary::totals(const QList<SummaryRow>& rows)
{
    SummaryRow t;
    for (const SummaryRow& r : rows)
        if (r.posted) {
            t.sums += r.sums;
            t.balance += r.balance;
        }
    return t;
}

} // namespace pravik::ledger
