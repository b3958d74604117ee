#pragma once
// ZESTAWIENIE_GENERUJ: computes a user-defined statement into the user's scratch rows
// (ZESTAW_ZESTAW, variant 1) from its definition (ZESTAW_NAG, ZESTAW_POZ, ZESTAW_POZ_FORMULA),
// the column periods the module leaves in KOMUNIKAT ('ZESTZAK') and the user's lists
// ('ZESTAW_K', 'ZESTAW_B'). SZUKAJ_KONTA: the account picker's search. Both are described in
// server/README.md.
#include "platform/DayNumber.h"
#include "platform/sql/Database.h"
#include "platform/sql/ProcedureRegistry.h"

#include <QString>

namespace pravik::server {

struct StatementRequest {
    qint64 company = 0;
    qint64 year = 0;          // the working fiscal year (columns whose id_lo_n is 0)
    qint64 user = 0;
    qint64 statement = 0;     // id_zestaw_nag
    DayNumber from = 0;       // the period of columns without a 'ZESTZAK' row; 0: from the year's start
    DayNumber to = 0;         // 0: to the year's end
    bool approvedOnly = false;
    bool computeOpening = false; // opening balances from the previous year's closing balances
    bool skipClosing = false;    // leave out the year-closing (BZ) period
};

struct StatementOutcome {
    bool ok = false;
    QString message;          // why nothing was generated: a definition or formula error, or SQL
    int rows = 0;             // scratch rows written
};

StatementOutcome generateStatement(sql::Database& db, const StatementRequest& request);

// (company, year, user, statement, ordinary, from, to, approved-only, compute-BO, skip-BZ, 0, 1).
// One row status 0 and a message on success; a failure with the message otherwise, the
// previous rows left as they were.
sql::ProcedureResult zestawienieGeneruj(sql::Database& db, const QVariantList& args);

// (company, year, 'text', mode): chart accounts whose number begins with the text, with mode 1
// also those whose name contains it. Rows: nr_konta, nazwa_konta, poziom.
sql::ProcedureResult szukajKonta(sql::Database& db, const QVariantList& args);

} // namespace pravik::server
