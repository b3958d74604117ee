#include "turnover/TurnoverParameters.h"

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

} // namespace pravik::turnover
