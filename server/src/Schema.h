#pragma once
// The reference database: every table, view and function the module reads or writes, for
// SQLite and PostgreSQL. The scripts live in server/sql and are compiled into the library, so
// an installed program needs no source tree.
#include "platform/sql/Dialect.h"

#include <QString>
#include <QStringList>

namespace pravik::sql {
class Database;
}

namespace pravik::server {

// Creates the schema on an empty database, in one transaction: either everything is created or
// nothing is. A database that already holds the schema (it has the table FIRMA) is refused
// untouched. On failure returns false and says in *error which statement failed and why.
// SQL Server is not served: its database is the application's own.
bool createSchema(pravik::sql::Database& db, QString* error);

// The script for a dialect: the file named by the environment variable PRAVIK_SERVER_SQL_DIR
// when that is set (for working on the scripts without rebuilding), else the compiled-in copy.
// Empty for a dialect without a reference schema.
QString schemaScript(pravik::sql::Dialect dialect);

// Splits a script into statements at the semicolons that end them: not those inside quotes,
// comments, dollar-quoted bodies or the BEGIN ... END of a trigger. Comments outside statements
// are dropped; blank statements are not returned.
QStringList splitSqlScript(const QString& script);

} // namespace pravik::server
