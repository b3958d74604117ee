#pragma once
// The print stage of the cash reports: bands only. Paging, the carry-over from page to page
// (the opening figures brought forward on the first page), progress and cancelling are the run
// frame's; graphic and text printers get the same bands.
#include "ledger/CashReportSource.h"

namespace pravik::ledger {

// Prints the cash report of the entries in the queue; the response (1 completed, 2 cancelled or
// failed).
int printCashReport(const CashRequest& request, AccountEntriesQueue& queue);

} // namespace pravik::ledger
