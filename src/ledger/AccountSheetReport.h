#pragma once
// The print stage of the account sheets: bands only. Paging, the carry-over from page to page,
// progress and cancelling are the run frame's.
#include "ledger/LedgerRequest.h"

namespace pravik::ledger {

// Prints the account sheets of the request; the response (1 completed, 2 cancelled or failed).
int printAccountSheets(const LedgerRequest& request);

} // namespace pravik::ledger
