#pragma once
// The other statements of the turnover window: the reconciliation of account balances with
// their settlements, the simple statement (opening balance and cumulative turnovers) and the
// statement of entries on accounts. The window stores its settings and account list
// (turnoverSettings()) and calls them like PRN_OBROTY_SQL; each also registers itself in the
// window's procedure table.
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

// The same with the parameters gathered; each returns the response (1 completed, 2 cancelled).
int runReconciliationStatement(const TurnoverParameters& parameters);
int runSimpleStatement(const TurnoverParameters& parameters);
int runAccountEntriesStatement(const TurnoverParameters& parameters);

} // namespace turnover
} // namespace pravik
