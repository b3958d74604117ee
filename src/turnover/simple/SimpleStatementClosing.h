#pragma once
// The simple turnover statement reuses the turnover printout for its account rows and group
// totals; its closing block differs: "Podsumowanie zespołów kont" first, then the page totals,
// what was brought forward, "Razem", the type summary and "Persaldo", each block between rules.
#include "framework/RunFrame.h"
#include "turnover/TurnoverStatement.h"

namespace pravik::turnover {

// The rows the printout prints before the closing block: accounts and group totals.
TurnoverStatement simpleStatementBody(const TurnoverStatement& statement);

// Prints the closing block of the statement and "Koniec wydruku".
void printSimpleClosing(frame::RunFrame& frame, const TurnoverStatement& statement);

} // namespace pravik::turnover
