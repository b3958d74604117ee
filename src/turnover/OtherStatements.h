#pragma once
// The other statements of the turnover window: the reconciliation of account balances with
// their settlements, the simple statement (opening balance and cumulative turnovers) and the
// statement of entries on accounts. The window runs them with its request like PRN_OBROTY_SQL;
// a host calling the exports gets the window's last settings (hostRequest in print/PrnObrotySql.h).
#include "turnover/TurnoverParameters.h"

#include <QString>

namespace pravik {

// "Uzgodnienie sald kont z rozrachunkami": the first eleven parameters of PRN_OBROTY_SQL;
// the opening-balance flag and the variant have no effect.
void PRN_OBROTY_SQL_UZGODNIENIE(quint8 cumulativeWithOpening, quint8 cardIndexAccounts, quint8 approvedOnly,
                                quint8 nonZeroTurnoversOnly, const QString& mask, const QString& yearName,
                                quint8 variant, quint8 thousands, const QString& title, quint8 syntheticOnly,
                                quint8 nonZeroBalanceLeaves);

// The simple turnover statement: the thirteen parameters of PRN_OBROTY_SQL.
void PRN_OBROTY_SQL_PROSTY(quint8 cumulativeWithOpening, quint8 cardIndexAccounts, quint8 approvedOnly,
                           quint8 nonZeroTurnoversOnly, const QString& mask, const QString& yearName, quint8 variant,
                           quint8 thousands, const QString& title, quint8 syntheticOnly, quint8 nonZeroBalanceLeaves,
                           quint8 nonZeroBalanceSynthetic, quint8 lastLevelOnly);

// "Zestawienie zapisów na kontach": the first eleven parameters of PRN_OBROTY_SQL; approved
// documents only (3), accounts with entries only (4) and thousands (8) act.
void PRN_RAPORT_KONTO_SQL(quint8 cumulativeWithOpening, quint8 cardIndexAccounts, quint8 approvedOnly,
                          quint8 nonZeroTurnoversOnly, const QString& mask, const QString& yearName, quint8 variant,
                          quint8 thousands, const QString& title, quint8 syntheticOnly, quint8 nonZeroBalanceLeaves);

namespace turnover {

// The statement of a request; each returns the response (1 completed, 2 cancelled).
int runReconciliationStatement(const TurnoverRequest& request);
int runSimpleStatement(const TurnoverRequest& request);
int runAccountEntriesStatement(const TurnoverRequest& request);

} // namespace turnover
} // namespace pravik
