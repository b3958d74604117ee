#pragma once
// The reconciliation of account balances with their settlements, before any printing: per
// account the five printed pairs derived from the server's ten amounts in reconciliation mode
// ("BO", "Obroty konta", "Saldo konta", "Saldo rozrachunków", "Persaldo"), the zero and
// agreement tests, and the totals.
#include "turnover/TurnoverParameters.h"
#include "turnover/TurnoverStatement.h"
#include "turnover/compute/TurnoverComputation.h"

#include <QList>
#include <array>

namespace pravik::turnover {

inline constexpr int kReconciliationColumns = 10;
using ReconciliationAmounts = std::array<Decimal, kReconciliationColumns>;

// The five pairs of a row, in print order.
enum class ReconciliationPair { Opening = 0, Turnovers = 1, Balance = 2, Settlements = 3, Net = 4 };

struct ReconciliationRow {
    QString account;
    QString name;
    int level = 1;
    bool synthetic = false;
    bool counted = false;     // enters the totals
    bool restricted = false;  // the user may not see the account: "* " and zeros
    ReconciliationAmounts amounts{}; // as printed (in thousands when asked)

    AmountPair pair(ReconciliationPair p) const
    {
        const auto i = std::size_t(p) * 2;
        return {amounts[i], amounts[i + 1]};
    }
    QString displayAccount() const { return restricted ? QStringLiteral("* ") + account : account; }
};

struct ReconciliationStatement {
    StatementOutcome outcome = StatementOutcome::Completed;
    QString message;
    QList<ReconciliationRow> rows;
    ReconciliationAmounts totals{};
    bool restrictedAccess = false;

    bool completed() const { return outcome == StatementOutcome::Completed; }
    const ReconciliationRow* find(const QString& account) const
    {
        for (const ReconciliationRow& r : rows)
            if (r.account == account)
                return &r;
        return nullptr;
    }
};

// The printed amounts of an account from the server's kol1..kol10 in reconciliation mode.
ReconciliationAmounts reconciliationAmounts(const std::array<Decimal, 10>& kol);

// The rows of the accounts that are shown: with nonZeroTurnoversOnly an account whose turnovers
// and balance are zero on both sides is left out; with onlyMismatched one whose balance equals
// its settlements balance on both sides. The tests look at the amounts before the thousands.
ReconciliationStatement buildReconciliation(const AccountList& accounts, const TurnoverParameters& parameters,
                                            bool onlyMismatched);

// The server computation in reconciliation mode and the rows. A refusal or an empty account list
// comes back as the outcome with its message (not shown here).
ReconciliationStatement computeReconciliation(const AccountList& accounts, ComputationRequest request,
                                              bool onlyMismatched);

} // namespace pravik::turnover
