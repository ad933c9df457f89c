// System-wide hot keys: a key with modifiers that reaches its owner
// whichever program has the keyboard focus. One object holds the hot keys
// of one owner (the launcher window) and reports each press with the id
// the key was registered under.
//
// A hot key is given as the Windows hot-key call takes it: modifier flags
// MOD_ALT 1, MOD_CONTROL 2, MOD_SHIFT 4 and a Windows virtual-key code; the
// implementation turns them into its own system's terms. The X11 one is
// global_hot_keys_x11.cpp.
#pragma once

#include <functional>
#include <memory>

namespace vostra {

// Called with the id of the hot key that was pressed, on the GUI thread.
using HotKeyHandler = std::function<void(int id)>;

class GlobalHotKeys {
public:
    virtual ~GlobalHotKeys() = default;

    // Registers the key under `id`. False when the id is already in use
    // here, the key is already registered here under another id, the key
    // code names no key (0 included), the system has no such key, another
    // program holds the key, or there is no display. A failure leaves
    // nothing registered under the id and is not reported elsewhere.
    virtual bool RegisterHotKey(int id, unsigned modifiers, unsigned virtualKey) = 0;

    // Releases the key registered under `id`. False when there was none.
    virtual bool UnregisterHotKey(int id) = 0;
};

// The hot keys of this system's display; presses arrive at `handler`
// through the GUI main loop. The handler may destroy the returned object.
std::unique_ptr<GlobalHotKeys> CreateGlobalHotKeys(HotKeyHandler handler);

}  // namespace vostra
