#pragma once
// The print stage of the cost-centre reports (kinds 1 and 2): bands only, on the page machinery of
// the account sheets.
#include "ledger/LedgerRequest.h"

namespace pravik::ledger {

// Prints the cost-centre report of the request's kind; the response (1 completed, 2 otherwise).
int printCostCentreReport(const LedgerRequest& request);

} // namespace pravik::ledger
