#pragma once
// The print stage of the currency account sheets (bands only; paging and carry-over are the run
// frame's).
#include "ledger/LedgerRequest.h"

namespace pravik::ledger {

// Prints the currency sheets of the request; the response (1 completed, 2 cancelled or failed).
// An empty active print currency (GGG:PRN_AKTYWNA_WALUTA) becomes "PLN" and stays so for the
// reports after this one.
int printCurrencySheets(const LedgerRequest& request);

} // namespace pravik::ledger
