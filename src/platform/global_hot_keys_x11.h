// System-wide hot keys on X11: each hot key is a passive key grab on the
// root window of GDK's display, and its presses come back through a GDK
// event filter on that root window, inside the GTK main loop.
//
// X matches a grab's modifiers exactly, so every key is grabbed four
// times: as asked, with NumLock, with CapsLock and with both, and a press
// is reported whatever the state of the two locks. A key that another
// client holds answers the grab with BadAccess; that error is trapped and
// the registration fails quietly.
//
// Without an X display (no GTK display opened yet, or a display that is
// not X11, such as native Wayland) no X call is made and every
// registration fails; under Wayland, run the launcher on XWayland
// (GDK_BACKEND=x11) to have hot keys. The display is taken when the object
// is made: create it after GTK is initialised.
#pragma once

#include <memory>

#include "platform/global_hot_keys.h"

namespace vostra {

class GlobalHotKeysX11 final : public GlobalHotKeys {
public:
    explicit GlobalHotKeysX11(HotKeyHandler handler);
    // Releases every grab and stops the event filter: no handler call
    // comes after this.
    ~GlobalHotKeysX11() override;
    GlobalHotKeysX11(const GlobalHotKeysX11&) = delete;
    GlobalHotKeysX11& operator=(const GlobalHotKeysX11&) = delete;

    // Key code 0, or a code the key table lacks, grabs nothing and returns
    // false without any X request or message: the registration was asked
    // for and refused, as the Windows call refuses it. Modifier bits other
    // than MOD_ALT, MOD_CONTROL and MOD_SHIFT are refused too. Alt is X's
    // Mod1, as on every common keyboard map.
    bool RegisterHotKey(int id, unsigned modifiers, unsigned virtualKey) override;
    bool UnregisterHotKey(int id) override;

    // True when an X display was there to grab keys on.
    bool HasDisplay() const;

    struct Impl;

private:
    std::unique_ptr<Impl> m_impl;
};

}  // namespace vostra
