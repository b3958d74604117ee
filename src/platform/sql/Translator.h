#pragma once
// The module writes its statements in T-SQL. This rewrites the T-SQL idioms it uses into what
// SQLite and PostgreSQL understand; for a T-SQL server the text is returned unchanged.
//
// Rewritten: table hints "with (NOLOCK)" / "(NOLOCK)", isnull, Substring, Left, Right, len
// (ignores trailing blanks like T-SQL), convert(type, x), "+" between texts, "select top n" and
// "select distinct top n", "dbo." function prefixes, day/month/year of a day count since
// 1900-01-01, getdate(), N'...' literals and [bracketed] names. Text inside quotes is never
// touched. Statements run once per account, so translation is a single pass over tokens.
#include "platform/sql/Dialect.h"

#include <QString>

namespace pravik::sql {

QString translate(const QString& tsql, Dialect target);

} // namespace pravik::sql
