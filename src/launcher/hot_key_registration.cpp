#include "launcher/hot_key_registration.h"

namespace vostra {

LauncherHotKeys RegisterHotKeys(GlobalHotKeys& hotKeys) {
    const KeyNameTable table = BuildKeyNameTable();
    LauncherHotKeys result;
    result.keys = ReadConfiguredHotKeys(table);
    ConfiguredHotKey refresh;
    refresh.id = HOTKEY_REFRESH;
    refresh.text = "F5";
    refresh.chord = {0, kRefreshVirtualKey};
    result.keys.push_back(refresh);
    for (const ConfiguredHotKey& key : result.keys) {
        if (ActsOnlyWhileActive(key.id)) continue;
        hotKeys.UnregisterHotKey(key.id);
        hotKeys.RegisterHotKey(key.id, key.chord.modifiers, key.chord.virtualKey);
    }
    return result;
}

void HoldActiveOnlyHotKeys(GlobalHotKeys& hotKeys, LauncherHotKeys& keys, bool hold) {
    if (keys.activeKeysHeld == hold) return;
    keys.activeKeysHeld = hold;
    for (const ConfiguredHotKey& key : keys.keys) {
        if (!ActsOnlyWhileActive(key.id)) continue;
        hotKeys.UnregisterHotKey(key.id);
        if (hold) hotKeys.RegisterHotKey(key.id, key.chord.modifiers, key.chord.virtualKey);
    }
}

}  // namespace vostra
