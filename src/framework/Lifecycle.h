#pragma once
// The module's start and stop, for hosts written in C++ (a C host uses CApi.h).
//
// When the library loads, the module sets up its own error manager (platform/ErrorSink.h) and
// its own settings manager, an ini file named by the session global GGG:SCIEZKA_SET (in memory
// while that is empty). PRAVIK_INIT then takes the host's managers in their place and brings up
// the sibling libraries; PRAVIK_KILL takes them down. A second INIT while the module is up does
// nothing, and so does a second KILL; an INIT after KILL brings the module up again. Between
// the two the host calls the report procedures any number of times; after KILL the report
// entries of the C interface refuse to run until the next INIT.
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

namespace pravik {

class ErrorSink;
class SettingsStore;

// Either manager may be null: the module's own stays in charge. With a null settings manager
// the module's own store follows GGG:SCIEZKA_SET as it is now (the host may name the file after
// loading the library and before INIT). The caller keeps ownership of what it passes.
void PRAVIK_INIT(ErrorSink* errorManager, SettingsStore* settingsManager);
void PRAVIK_KILL();

// Every report procedure names itself on entry ("Prn_Obroty_SQL"), so that the errors it causes
// are reported against it.
void enterProcedure(const QString& mixedCaseName);

namespace module {

enum class State { Unloaded, Loaded, Initialised, Killed };

// Loading and unloading the library run these; a host that links the module statically, and
// tests that need a fresh load, call them directly. Both are idempotent.
void load();
void unload();
State state();
// Whether PRAVIK_INIT has acted since the library loaded.
bool initCalled();

// The tables whose file objects were handed the error manager by INIT, in that order, with the
// manager each received. Empty before INIT.
QList<QPair<QString, ErrorSink*>> tableErrorManagers();
// The sibling libraries in the order INIT and KILL call them.
QStringList siblingOrder();

// Sees every sibling start and stop as it happens ("korda INIT", "statix KILL").
void setLifecycleObserver(std::function<void(const QString& event)> observer);

// Managers made by the module for a host (the C interface builds them from the host's
// callbacks and file path); freed when the library unloads.
void adoptHostManagers(std::unique_ptr<ErrorSink> errorManager, std::unique_ptr<SettingsStore> settingsManager);

} // namespace module

} // namespace pravik
