#include "framework/Lifecycle.h"

#include "platform/ErrorSink.h"
#include "platform/Settings.h"
#include "siblings/kontar/Sibling.h"
#include "siblings/korda/Session.h"
#include "siblings/korda/Sibling.h"
#include "siblings/outlik/Sibling.h"
#include "siblings/statix/Sibling.h"
#include "siblings/tekston/Sibling.h"
#include "siblings/utilka/Sibling.h"
#include "siblings/xmlbud/Sibling.h"

#include <array>

namespace pravik {

namespace {

struct Sibling {
    const char* name;
    siblings::InitFn init;
    siblings::KillFn kill;
};

// The order the host application has always brought its libraries up in.
constexpr std::array<Sibling, 7> kSiblings{{
    {"korda", &korda::INIT, &korda::KILL},
    {"utilka", &utilka::INIT, &utilka::KILL},
    {"outlik", &outlik::INIT, &outlik::KILL},
    {"tekston", &tekston::INIT, &tekston::KILL},
    {"kontar", &kontar::INIT, &kontar::KILL},
    {"xmlbud", &xmlbud::INIT, &xmlbud::KILL},
    {"statix", &statix::INIT, &statix::KILL},
}};

// The tables whose file errors go to the error manager, in the order INIT hands it over.
constexpr std::array<const char*, 14> kTables{
    "MENU",         "LATA_OBROTOWE",  "KONTA_SYNT",    "WARTOSCI_KONT", "ZAPYTANIESQL",
    "FIRMA",        "PACZKA",         "OBROTY_I_SALDA", "ZESTAW_POZ",   "ZESTAW_ZESTAW",
    "POZ_DOK_VIEW_UNION", "ZAPYTANIESQL1", "VAX_FK",   "VAY_FK",
};

struct ModuleData {
    module::State state = module::State::Unloaded;
    bool initDone = false;
    bool killDone = false;
    std::unique_ptr<SettingsStore> ownSettings;
    QList<QPair<QString, ErrorSink*>> tables;
    std::function<void(const QString&)> observer;
    std::unique_ptr<ErrorSink> adoptedErrorManager;
    std::unique_ptr<SettingsStore> adoptedSettings;
};

ModuleData& data()
{
    static ModuleData d;
    return d;
}

void notify(const QString& event)
{
    if (data().observer)
        data().observer(event);
}

// The module's own settings manager on the file GGG:SCIEZKA_SET names now.
void openOwnSettings()
{
    ModuleData& d = data();
    const QString path = korda::session().GGG_SCIEZKA_SET.trimmed();
    if (d.ownSettings && d.ownSettings->path() == path)
        return;
    auto store = path.isEmpty() ? std::make_unique<SettingsStore>() : std::make_unique<SettingsStore>(path);
    // The old store may be in use as the module's store; switch before freeing it.
    setModuleSettings(store.get());
    d.ownSettings = std::move(store);
    if (const QString refused = d.ownSettings->errorString(); !refused.isEmpty())
        errorSink().report(ErrorKind::File, path, QStringLiteral("the settings file is not used: %1").arg(refused));
}

// Loading the shared library sets up the module-own state, as the host expects of a loaded module.
struct LoadOnLibraryLoad {
    LoadOnLibraryLoad() { module::load(); }
    ~LoadOnLibraryLoad() { module::unload(); }
};
const LoadOnLibraryLoad g_loadOnLibraryLoad;

} // namespace

void PRAVIK_INIT(ErrorSink* errorManager, SettingsStore* settingsManager)
{
    module::load();
    ModuleData& d = data();
    // Once up, a second INIT does nothing; after KILL, INIT brings the module up again.
    if (d.initDone && !d.killDone)
        return;
    d.initDone = true;
    d.killDone = false;

    if (errorManager)
        setErrorSink(errorManager);
    if (settingsManager)
        setModuleSettings(settingsManager);
    else
        openOwnSettings();

    ErrorSink* manager = &errorSink();
    d.tables.clear();
    for (const char* table : kTables)
        d.tables.append({QString::fromLatin1(table), manager});

    for (const Sibling& s : kSiblings) {
        s.init(errorManager, settingsManager);
        notify(QString::fromLatin1(s.name) + QStringLiteral(" INIT"));
    }
    d.state = module::State::Initialised;
}

void PRAVIK_KILL()
{
    module::load();
    ModuleData& d = data();
    if (d.killDone)
        return;
    d.killDone = true;
    for (const Sibling& s : kSiblings) {
        s.kill();
        notify(QString::fromLatin1(s.name) + QStringLiteral(" KILL"));
    }
    d.state = module::State::Killed;
}

void enterProcedure(const QString& mixedCaseName)
{
    errorSink().setProcedure(mixedCaseName);
}

namespace module {

void load()
{
    ModuleData& d = data();
    if (d.state != State::Unloaded)
        return;
    d.initDone = false;
    d.killDone = false;
    d.tables.clear();
    setErrorSink(nullptr);
    openOwnSettings();
    d.state = State::Loaded;
}

void unload()
{
    ModuleData& d = data();
    if (d.state == State::Unloaded)
        return;
    // Clear the references before freeing what they point at.
    setErrorSink(nullptr);
    setModuleSettings(nullptr);
    if (d.ownSettings)
        d.ownSettings->sync();
    d.ownSettings.reset();
    d.adoptedErrorManager.reset();
    d.adoptedSettings.reset();
    d.tables.clear();
    d.initDone = false;
    d.killDone = false;
    d.state = State::Unloaded;
}

State state()
{
    return data().state;
}

bool initCalled()
{
    return data().initDone;
}

QList<QPair<QString, ErrorSink*>> tableErrorManagers()
{
    return data().tables;
}

QStringList siblingOrder()
{
    QStringList names;
    for (const Sibling& s : kSiblings)
        names.append(QString::fromLatin1(s.name));
    return names;
}

void setLifecycleObserver(std::function<void(const QString& event)> observer)
{
    data().observer = std::move(observer);
}

void adoptHostManagers(std::unique_ptr<ErrorSink> errorManager, std::unique_ptr<SettingsStore> settingsManager)
{
    ModuleData& d = data();
    if (errorManager)
        d.adoptedErrorManager = std::move(errorManager);
    if (settingsManager)
        d.adoptedSettings = std::move(settingsManager);
}

} // namespace module

} // namespace pravik
