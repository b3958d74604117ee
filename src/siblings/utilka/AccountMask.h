#pragma once
// Account masks typed by the user: "?" stands for any one character, "*" for any string (also
// empty); every other character stands for itself. A mask covers the whole account number:
// "201" fits only the account "201", "201*" fits "201" and "201-1", "2?1-*" fits "211-5".
// Letters compare without regard to case, as the accounts' LIKE does on SQL Server and SQLite;
// trailing blanks of the account and of the mask are ignored.
#include <QString>

namespace utilka {

// 1 when the account fits the mask, else 0. An empty (or blank) mask fits every account.
int SPR_MASKA(const QString& account, const QString& mask);

// The mask as the pattern that follows "nr_konta like '" in SQL text: "*" becomes "%", "?"
// becomes "_", a quote is doubled so the pattern can stand between quotes. Characters that a
// LIKE would read as wildcards or classes ("%", "_", "[") and the escape character "\" itself
// are written with a "\" before them; only such a pattern needs the clause of
// likeEscapeClause() after its closing quote, and with it the pattern means the same on SQL
// Server, PostgreSQL and SQLite. Trailing blanks are dropped; an empty mask gives "%".
QString ZAMIEN_ZNAKI(const QString& mask);

// The clause to write right after the closing quote of a pattern made by ZAMIEN_ZNAKI:
// " escape '\'" when the pattern uses the escape character, otherwise "" (the SQL text stays as
// the usual "like '...'"). A procedure that receives the pattern as an argument should always
// use "escape '\'", which changes nothing for a pattern without escapes.
QString likeEscapeClause(const QString& pattern);

} // namespace utilka
