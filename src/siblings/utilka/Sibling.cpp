#include "siblings/utilka/Sibling.h"

#include "platform/sql/Database.h"
#include "siblings/korda/RuntimeStatus.h"

namespace utilka {

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
    pravik::sql::Database::releaseThread();
    korda::runtimeStatus() = korda::RuntimeStatus();
    g_up = false;
}

bool isUp()
{
    return g_up;
}

} // namespace utilka
