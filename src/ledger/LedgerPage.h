#pragma once
// The page checks of the ledger prints, in layout units: a posting line (or a line under it)
// needs room for five page-total bands and a margin of 100 below it; a summary line for seven
// summary lines and the same margin.
#include "framework/RunFrame.h"

namespace pravik::ledger {

bool ledgerPageFull(const frame::RunFrame& frame);
bool summaryPageFull(const frame::RunFrame& frame, const QString& summaryLineBand);

// The print's description lines go out through the frame, which prints and consumes the
// session's queue: the print's own lines first, then the host's.
void queueDescriptionLines(const QStringList& lines);

} // namespace pravik::ledger
