#include "turnover/reconciliation/ReconciliationStatement.h"

namespace pravik::turnover {

ReconciliationAmounts reconciliationAmounts(const std::array<Decimal, 10>& kol)
{
    const AmountPair opening{kol[8], kol[9]};
    const AmountPair turnovers{kol[0] - kol[6], kol[1] - kol[7]};
    const AmountPair balance{kol[2], kol[3]};
    const AmountPair settlements{kol[4], kol[5]};
    const AmountPair net = balance.net();
    return {opening.debit,     opening.credit,     turnovers.debit, turnovers.credit, balance.debit,
            balance.credit,    settlements.debit,  settlements.credit, net.debit,      net.credit};
}

ReconciliationStatement buildReconciliation(const AccountList& accounts, const TurnoverParameters& p, bool onlyMismatched)
{
    ReconciliationStatement out;
    for (const AccountEntry& entry : accounts) {
        ReconciliationRow row;
        row.account = entry.number;
        row.name = entry.name;
        row.level = std::abs(entry.level);
        row.synthetic = entry.synthetic();
        row.restricted = !entry.access;
        if (row.restricted)
            out.restrictedAccess = true;
        else
            row.amounts = reconciliationAmounts(entry.kol);

        const AmountPair turnovers = row.pair(ReconciliationPair::Turnovers);
        const AmountPair balance = row.pair(ReconciliationPair::Balance);
        if (p.nonZeroTurnoversOnly && turnovers.isZero() && balance.isZero())
            continue;
        if (onlyMismatched && balance == row.pair(ReconciliationPair::Settlements))
            continue;
        if (p.thousands)
            for (Decimal& d : row.amounts)
                d = d.dividedBy1000();
        // The accounts that make up the totals are those of the turnover statement: its leaves
        // (or the parents standing in for card-index accounts), or the synthetic accounts of a
        // synthetic statement; a parent and its sub-accounts never both count.
        row.counted = p.syntheticOnly ? entry.synthetic()
                      : p.cardIndexAccounts ? entry.leaf
                                            : (entry.leaf || entry.placeholderParent);
        if (row.counted)
            for (int i = 0; i < kReconciliationColumns; ++i)
                out.totals[std::size_t(i)] += row.amounts[std::size_t(i)];
        out.rows << row;
    }
    return out;
}

ReconciliationStatement computeReconciliation(const AccountList& accounts, ComputationRequest rq, bool onlyMismatched)
{
    rq.mode = ServerMode::Reconciliation;
    rq.asOf = false;
    rq.parameters.mask = rq.parameters.mask.left(60);
    ComputedAccounts computed = computeAccounts(accounts, rq);
    if (computed.outcome != StatementOutcome::Completed) {
        ReconciliationStatement empty;
        empty.outcome = computed.outcome;
        empty.message = computed.message;
        return empty;
    }
    return buildReconciliation(computed.accounts, rq.parameters, onlyMismatched);
}

} // namespace pravik::turnover
