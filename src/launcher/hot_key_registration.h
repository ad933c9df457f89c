// Registering the launcher's three hot keys on its hot-key owner, once, at
// the end of the launcher window's start-up. Portable: the owner is the
// GlobalHotKeys interface; the launcher window hands over its own.
#pragma once

#include "platform/global_hot_keys.h"

namespace vostra {

// Reads the boss and full-screen keys from the settings file and registers
// them (each after releasing whatever its id held), then F5 as the refresh
// key. Results are not examined: a key that cannot be had, because another
// program holds it or its name is unknown, simply does nothing.
void RegisterHotKeys(GlobalHotKeys& hotKeys);

}  // namespace vostra
