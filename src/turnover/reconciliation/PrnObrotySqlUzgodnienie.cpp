#include "turnover/OtherStatements.h"

#include "siblings/korda/Session.h"
#include "siblings/utilka/Messages.h"
#include "turnover/reconciliation/ReconciliationPrintout.h"
#include "turnover/compute/StatementPrompts.h"
#include "turnover/print/PrnObrotySql.h"

namespace pravik {
namespace turnover {

int runReconciliationStatement(const TurnoverRequest& request)
{
    const TurnoverParameters& p = request.parameters;
    const TurnoverSettings& settings = request.settings;
    korda::Session& s = korda::session();
    if (!p.title.trimmed().isEmpty())
        s.DANE_NAGLOWEK_WYDRUKU = p.title;
    if (p.thousands)
        s.DANE_OPIS_PRN.add(kThousandsLine);

    ReconciliationPrintout printout(TurnoverPrintOptions::from(request));
    frame::RunFrame frame(printout.definition(), request.output);
    if (!frame.start())
        return frame::kResponseCancelled;
    frame.wait(kAccountListPrompt);
    ComputationRequest rq = ComputationRequest::from(request);
    rq.onStage = [&frame](ComputationStage stage) { frame.wait(computationPrompt(stage)); };
    const ReconciliationStatement statement = computeReconciliation(settings.accounts, rq, settings.onlyMismatched);
    if (!statement.completed()) {
        frame.endWait();
        if (statement.outcome == StatementOutcome::Refused)
            utilka::MSG_OST(statement.message);
        else if (!statement.message.isEmpty())
            utilka::MSG_INF(statement.message);
        return frame.abandon();
    }
    const int response = printout.print(frame, statement);
    if (statement.restrictedAccess)
        utilka::MSG_INF(kRestrictedAccessText);
    return response;
}

} // namespace turnover

void PRN_OBROTY_SQL_UZGODNIENIE(quint8 cumulativeWithOpening, quint8 cardIndexAccounts, quint8 approvedOnly,
                                quint8 nonZeroTurnoversOnly, const QString& mask, const QString& yearName,
                                quint8 variant, quint8 thousands, const QString& title, quint8 syntheticOnly,
                                quint8 nonZeroBalanceLeaves)
{
    turnover::runReconciliationStatement(turnover::hostRequest(turnover::exportedParameters(
        cumulativeWithOpening, cardIndexAccounts, approvedOnly, nonZeroTurnoversOnly, mask, yearName, variant, thousands,
        title, syntheticOnly, nonZeroBalanceLeaves)));
}

} // namespace pravik
