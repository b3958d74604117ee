#pragma once
// From the account list with the server's amounts to the rows of the statement: the per-row
// transformation (cumulative turnovers, variant, thousands, the counted and printed flags),
// group totals, net-balance lines, the grand totals, the type summary and the final net
// balance. No database, no printing: the rows are exactly what the printout and the browse show.
#include "turnover/TurnoverParameters.h"
#include "turnover/TurnoverStatement.h"

namespace pravik::turnover {

struct StatementShape {
    TurnoverParameters parameters;
    bool asOf = false;            // "Na dzień": the cumulative turnovers keep the opening period
    bool groupTotals = false;
    bool netBalances = false;     // for synthetic accounts and groups (not the simple statement)
    bool boldAggregates = false;
    bool browse = false;          // rows for the on-screen list: no group lines

    static StatementShape from(const TurnoverParameters& p, const TurnoverSettings& s, bool browse);
    bool simple() const { return parameters.variant == int(TurnoverVariant::Simple); }
};

TurnoverStatement buildTurnoverStatement(const AccountList& accounts, const StatementShape& shape);

} // namespace pravik::turnover
