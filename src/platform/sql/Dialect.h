#pragma once
// The SQL dialects a connection can speak. The module writes T-SQL; a connection whose server
// speaks something else gets the text rewritten by the translator first.
#include <QString>

namespace pravik::sql {

enum class Dialect { TSql, SQLite, PostgreSQL };

// "tsql", "sqlite", "postgresql" (the spelling used in connection strings).
QString dialectName(Dialect dialect);

} // namespace pravik::sql
