#pragma once
// The turnover statement's rows in ZESTAW_ZESTAW (statement id 0): variant 99 carries one row
// per account to the server and its amounts back; variant 1 holds the rows of the on-screen
// browse.
#include "turnover/TurnoverStatement.h"
#include "turnover/TurnoverTypes.h"

namespace pravik::turnover {

inline constexpr int kServerVariant = 99;
inline constexpr int kBrowseVariant = 1;

// Replaces the user's variant-99 rows with one per entry, numbering the entries 1, 2, ... as it
// goes; the rows are written a few hundred to a statement. False when a statement failed (shown).
bool writeServerRows(qint32 user, AccountList& accounts);

// Stores kol1..kol10 of the user's variant-99 rows in the entries whose sequence number is the
// row's lp. False when the query failed (shown); entries without a row keep zeros.
bool readServerRows(qint32 user, AccountList& accounts);

// Writes the statement's account rows and its closing totals as the user's variant-1 rows,
// numbered from 1: the eight amounts as shown, or for the simple statement the opening and
// cumulative pairs followed by four zeros. The caller has removed the earlier rows.
bool writeBrowseRows(qint32 user, const TurnoverStatement& statement, bool simple);

// Removes the user's browse rows (the window does it before a run for the browse).
bool deleteBrowseRows(qint32 user);

} // namespace pravik::turnover
