// Registering the launcher's three hot keys on its hot-key owner. Portable:
// the owner is the GlobalHotKeys interface; the launcher window hands over
// its own.
//
// The boss key is grabbed for the launcher's whole life: it works whatever
// window is active. F5 and the full-screen key act only while the launcher
// is the active window, so they are grabbed only then (a grab on the whole
// desktop would take F5 from the player's browser even with the launcher
// hidden) and released when the focus leaves it.
#pragma once

#include <vector>

#include "launcher/hot_key_grammar.h"
#include "platform/global_hot_keys.h"

namespace vostra {

// The keys as the settings file gave them at start-up. The launcher keeps
// this, so that a change of the file while it runs changes nothing.
struct LauncherHotKeys {
    std::vector<ConfiguredHotKey> keys;  // usable ones, F5 last
    bool activeKeysHeld = false;
};

// Whether the key of this id acts only while the launcher is active.
inline bool ActsOnlyWhileActive(int id) { return id != HOTKEY_BOSS; }

// Reads the boss and full-screen keys from the settings file (F5 is
// fixed) and registers the boss key, after releasing whatever its id held.
// Results are not examined: a key that cannot be had simply does nothing.
LauncherHotKeys RegisterHotKeys(GlobalHotKeys& hotKeys);

// Grabs (`hold`) or releases F5 and the full-screen key of `keys`; nothing
// when they are held, or released, already.
void HoldActiveOnlyHotKeys(GlobalHotKeys& hotKeys, LauncherHotKeys& keys, bool hold);

}  // namespace vostra
