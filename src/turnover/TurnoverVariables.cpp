#include "turnover/TurnoverVariables.h"

namespace pravik::turnover {

namespace {

TurnoverSettings& kept()
{
    thread_local TurnoverSettings instance;
    return instance;
}

} // namespace

TurnoverSettings turnoverVariables()
{
    return kept();
}

void setTurnoverVariables(const TurnoverSettings& settings)
{
    kept() = settings;
}

} // namespace pravik::turnover
