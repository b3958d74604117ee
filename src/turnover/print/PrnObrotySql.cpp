#include "turnover/print/PrnObrotySql.h"

#include "framework/CApi.h"
#include "siblings/korda/Session.h"
#include "siblings/outlik/CompanyAddress.h"
#include "turnover/compute/AccountListBuilder.h"
#include "turnover/compute/StatementPrompts.h"
#include "turnover/compute/TurnoverComputation.h"
#include "turnover/print/TurnoverPrintout.h"

namespace pravik {

namespace turnover {

int runTurnoverStatement(const TurnoverParameters& p)
{
    korda::Session& s = korda::session();
    if (!p.title.trimmed().isEmpty())
        s.DANE_NAGLOWEK_WYDRUKU = p.title;
    const TurnoverSettings& settings = turnoverSettings();
    const bool browse = s.outputRequests.browseRequest == 1;
    TurnoverPrintOptions options = TurnoverPrintOptions::from(p, settings);
    if (browse)
        options.mpkEntries = options.budgetClassification = options.entries = false;
    if (p.thousands)
        s.DANE_OPIS_PRN.add(kThousandsLine);

    TurnoverPrintout printout(options);
    frame::RunFrame frame(printout.definition());
    if (!frame.start())
        return frame::kResponseCancelled;
    ComputationRequest rq = ComputationRequest::fromSession(p, settings);
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
    // A host that calls the statement without the parameter window would otherwise get an empty
    // statement: it gets what the window prepares with its defaults, the session's year and
    // period and the whole chart, for this call only.
    turnover::TurnoverSettings& st = turnover::turnoverSettings();
    const bool withoutWindow = st.accounts.isEmpty() && st.yearId == 0;
    if (withoutWindow) {
        const korda::Session& s = korda::session();
        turnover::AccountSelection selection;
        selection.syntheticOnly = syntheticOnly == 1;
        st.yearId = s.DANE_LATA_OBROTOWE;
        st.period = s.DANE_DATA_OKRESU;
        st.accounts = turnover::buildAccountList(s.DANE_ID_FIRMY, s.DANE_LATA_OBROTOWE, selection).accounts;
        outlik::USTAL_ADRES_FIRMY();
    }
    turnover::runTurnoverStatement(turnover::exportedParameters(
        cumulativeWithOpening, cardIndexAccounts, approvedOnly, nonZeroTurnoversOnly, mask, yearName, variant, thousands,
        title, syntheticOnly, nonZeroBalanceLeaves, nonZeroBalanceSynthetic, lastLevelOnly));
    if (withoutWindow)
        turnover::turnoverSettings() = turnover::TurnoverSettings();
}

void PRN_OBROTY(quint8 cumulativeWithOpening, quint8 cardIndexAccounts, quint8 approvedOnly, quint8 nonZeroTurnoversOnly,
                const QString& mask, const QString& yearName, quint8 variant, quint8 thousands, const QString& title,
                quint8 syntheticOnly, quint8 nonZeroBalanceLeaves)
{
    PRN_OBROTY_SQL(cumulativeWithOpening, cardIndexAccounts, approvedOnly, nonZeroTurnoversOnly, mask, yearName, variant,
                   thousands, title, syntheticOnly, nonZeroBalanceLeaves, 0, 0);
}

} // namespace pravik
