#pragma once
// PRN_OBROTY_SQL: the analytic or synthetic turnover and balance statement. The parameter window
// stores its settings and account list (turnoverSettings()) and calls it; it computes the
// statement and prints it through the run frame, or, for the browse, stores its rows.
#include "turnover/TurnoverParameters.h"

#include <QString>

namespace pravik {

// The thirteen parameters in the window's order (see TurnoverParameters).
void PRN_OBROTY_SQL(quint8 cumulativeWithOpening, quint8 cardIndexAccounts, quint8 approvedOnly, quint8 nonZeroTurnoversOnly,
                    const QString& mask, const QString& yearName, quint8 variant, quint8 thousands, const QString& title,
                    quint8 syntheticOnly, quint8 nonZeroBalanceLeaves, quint8 nonZeroBalanceSynthetic, quint8 lastLevelOnly);

// The older statement hosts still call: the first eleven parameters of PRN_OBROTY_SQL, the
// last two 0 (every card-index leaf and synthetic account, every analytic level).
void PRN_OBROTY(quint8 cumulativeWithOpening, quint8 cardIndexAccounts, quint8 approvedOnly, quint8 nonZeroTurnoversOnly,
                const QString& mask, const QString& yearName, quint8 variant, quint8 thousands, const QString& title,
                quint8 syntheticOnly, quint8 nonZeroBalanceLeaves);

namespace turnover {

// The same with the parameters gathered; the response (1 completed, 2 cancelled).
int runTurnoverStatement(const TurnoverParameters& parameters);

} // namespace turnover
} // namespace pravik
