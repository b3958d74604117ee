#pragma once
// The print stage of the account balances (bands only; paging and carry-over are the run
// frame's).
#include "ledger/LedgerRequest.h"

namespace pravik::ledger {

// Prints the account balances of the request; the response (1 completed, 2 cancelled or failed).
// An empty active print currency becomes the company's and stays so for the reports after it.
int printAccountBalances(const LedgerRequest& request);

} // namespace pravik::ledger
