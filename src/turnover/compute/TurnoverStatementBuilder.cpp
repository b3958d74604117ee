#include "turnover/compute/TurnoverStatementBuilder.h"

namespace pravik::turnover {

StatementShape StatementShape::from(const TurnoverParameters& p, const TurnoverSettings& s, bool browse)
{
    StatementShape shape;
    shape.parameters = p;
    shape.asOf = s.asOf;
    shape.groupTotals = s.groupTotals;
    shape.netBalances = s.netBalances;
    shape.boldAggregates = s.boldAggregates;
    shape.browse = browse;
    return shape;
}

namespace {

class Builder {
public:
    Builder(const StatementShape& shape, TurnoverStatement& out) : m_shape(shape), m_p(shape.parameters), m_out(out) {}

    void add(const AccountEntry& entry)
    {
        std::array<Decimal, 10> kol = entry.kol;
        // An account the user may not see shows nothing and tells nothing through the zero tests.
        if (!entry.access) {
            kol.fill(Decimal());
            m_out.restrictedAccess = true;
        }
        const AmountPair opening{kol[8], kol[9]};
        const AmountPair period{kol[2], kol[3]};
        AmountPair cumulative{kol[0], kol[1]};
        const AmountPair balance{kol[4], kol[5]};
        // kol7/kol8 are the turnovers of the opening period (the opening-balance postings), kept
        // side by side at every level. The opening balance (kol9/kol10) of an account that is not
        // two-balance is netted over its sub-accounts, so adding it instead would lose whatever
        // its sub-accounts open on the other side, and a parent would no longer be the sum of
        // its rows.
        const AmountPair openingTurnovers{kol[6], kol[7]};
        if (!m_shape.asOf)
            cumulative -= openingTurnovers;
        if (m_p.cumulativeWithOpening)
            cumulative += openingTurnovers;

        const Decimal rowBalance = balance.debit - balance.credit;
        if (entry.synthetic())
            m_syntheticBalance = rowBalance;

        TurnoverAmounts shown{opening, period, cumulative, balance};
        if (m_p.variant == int(TurnoverVariant::NetBalance))
            shown = {opening, cumulative, balance, balance.net()};
        if (m_p.thousands)
            shown = shown.dividedBy1000();

        bool counted = m_p.syntheticOnly ? entry.synthetic()
                       : m_p.cardIndexAccounts ? entry.leaf
                                               : (entry.leaf || entry.placeholderParent);
        bool printed = true;
        if (m_p.nonZeroTurnoversOnly && period.isZero() && cumulative.isZero())
            printed = false;
        if (m_p.nonZeroBalanceSynthetic && m_syntheticBalance.isZero())
            printed = false;
        if (m_p.nonZeroBalanceLeaves && entry.leaf && rowBalance.isZero())
            printed = false;
        if (m_p.lastLevelOnly && !entry.leaf) {
            printed = false;
            counted = false;
        }

        const QChar group = entry.group();
        if (m_shape.groupTotals && group != m_currentGroup) {
            closeGroup();
            m_currentGroup = group;
        }
        if (!printed)
            return;

        TurnoverRow row;
        row.kind = RowKind::Account;
        row.account = entry.number;
        row.name = entry.name;
        row.group = group;
        row.level = std::abs(entry.level);
        row.leaf = entry.leaf;
        row.synthetic = entry.synthetic();
        row.placeholderParent = entry.placeholderParent;
        row.counted = counted;
        row.restricted = !entry.access;
        row.bold = m_shape.boldAggregates && !entry.leaf;
        row.amounts = shown;
        m_out.rows << row;

        if (m_shape.groupTotals) {
            m_lastPrintedGroup = group;
            const bool intoGroup = m_p.syntheticOnly || (m_p.lastLevelOnly ? entry.leaf : entry.synthetic());
            if (intoGroup)
                m_groupTotals += shown;
        }
        if (counted) {
            m_out.totals += shown;
            if (entry.type == QLatin1Char('P'))
                m_out.offBalanceTotals += shown;
            else if (entry.type == QLatin1Char('B') || entry.type == QLatin1Char('W'))
                m_out.balanceTotals += shown;
        }
        if ((entry.synthetic() || m_p.syntheticOnly) && wantsNetLines() && !shown.closing.debit.isZero()
            && !shown.closing.credit.isZero()) {
            TurnoverRow net;
            net.kind = RowKind::AccountNet;
            net.account = entry.number;
            net.group = group;
            net.label = QStringLiteral("Persaldo konta ") + entry.number;
            net.bold = m_p.syntheticOnly;
            net.amounts.closing = shown.closing.net();
            m_out.rows << net;
        }
    }

