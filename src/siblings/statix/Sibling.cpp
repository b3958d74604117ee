#include "siblings/statix/Sibling.h"

namespace statix {

namespace {
bool g_up = false;
} // namespace

void INIT(pravik::ErrorSink* errorManager, pravik::SettingsStore* settingsManager)
{
    // Nothing to open: the library reads the managers through the module when it needs them.
    (void)errorManager;
    (void)settingsManager;
    g_up = true;
}

void KILL()
{
    g_up = false;
}

bool isUp()
{
    return g_up;
}

} // namespace statix
