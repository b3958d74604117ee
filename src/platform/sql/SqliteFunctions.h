#pragma once
// Functions every SQLite connection gets, so that the module's statements mean the same there
// as on the other servers.
//
// sum(x): SQLite keeps our DECIMAL(15,2) columns as REAL when they have a fraction, and its
// own sum adds doubles, so long columns of amounts drift by fractions of a grosz. Ours rounds
// every value to hundredths and adds them as 64-bit integers: totals are exact. A total of
// whole numbers stays a whole number; no values give NULL; a total beyond 64 bits is an error.
//
// upper(x), lower(x): of every letter, not only ASCII ones.
#include <QSqlDatabase>
#include <QString>

struct sqlite3;

namespace pravik::sql {

// Registers the functions on an open QSQLITE connection; false and a message when the handle
// is not a SQLite one.
bool registerSqliteFunctions(QSqlDatabase& db, QString* error = nullptr);
// The raw handle of an open QSQLITE connection, for other registrations; null otherwise.
sqlite3* sqliteHandle(QSqlDatabase& db);

} // namespace pravik::sql