    void finish()
    {
        if (m_shape.groupTotals) {
            closeGroup();
            if (!m_shape.browse) {
                TurnoverRow sum = totalRow(RowKind::GroupsSummary, kGroupsSummaryLabel, m_out.groupsSum);
                m_out.rows << sum;
            }
        }
        m_out.rows << totalRow(RowKind::GrandTotal, kTotalLabel, m_out.totals);
        TurnoverRow balance = totalRow(RowKind::TypeSummary, kTypeSummaryLabel, m_out.balanceTotals);
        balance.typeName = kBalanceTypeName;
        m_out.rows << balance;
        TurnoverRow offBalance = totalRow(RowKind::TypeSummary, QString(), m_out.offBalanceTotals);
        offBalance.typeName = kOffBalanceTypeName;
        m_out.rows << offBalance;
        m_out.rows << totalRow(RowKind::NetTotal, kNetTotalLabel, m_out.totals.net());
    }

private:
    bool wantsNetLines() const { return m_shape.netBalances && !m_shape.simple(); }

    static TurnoverRow totalRow(RowKind kind, const QString& label, const TurnoverAmounts& amounts)
    {
        TurnoverRow row;
        row.kind = kind;
        row.label = label;
        row.amounts = amounts;
        return row;
    }

    // Prints the open group's totals when one of its rows was printed, and starts afresh.
    void closeGroup()
    {
        if (!m_currentGroup.isNull() && m_lastPrintedGroup == m_currentGroup && !m_shape.browse) {
            const QString label = (m_p.lastLevelOnly ? QStringLiteral("Razem konta zespołu ") : QStringLiteral("Zespół "))
                                  + m_currentGroup;
            TurnoverRow total = totalRow(RowKind::GroupTotal, label, m_groupTotals);
            total.group = m_currentGroup;
            m_out.rows << total;
            m_out.groupsSum += m_groupTotals;
            const AmountPair closing = m_groupTotals.closing;
            if (wantsNetLines() && !closing.debit.isZero() && !closing.credit.isZero()) {
                TurnoverRow net = totalRow(RowKind::GroupNet, QStringLiteral("Persaldo zespołu ") + m_currentGroup, {});
                net.group = m_currentGroup;
                net.amounts.closing = closing.net();
                m_out.rows << net;
            }
        }
        m_groupTotals = TurnoverAmounts();
    }

    const StatementShape& m_shape;
    const TurnoverParameters& m_p;
    TurnoverStatement& m_out;
    Decimal m_syntheticBalance;
    QChar m_currentGroup;
    QChar m_lastPrintedGroup;
    TurnoverAmounts m_groupTotals;
};

} // namespace

TurnoverStatement buildTurnoverStatement(const AccountList& accounts, const StatementShape& shape)
{
    TurnoverStatement out;
    out.cardIndexOmitted = !shape.parameters.syntheticOnly && !shape.parameters.cardIndexAccounts;
    Builder builder(shape, out);
    for (const AccountEntry& entry : accounts)
        builder.add(entry);
    builder.finish();
    return out;
}

} // namespace pravik::turnover
