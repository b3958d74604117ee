#include "turnover/TurnoverParameters.h"

#include "siblings/korda/Session.h"

namespace pravik::turnover {

TurnoverParameters exportedParameters(quint8 cumulativeWithOpening, quint8 cardIndexAccounts, quint8 approvedOnly,
                                         quint8 nonZeroTurnoversOnly, const QString& mask, const QString& yearName,
                                         quint8 variant, quint8 thousands, const QString& title, quint8 syntheticOnly,
                                         quint8 nonZeroBalanceLeaves, quint8 nonZeroBalanceSynthetic, quint8 lastLevelOnly)
{
    TurnoverParameters p;
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
    return p;
}

TurnoverRequest turnoverRequest(const TurnoverParameters& parameters, const TurnoverSettings& settings,
                                const korda::Session& session)
{
    TurnoverRequest rq;
    rq.parameters = parameters;
    rq.settings = settings;
    rq.company = session.DANE_ID_FIRMY;
    rq.user = session.DANE_ID_UZYTKOWNIKA_NR;
    rq.login = session.DANE_ID_UZYT;
    rq.browse = session.outputRequests.browseRequest == 1;
    rq.noShading = session.DANE_WYLACZ_SZAROSC == 1;
    rq.approvedFigures = session.GGG_WERSJA_DLA_KRAB_PRIORYTET;
    rq.output = frame::OutputTarget::fromSession(session);
    return rq;
}

} // namespace pravik::turnover
