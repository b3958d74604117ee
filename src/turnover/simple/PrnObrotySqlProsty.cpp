#include "turnover/OtherStatements.h"

#include "siblings/korda/Session.h"
#include "turnover/compute/TurnoverComputation.h"
#include "turnover/print/PrnObrotySql.h"
#include "turnover/print/TurnoverPrintout.h"
#include "turnover/compute/StatementPrompts.h"
#include "turnover/simple/SimpleStatementClosing.h"

namespace pravik {
namespace turnover {

int runSimpleStatement(const TurnoverRequest& asked)
{
    korda::Session& s = korda::session();
    TurnoverRequest request = asked;
    TurnoverParameters& p = request.parameters;
    p.variant = int(TurnoverVariant::Simple);
    if (!p.title.trimmed().isEmpty())
        s.DANE_NAGLOWEK_WYDRUKU = p.title;
    // Net balances per account and group, and the listings under the accounts, are not part of
    // this statement whatever the window says.
    TurnoverSettings& settings = request.settings;
    settings.netBalances = false;
    settings.mpkEntries = settings.budgetClassification = settings.entries = false;
    const bool browse = request.browse;
    if (p.thousands)
        s.DANE_OPIS_PRN.add(kThousandsLine);

    TurnoverPrintout printout(TurnoverPrintOptions::from(request));
    frame::ReportDefinition definition = printout.definition();
    definition.procedure = QStringLiteral("PRN_OBROTY_SQL_PROSTY");
    definition.mixedCaseName = QStringLiteral("Prn_Obroty_SQL_Prosty");
    TurnoverStatement statement;
    definition.closing = [&statement, browse](frame::RunFrame& f) {
        if (!browse)
            printSimpleClosing(f, statement);
    };
    frame::RunFrame frame(std::move(definition), request.output);
    if (!frame.start())
        return frame::kResponseCancelled;
    frame.wait(kAccountListPrompt);
    ComputationRequest rq = ComputationRequest::from(request);
    rq.onStage = [&frame](ComputationStage stage) { frame.wait(computationPrompt(stage)); };
    statement = computeTurnoverStatement(settings.accounts, rq, settings, browse);
    if (!statement.completed())
        return frame.abandon();
    const TurnoverStatement body = simpleStatementBody(statement);
    const int response = printout.print(frame, body);
    finishTurnoverStatement(statement);
    return response;
}

} // namespace turnover

void PRN_OBROTY_SQL_PROSTY(quint8 cumulativeWithOpening, quint8 cardIndexAccounts, quint8 approvedOnly,
                           quint8 nonZeroTurnoversOnly, const QString& mask, const QString& yearName, quint8 variant,
                           quint8 thousands, const QString& title, quint8 syntheticOnly, quint8 nonZeroBalanceLeaves,
                           quint8 nonZeroBalanceSynthetic, quint8 lastLevelOnly)
{
    turnover::runSimpleStatement(turnover::hostRequest(turnover::exportedParameters(
        cumulativeWithOpening, cardIndexAccounts, approvedOnly, nonZeroTurnoversOnly, mask, yearName, variant, thousands,
        title, syntheticOnly, nonZeroBalanceLeaves, nonZeroBalanceSynthetic, lastLevelOnly)));
}

} // namespace pravik
