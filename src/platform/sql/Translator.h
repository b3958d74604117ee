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

// Statements nested deeper than this (parentheses, CASE, signs) are refused, not rewritten.
inline constexpr int kMaxSqlNesting = 256;

// The statement for the target server. A statement nested deeper than kMaxSqlNesting comes back
// empty, with the reason in *error (cleared otherwise).
QString translate(const QString& tsql, Dialect target, QString* error = nullptr);

} // namespace pravik::sql
