#pragma once
// The journal variables as the module keeps them between calls: the journal window stores the
// choices of its last run here and starts from the switches it finds, and a host that calls a
// journal procedure directly gets them (the session's year and period until a window has run).
// Only the boundary touches them (the window, the exported procedures, the command line); a
// journal gets its variables in its request. Instanced per thread like the session context.
#include "journals/JournalRequest.h"

namespace pravik::journals {

JournalOptions journalVariables();
void setJournalVariables(const JournalOptions& options);

} // namespace pravik::journals
