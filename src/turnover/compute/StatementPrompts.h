#pragma once
// The wait-window prompts of the statements built on the turnover computation, step by step.
#include "turnover/compute/TurnoverComputation.h"

#include <QString>

namespace pravik::turnover {

inline const QString kAccountListPrompt = QStringLiteral("Proszę czekać. Trwa przygotowanie listy kont...");

inline QString computationPrompt(ComputationStage stage)
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

inline const QString kThousandsLine = QStringLiteral("Kwoty w tysiącach jednostek pieniężnych");

} // namespace pravik::turnover
