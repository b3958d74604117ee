#pragma once
// The statement procedures the turnover window can call, as a table: the window calls whatever
// the table holds, so a host or a test can put its own entries in. The module's procedures
// enter the standard table by registering themselves (the printout, the reconciliation, the
// simple statement and the statement of entries each live in their own part of the module);
// an entry nobody registered stays empty and the window refuses that statement with
// kProcedureMissingText instead of pretending it ran.
//
//   // in the printout's source:
//   static const bool registered = pravik::turnover::registerTurnoverProcedure(
//       QStringLiteral("PRN_OBROTY_SQL"), [](const TurnoverParameters& p) { PRN_OBROTY_SQL(...p...); });
#include "turnover/TurnoverParameters.h"

#include <QString>
#include <functional>

namespace pravik::turnover {

struct TurnoverProcedureTable {
    // The thirteen parameters of the turnover statement; the reconciliation and the statement
    // of entries read the first eleven. Module-level settings are in turnoverSettings().
    using Statement = std::function<void(const TurnoverParameters&)>;

    Statement PRN_OBROTY_SQL;
    Statement PRN_OBROTY_SQL_PROSTY;
    Statement PRN_OBROTY_SQL_UZGODNIENIE;
    Statement PRN_RAPORT_KONTO_SQL;

    // The entry of a procedure by name; null for an unknown name.
    Statement* entry(const QString& procedure);
    const Statement* entry(const QString& procedure) const;

    // The registered procedures. While the turnover statements themselves are not registered,
    // their entries still produce the rows of the on-screen browse (that needs no printing)
    // and refuse any other output.
    static TurnoverProcedureTable standard();
};

// Makes a procedure part of the standard table. False for a name the window does not call.
bool registerTurnoverProcedure(const QString& procedure, TurnoverProcedureTable::Statement statement);

// "Wydruk „%1” nie jest jeszcze dostępny." with the statement's title.
QString procedureMissingText(const QString& title);

// What the browse entries do when no statement procedure is registered: the statement's
// computation and its browse rows, no printing. The global response says how it ended.
void computeStatementForBrowse(const TurnoverParameters& parameters);

} // namespace pravik::turnover
