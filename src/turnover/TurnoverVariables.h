#pragma once
// The turnover settings as the module keeps them between calls: the turnover window stores the
// settings and account list of its last run here, and a host that calls a statement procedure
// directly gets them (the window's defaults until a window has run). Only the boundary touches
// them (the window and the exported procedures); a statement gets its settings in its request.
// Instanced per thread like the session context.
#include "turnover/TurnoverParameters.h"

namespace pravik::turnover {

TurnoverSettings turnoverVariables();
void setTurnoverVariables(const TurnoverSettings& settings);

} // namespace pravik::turnover
