#pragma once
// The turnover table OBROTY_I_SALDA derived from the postings, and the check that the stored
// table still agrees with them. One row per company, year, period, account (every level of the
// account number) and currency; see server/README.md for what each column holds.
#include "platform/sql/Database.h"
#include "platform/sql/ProcedureRegistry.h"

#include <QString>
#include <QStringList>

namespace pravik::server {

// Replaces the company's rows of the year with rows derived from NAG_DOK/POZ_DOK.
bool rebuildTurnoverTable(sql::Database& db, qint64 company, qint64 year, QString* error = nullptr);

struct TurnoverTableCheck {
    bool ok = true;       // false: a statement failed (error)
    QString error;
    int differences = 0;  // rows (account, period, currency) that disagree
    QStringList samples;  // the first few of them, "account period currency"
};

// Derives the table afresh into a temporary table and compares every row and column.
TurnoverTableCheck checkTurnoverTable(sql::Database& db, qint64 company, qint64 year);

// CALL forms: PRZELICZ_OBROTY_I_SALDA(company, year) returns one row (number of rows written);
// SPRAWDZ_OBROTY_I_SALDA(company, year) one row (status 0/1, differences, first difference).
sql::ProcedureResult przeliczObrotyISalda(sql::Database& db, const QVariantList& args);
sql::ProcedureResult sprawdzObrotyISalda(sql::Database& db, const QVariantList& args);

} // namespace pravik::server
