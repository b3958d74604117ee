#pragma once
// What every sibling library offers the module that loads it: INIT with the host's error and
// settings managers (either may be null: the module's own stay in charge) and KILL. Each sibling
// declares its pair in its own folder (siblings/<name>/Sibling.h).
namespace pravik {
class ErrorSink;
class SettingsStore;
} // namespace pravik

namespace pravik::siblings {

using InitFn = void (*)(pravik::ErrorSink* errorManager, pravik::SettingsStore* settingsManager);
using KillFn = void (*)();

} // namespace pravik::siblings
