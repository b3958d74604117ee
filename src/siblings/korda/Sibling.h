#pragma once
// Start and stop of the korda library, called by the module's INIT and KILL.
#include "siblings/SiblingLifecycle.h"

namespace korda {

// Its table objects report file errors to the module's error manager from now on.
void INIT(pravik::ErrorSink* errorManager, pravik::SettingsStore* settingsManager);
// Frees the calling thread's open result sets and empties the shared queues of its session.
void KILL();
// Between INIT and KILL.
bool isUp();

} // namespace korda
