#pragma once
// The printout of the reconciliation through the run frame: per account its band (the name
// indented by analytic level) and its amount band; page totals with carry-over, the page check
// reserving eleven amount lines; the closing block with "Razem" and "Koniec wydruku".
#include "framework/RunFrame.h"
#include "turnover/print/TurnoverPrintOptions.h"
#include "turnover/reconciliation/ReconciliationStatement.h"

#include <memory>

namespace pravik::turnover {

// The ten amount fields of the amount band and of the total bands, in column order.
const QStringList& reconciliationFields();

// The layout options of the turnover window (font size, zero hiding, shading) apply as in the
// turnover statement; of the statement's own options only syntheticOnly and yearName matter.
class ReconciliationPrintout {
public:
    explicit ReconciliationPrintout(TurnoverPrintOptions options);
    ~ReconciliationPrintout();
    ReconciliationPrintout(const ReconciliationPrintout&) = delete;
    ReconciliationPrintout& operator=(const ReconciliationPrintout&) = delete;

    frame::ReportDefinition definition();
    int print(frame::RunFrame& frame, const ReconciliationStatement& statement);

private:
    class Run;
    TurnoverPrintOptions m_options;
    std::unique_ptr<Run> m_run;
};

} // namespace pravik::turnover
