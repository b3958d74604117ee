#include "siblings/korda/Sibling.h"

#include "siblings/korda/PassThrough.h"
#include "siblings/korda/Session.h"

namespace korda {

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
    closeAllPassThrough();
    Session& s = session();
    s.DANE_OPIS_PRN.clear();
    s.DANE_ZAZNACZ_REK.clear();
    s.DANE_KOLEJKA_UNIWERS.clear();
    s.DANE_KOLEJKA_VAX.clear();
    s.GGG_XML_Q.clear();
    g_up = false;
}

bool isUp()
{
    return g_up;
}

} // namespace korda
