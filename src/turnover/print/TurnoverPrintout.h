#pragma once
// The printout of a computed turnover and balance statement through the report run frame: the
// account rows (wrapped, indented, bold aggregates, a rule before each synthetic account), their
// net-balance lines and listings, the group totals, the closing block with the statement totals,
// the closing note and "Koniec wydruku". Graphic and text printers take the same bands.
//
//   TurnoverPrintout printout(TurnoverPrintOptions::from(request));
//   frame::RunFrame frame(printout.definition(), request.output);
//   if (!frame.start()) return;
//   ... compute the statement, with frame.wait(...) prompts ...
//   printout.print(frame, statement);
#include "framework/RunFrame.h"
#include "turnover/TurnoverStatement.h"
#include "turnover/print/TurnoverListings.h"
#include "turnover/print/TurnoverPrintOptions.h"

#include <memory>

namespace pravik::turnover {

// The eight amount fields of every amount band, in column order.
const QStringList& amountFields();

class TurnoverPrintout {
public:
    explicit TurnoverPrintout(TurnoverPrintOptions options);
    ~TurnoverPrintout();
    TurnoverPrintout(const TurnoverPrintout&) = delete;
    TurnoverPrintout& operator=(const TurnoverPrintout&) = delete;

    // The report's definition for the frame, its hooks bound to this printout (which must
    // outlive the frame's run).
    frame::ReportDefinition definition();

    // Produces the pages of the statement and delivers them; the response (1 completed,
    // 2 cancelled). For the browse (options().browse) nothing is printed.
    int print(frame::RunFrame& frame, const TurnoverStatement& statement);

    const TurnoverPrintOptions& options() const { return m_options; }

private:
    class Run;
    TurnoverPrintOptions m_options;
    std::unique_ptr<Run> m_run;
};

} // namespace pravik::turnover
