#pragma once
// Start and stop of a sibling that keeps nothing open between calls: INIT marks it up (it reads
// the managers through the module when it needs them) and KILL marks it down.
// PRAVIK_PASSIVE_SIBLING(name) defines INIT, KILL and isUp of namespace `name`, as declared in
// siblings/<name>/Sibling.h.
#include "siblings/SiblingLifecycle.h"

#define PRAVIK_PASSIVE_SIBLING(name)                                                              \
    namespace name {                                                                              \
    namespace {                                                                                   \
    bool g_up = false;                                                                            \
    }                                                                                             \
    void INIT(pravik::ErrorSink*, pravik::SettingsStore*) { g_up = true; }                       \
    void KILL() { g_up = false; }                                                                 \
    bool isUp() { return g_up; }                                                                  \
    }
