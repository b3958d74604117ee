#include "turnover/print/PrnObrotySql.h"

#include "framework/CApi.h"
#include "framework/CEntry.h"
#include "siblings/korda/Session.h"
#include "siblings/outlik/CompanyAddress.h"
#include "turnover/compute/AccountListBuilder.h"
#include "turnover/compute/TurnoverComputation.h"
#include "turnover/print/TurnoverPrintout.h"
#include "turnover/window/TurnoverProcedureTable.h"

namespace pravik {

namespace turnover {

namespace {

QString stagePrompt(ComputationStage stage)
{
    switch (stage) {
    case ComputationStage::CardIndex:
        return QStringLiteral("Proszę czekać. Trwa przygotowanie listy kont analitycznych...");
    case ComputationStage::ServerRows:
        return QStringLiteral("Proszę czekać. Trwa przygotowanie danych (serwer)...");
    case ComputationStage::Computing:
        return QStringLiteral("Proszę czekać. Trwa obliczanie...");
    case ComputationStage::ReadBack:
        break;
    }
    return QStringLiteral("Proszę czekać. Trwa przygotowanie danych (klient)...");
}

} // namespace

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
        s.DANE_OPIS_PRN.add(QStringLiteral("Kwoty w tysiącach jednostek pieniężnych"));

    TurnoverPrintout printout(options);
    frame::RunFrame frame(printout.definition());
    if (!frame.start())
        return frame::kResponseCancelled;
    ComputationRequest rq = ComputationRequest::fromSession(p, settings);
    rq.onStage = [&frame](ComputationStage stage) { frame.wait(stagePrompt(stage)); };
    const TurnoverStatement statement = computeTurnoverStatement(settings.accounts, rq, settings, browse);
    if (!statement.completed())
        return frame.abandon();
    const int response = printout.print(frame, statement);
    finishTurnoverStatement(statement);
    return response;
}

namespace {

// The turnover window calls the statement through its procedure table.
const bool registered = registerTurnoverProcedure(QStringLiteral("PRN_OBROTY_SQL"),
                                                  [](const TurnoverParameters& p) { runTurnoverStatement(p); });

} // namespace

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
        const turnover::AccountListResult list =
            turnover::buildAccountList(s.DANE_ID_FIRMY, s.DANE_LATA_OBROTOWE, selection);
        st.yearId = s.DANE_LATA_OBROTOWE;
        st.period = s.DANE_DATA_OKRESU;
        st.accounts = list.accounts;
        outlik::USTAL_ADRES_FIRMY();
    }

    turnover::TurnoverParameters p;
    p.cumulativeWithOpening = cumulativeWithOpening == 1;
    p.cardIndexAccounts = cardIndexAccounts == 1;
    p.approvedOnly = approvedOnly == 1;
    p.nonZeroTurnoversOnly = nonZeroTurnoversOnly == 1;
    p.mask = mask;
    p.yearName = yearName;
    p.variant = variant;
    p.thousands = thousands == 1;
    p.title = title;
    p.syntheticOnly = syntheticOnly == 1;
    p.nonZeroBalanceLeaves = nonZeroBalanceLeaves == 1;
    p.nonZeroBalanceSynthetic = nonZeroBalanceSynthetic == 1;
    p.lastLevelOnly = lastLevelOnly == 1;
    turnover::runTurnoverStatement(p);
    if (withoutWindow)
        turnover::turnoverSettings() = turnover::TurnoverSettings();
}

} // namespace pravik

namespace {

QString text(const char* utf8)
{
    return utf8 ? QString::fromUtf8(utf8) : QString();
}

} // namespace

// For hosts that load the module by name; texts are UTF-8 (NULL counts as empty).
extern "C" PRAVIK_EXPORT void PRN_OBROTY_SQL(unsigned char cumulativeWithOpening, unsigned char cardIndexAccounts,
                                             unsigned char approvedOnly, unsigned char nonZeroTurnoversOnly,
                                             const char* mask, const char* yearName, unsigned char variant,
                                             unsigned char thousands, const char* title, unsigned char syntheticOnly,
                                             unsigned char nonZeroBalanceLeaves, unsigned char nonZeroBalanceSynthetic,
                                             unsigned char lastLevelOnly)
{
    pravik::capi::runReport("PRN_OBROTY_SQL", [&] {
        pravik::PRN_OBROTY_SQL(cumulativeWithOpening, cardIndexAccounts, approvedOnly, nonZeroTurnoversOnly, text(mask),
                               text(yearName), variant, thousands, text(title), syntheticOnly, nonZeroBalanceLeaves,
                               nonZeroBalanceSynthetic, lastLevelOnly);
    });
}
