#include "turnover/TurnoverParameters.h"

namespace pravik::turnover {

TurnoverSettings& turnoverSettings()
{
    thread_local TurnoverSettings settings;
    return settings;
}

} // namespace pravik::turnover
