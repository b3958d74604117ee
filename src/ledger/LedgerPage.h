#pragma once
// What the ledger prints share on the run frame: their run definition, the run itself, and the
// page checks, in layout units: a posting line (or a line under it) needs room for five
// page-total bands and a margin of 100 below it; a summary line for seven summary lines and the
// same margin.
#include "framework/RunFrame.h"
#include "ledger/LedgerRequest.h"

#include <functional>

namespace pravik::ledger {

bool ledgerPageFull(const frame::RunFrame& frame);
bool summaryPageFull(const frame::RunFrame& frame, const QString& summaryLineBand);

// The print's description lines go out through the frame, which prints and consumes the
// session's queue: the print's own lines first, then the host's.
void queueDescriptionLines(const QStringList& lines);

// A ledger print's run: its layout and names, the amount fields of the running, page and
// brought-forward totals (one per column), the ledger page check, and on opening the year's name
// and the shading setting. The report adds its own bands' callbacks.
frame::ReportDefinition ledgerDefinition(const QString& procedure, const QString& mixedCaseName, const LedgerRequest& request,
                                         const QStringList& runningFields, const QStringList& pageFields,
                                         const QStringList& forwardFields);

// Runs the print to the request's target: its title for the frame, the frame started, the row count and the data
// stage's preparation (which shows its own failures; false abandons the run) under the wait
// window, then the rows. Graphic printing only. Returns the response.
int runLedgerPrint(frame::ReportDefinition definition, const LedgerRequest& request, const std::function<qint64()>& count,
                   const std::function<bool()>& prepare, frame::RowFeed feed);

} // namespace pravik::ledger
