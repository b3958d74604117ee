#pragma once
// Start and stop of the utilka library, called by the module's INIT and KILL.
#include "siblings/SiblingLifecycle.h"

namespace utilka {

// The SQL calls connect lazily, on each thread's first statement.
void INIT(pravik::ErrorSink* errorManager, pravik::SettingsStore* settingsManager);
// Closes the calling thread's database connection and forgets its last error.
void KILL();
// Between INIT and KILL.
bool isUp();

} // namespace utilka
