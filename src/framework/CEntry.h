#pragma once
// What every report entry of the C interface does around the report: a host written in C gets
// either the report or an error through its error manager, never an abort or an exception.
#include <functional>

namespace pravik::capi {

// Runs body unless the module cannot: after PRAVIK_KILL (until the next PRAVIK_INIT), or when
// the process has a Qt application the reports cannot draw with. A process without one gets a
// QApplication made by the module, on the offscreen platform when there is no display. A refusal
// and anything body throws go to the error manager against `procedure`, and the response global
// says the report did not complete.
void runReport(const char* procedure, const std::function<void()>& body);

// Makes the Qt application the reports need when the host has none. False, with the reason in
// *why, when the process has a Qt application without a GUI (a QCoreApplication).
bool ensureGuiApplication(const char** why);

} // namespace pravik::capi
