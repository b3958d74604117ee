#pragma once
// PRN_OBROTY_SQL: the analytic or synthetic turnover and balance statement. The parameter window
// builds a request (settings and account list included) and runs it; a host calling the export
// gets the window's last settings, or what the window prepares with its defaults. It computes the statement and prints it
// through the run frame, or, for the browse, stores its rows.
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

// The request of a host's call: the settings the window left (TurnoverVariables.h); before any
// window, the session's year and period and the whole chart (synthetic accounts only when
// asked), with the company address refreshed for the page header.
TurnoverRequest hostRequest(const TurnoverParameters& parameters);

// The statement of a request; the response (1 completed, 2 cancelled).
int runTurnoverStatement(const TurnoverRequest& request);

} // namespace turnover
} // namespace pravik
