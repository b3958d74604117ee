#pragma once
// A host that calls one of the module's windows waits until the user closes it. On the offscreen
// platform, or in a program without a desktop, nobody could: the call would never return.
#include <QString>

namespace pravik::frame {

// Whether the window called windowTitle may be opened now: a desktop application on a real
// screen, or one whose host (or test) installed user services of its own, which then answer for
// the window. Otherwise tells the user that the window needs a screen, sets the response to 2
// (refused) and returns false.
bool windowMayOpen(const QString& windowTitle);

} // namespace pravik::frame
