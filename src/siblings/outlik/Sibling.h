#pragma once
// Start and stop of the outlik library, called by the module's INIT and KILL.
#include "siblings/SiblingLifecycle.h"

namespace outlik {

// Marks the library ready; it keeps no resources between calls.
void INIT(pravik::ErrorSink* errorManager, pravik::SettingsStore* settingsManager);
// Marks the library stopped.
void KILL();
// Between INIT and KILL.
bool isUp();

} // namespace outlik
