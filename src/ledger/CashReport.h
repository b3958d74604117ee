#pragma once
// The print stage of the cash reports: bands only. Paging, the carry-over from page to page
// (the opening figures brought forward on the first page), progress and cancelling are the run
// frame's; graphic and text printers get the same bands.
#include "ledger/CashReportSource.h"

#include <functional>

namespace pravik::frame {
class RunFrame;
}

namespace pravik::ledger {

// Prints the cash report of the entries in the queue; the response (1 completed, 2 cancelled or
// failed).
int printCashReport(const CashRequest& request, AccountEntriesQueue& queue);

// What one cash report brings to the run both share: its data stage and its bands.
struct CashPrinting {
    CashReportSource& source;
    std::function<bool()> next;
    std::function<void(frame::RunFrame&)> print;
    std::function<void(frame::RunFrame&)> close;
};

// The run of every cash report: carry-over fields, text paging at 14 characters per inch, the
// description lines, the frame. Returns the response.
int runCashReport(const QString& procedure, const QString& mixedCaseName, const CashRequest& request,
                  AccountEntriesQueue& queue, const CashPrinting& printing);

} // namespace pravik::ledger
