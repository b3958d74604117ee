#pragma once
// Account numbers are paths ("201-15-3"); every prefix up to a "-" is an account above it.
// The turnover procedures sum a posting account into each of those prefixes, so they keep a
// temporary table of (leaf, acc) pairs: one per prefix of the leaf, the leaf itself included.
#include "server/src/procedures/ServerSql.h"

namespace pravik::server {

// Creates the temporary table `target` (leaf, acc) from the distinct non-empty account numbers
// that `accountsSelect` returns in a column named konto.
bool buildAccountPrefixes(StatementRunner& run, const ServerSql& sql, const QString& accountsSelect,
                          const QString& target);

// Two-balance accounts keep debit and credit balances side by side; the property belongs to the
// synthetic account. Expression (0/1) for the account expression, company and year given.
QString twoBalanceFlag(const ServerSql& sql, const QString& account, qint64 company, qint64 year);

} // namespace pravik::server
