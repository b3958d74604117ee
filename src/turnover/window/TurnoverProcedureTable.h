#pragma once
// The statement procedures the turnover window can call, as a table: the window calls whatever
// the table holds, so a host or a test can put its own entries in. standard() holds the module's
// statements behind the exported procedures (framework/ReportProcedures.h); an empty entry makes
// the window refuse that statement with procedureMissingText() instead of pretending it ran.
#include "turnover/TurnoverParameters.h"

#include <QString>
#include <functional>

namespace pravik::turnover {

struct TurnoverProcedureTable {
    // The window's whole request: the thirteen parameters (the reconciliation and the statement
    // of entries read the first eleven), its settings and account list. Returns the response
    // (1 completed, 2 cancelled or failed).
    using Statement = std::function<int(const TurnoverRequest&)>;

    Statement PRN_OBROTY_SQL;
    Statement PRN_OBROTY_SQL_PROSTY;
    Statement PRN_OBROTY_SQL_UZGODNIENIE;
    Statement PRN_RAPORT_KONTO_SQL;

    // The entry of a procedure by name; null for an unknown name.
    Statement* entry(const QString& procedure);
    const Statement* entry(const QString& procedure) const;

    // The module's statements.
    static TurnoverProcedureTable standard();
};

// "Wydruk „%1” nie jest jeszcze dostępny." with the statement's title.
QString procedureMissingText(const QString& title);

} // namespace pravik::turnover
