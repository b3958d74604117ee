#include "turnover/print/PrnObrotySql.h"

#include "framework/CApi.h"
#include "siblings/korda/Session.h"
#include "siblings/outlik/CompanyAddress.h"
#include "turnover/compute/AccountListBuilder.h"
#include "turnover/compute/StatementPrompts.h"
#include "turnover/compute/TurnoverComputation.h"
#include "turnover/TurnoverVariables.h"
#include "turnover/print/TurnoverPrintout.h"

namespace pravik {

namespace turnover {

TurnoverRequest hostRequest(const TurnoverParameters& parameters)
{
    const korda::Session& s = korda::session();
    TurnoverSettings settings = turnoverVariables();
    // Without the window's settings a statement would come out empty: the call gets what the
    // window prepares with its defaults.
    if (settings.accounts.isEmpty() && settings.yearId == 0) {
        settings.yearId = s.DANE_LATA_OBROTOWE;
        settings.period = s.DANE_DATA_OKRESU;
        AccountSelection selection;
        selection.syntheticOnly = parameters.syntheticOnly;
        settings.accounts = buildAccountList(s.DANE_ID_FIRMY, s.DANE_LATA_OBROTOWE, selection).accounts;
        outlik::USTAL_ADRES_FIRMY();
    }
    return turnoverRequest(parameters, settings, s);
}

int runTurnoverStatement(const TurnoverRequest& request)
{
    const TurnoverParameters& p = request.parameters;
    const TurnoverSettings& settings = request.settings;
    korda::Session& s = korda::session();
    if (!p.title.trimmed().isEmpty())
        s.DANE_NAGLOWEK_WYDRUKU = p.title;
    const bool browse = request.browse;
    TurnoverPrintOptions options = TurnoverPrintOptions::from(request);
    if (browse)
        options.mpkEntries = options.budgetClassification = options.entries = false;
    if (p.thousands)
        s.DANE_OPIS_PRN.add(kThousandsLine);

    TurnoverPrintout printout(options);
    frame::RunFrame frame(printout.definition(), request.output);
    if (!frame.start())
        return frame::kResponseCancelled;
    ComputationRequest rq = ComputationRequest::from(request);
    rq.onStage = [&frame](ComputationStage stage) { frame.wait(computationPrompt(stage)); };
    const TurnoverStatement statement = computeTurnoverStatement(settings.accounts, rq, settings, browse);
    if (!statement.completed())
        return frame.abandon();
    const int response = printout.print(frame, statement);
    finishTurnoverStatement(statement);
    return response;
}

} // namespace turnover

void PRN_OBROTY_SQL(quint8 cumulativeWithOpening, quint8 cardIndexAccounts, quint8 approvedOnly, quint8 nonZeroTurnoversOnly,
                    const QString& mask, const QString& yearName, quint8 variant, quint8 thousands, const QString& title,
                    quint8 syntheticOnly, quint8 nonZeroBalanceLeaves, quint8 nonZeroBalanceSynthetic, quint8 lastLevelOnly)
{
    turnover::runTurnoverStatement(turnover::hostRequest(turnover::exportedParameters(
        cumulativeWithOpening, cardIndexAccounts, approvedOnly, nonZeroTurnoversOnly, mask, yearName, variant, thousands,
        title, syntheticOnly, nonZeroBalanceLeaves, nonZeroBalanceSynthetic, lastLevelOnly)));
}

void PRN_OBROTY(quint8 cumulativeWithOpening, quint8 cardIndexAccounts, quint8 approvedOnly, quint8 nonZeroTurnoversOnly,
                const QString& mask, const QString& yearName, quint8 variant, quint8 thousands, const QString& title,
                quint8 syntheticOnly, quint8 nonZeroBalanceLeaves)
{
    PRN_OBROTY_SQL(cumulativeWithOpening, cardIndexAccounts, approvedOnly, nonZeroTurnoversOnly, mask, yearName, variant,
                   thousands, title, syntheticOnly, nonZeroBalanceLeaves, 0, 0);
}

} // namespace pravik
