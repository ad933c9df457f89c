#include "launcher/hot_key_registration.h"

#include "launcher/hot_key_grammar.h"

namespace vostra {

void RegisterHotKeys(GlobalHotKeys& hotKeys) {
    const KeyNameTable table = BuildKeyNameTable();
    for (const ConfiguredHotKey& configured : ReadConfiguredHotKeys(table)) {
        hotKeys.UnregisterHotKey(configured.id);
        hotKeys.RegisterHotKey(configured.id, configured.chord.modifiers,
                               configured.chord.virtualKey);
    }
    hotKeys.RegisterHotKey(HOTKEY_REFRESH, 0, kRefreshVirtualKey);
}

}  // namespace vostra
