#include "turnover/OtherStatements.h"

#include "siblings/korda/Session.h"
#include "siblings/utilka/AccountMask.h"
#include "siblings/utilka/Messages.h"
#include "turnover/compute/CardIndexExpansion.h"
#include "turnover/entries/AccountEntriesPrintout.h"
#include "turnover/compute/StatementPrompts.h"
#include "turnover/print/PrnObrotySql.h"

namespace pravik {
namespace turnover {

namespace {

EntriesScope entriesScope(const TurnoverRequest& request)
{
    const TurnoverParameters& p = request.parameters;
    const TurnoverSettings& s = request.settings;
    EntriesScope scope;
    scope.company = request.company;
    scope.yearId = s.yearId;
    scope.period = s.period;
    if (s.dateRange)
        scope.range = s.dateKind == 1 ? EntriesRange::DocumentDates : EntriesRange::PostingDates;
    scope.from = s.dateFrom;
    scope.to = s.dateTo;
    scope.currency = s.currency;
    scope.approvedOnly = p.approvedOnly;
    scope.approvalDates = request.approvedFigures < 1;
    return scope;
}

} // namespace

int runAccountEntriesStatement(const TurnoverRequest& request)
{
    const TurnoverParameters& p = request.parameters;
    const TurnoverSettings& settings = request.settings;
    korda::Session& s = korda::session();
    if (!p.title.trimmed().isEmpty())
        s.DANE_NAGLOWEK_WYDRUKU = p.title;
    if (p.thousands)
        s.DANE_OPIS_PRN.add(kThousandsLine);

    EntriesPrintOptions options;
    options.contraAccounts = settings.contraAccount;
    options.approvalDates = request.approvedFigures < 1;
    options.accountPerPage = settings.accountPerPage;
    options.yearName = p.yearName;
    AccountEntriesPrintout printout(options);
    frame::RunFrame frame(printout.definition(), request.output);
    if (!frame.start())
        return frame::kResponseCancelled;
    frame.wait(kAccountListPrompt);
    if (settings.yearId == 0 || (!settings.dateRange && settings.period <= 0)) {
        frame.endWait();
        utilka::MSG_INF(QStringLiteral("Nie wybrano okresu obrotowego. Zestawienie nie zostanie wykonane."));
        return frame.abandon();
    }
    if (settings.dateRange && (settings.dateFrom <= 0 || settings.dateTo < settings.dateFrom)) {
        frame.endWait();
        utilka::MSG_INF(QStringLiteral("Zakres dat jest niepoprawny. Zestawienie nie zostanie wykonane."));
        return frame.abandon();
    }
    if (!p.syntheticOnly)
        frame.wait(computationPrompt(ComputationStage::CardIndex));
    const AccountList accounts = entriesAccountList(settings.accounts, p, settings, request.company);
    if (accounts.isEmpty()) {
        frame.endWait();
        utilka::MSG_INF(kNoAccountsText);
        return frame.abandon();
    }
    EntriesOptions entries;
    entries.onlyWithEntries = p.nonZeroTurnoversOnly;
    entries.thousands = p.thousands;
    entries.contraAccounts = settings.contraAccount;
    AccountEntriesSource source(entriesScope(request), accounts, entries);
    return printout.print(frame, source);
}

} // namespace turnover

void PRN_RAPORT_KONTO_SQL(quint8 cumulativeWithOpening, quint8 cardIndexAccounts, quint8 approvedOnly,
                          quint8 nonZeroTurnoversOnly, const QString& mask, const QString& yearName, quint8 variant,
                          quint8 thousands, const QString& title, quint8 syntheticOnly, quint8 nonZeroBalanceLeaves)
{
    turnover::runAccountEntriesStatement(turnover::hostRequest(turnover::exportedParameters(
        cumulativeWithOpening, cardIndexAccounts, approvedOnly, nonZeroTurnoversOnly, mask, yearName, variant, thousands,
        title, syntheticOnly, nonZeroBalanceLeaves)));
}

} // namespace pravik
