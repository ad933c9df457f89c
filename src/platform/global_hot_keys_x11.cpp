#include "platform/global_hot_keys_x11.h"

#include <gdk/gdk.h>
#include <gdk/gdkx.h>
#include <X11/Xlib.h>
#include <X11/keysym.h>

#include <algorithm>
#include <vector>

#include "platform/virtual_key_keysyms.h"

namespace vostra {

namespace {

// The modifier flags of the hot-key call (MOD_ALT, MOD_CONTROL, MOD_SHIFT).
constexpr unsigned kModAlt = 0x1;
constexpr unsigned kModControl = 0x2;
constexpr unsigned kModShift = 0x4;

// Of an event's state, the eight modifier bits: pointer buttons and the
// XKB group (bits 8 and up) never take part in matching.
constexpr unsigned kModifierBits = 0xFF;

struct Registration {
    int id;
    KeyCode keycode;
    unsigned mask;  // X modifier mask without the locks
};

// The modifier bit that NumLock sets on this display, 0 when no modifier
// carries it.
unsigned LookUpNumLockMask(Display* display) {
    const KeyCode numLock = XKeysymToKeycode(display, XK_Num_Lock);
    XModifierKeymap* map = XGetModifierMapping(display);
    if (map == nullptr) return 0;
    unsigned mask = 0;
    for (int modifier = 0; modifier < 8 && mask == 0 && numLock != 0; ++modifier) {
        for (int k = 0; k < map->max_keypermod; ++k) {
            if (map->modifiermap[modifier * map->max_keypermod + k] == numLock) {
                mask = 1u << modifier;
                break;
            }
        }
    }
    XFreeModifiermap(map);
    return mask;
}

}  // namespace

struct GlobalHotKeysX11::Impl {
    HotKeyHandler handler;
    GdkDisplay* gdkDisplay = nullptr;
    Display* display = nullptr;
    GdkWindow* root = nullptr;
    unsigned numLockMask = 0;
    std::vector<Registration> registrations;

    // The mask itself and its three lock variants, without repeats when
    // NumLock has no modifier bit.
    std::vector<unsigned> LockVariants(unsigned mask) const {
        std::vector<unsigned> variants;
        for (unsigned locks : {0u, unsigned(LockMask), numLockMask, numLockMask | LockMask}) {
            if (std::find(variants.begin(), variants.end(), mask | locks) == variants.end()) {
                variants.push_back(mask | locks);
            }
        }
        return variants;
    }

    // Returns once the server has let the key go, so another program may
    // take the key right after. Releasing a variant that was never ours is
    // no error in X; the trap only guards against surprises.
    void Ungrab(KeyCode keycode, unsigned mask) {
        const Window rootXid = GDK_WINDOW_XID(root);
        gdk_x11_display_error_trap_push(gdkDisplay);
        for (unsigned variant : LockVariants(mask)) {
            XUngrabKey(display, keycode, variant, rootXid);
        }
        gdk_x11_display_error_trap_pop_ignored(gdkDisplay);
        XSync(display, False);
    }

    // Grabs all variants or none: a variant that another client holds
    // answers BadAccess, caught by the trap, and the others are let go.
    bool Grab(KeyCode keycode, unsigned mask) {
        const Window rootXid = GDK_WINDOW_XID(root);
        gdk_x11_display_error_trap_push(gdkDisplay);
        for (unsigned variant : LockVariants(mask)) {
            XGrabKey(display, keycode, variant, rootXid, False, GrabModeAsync, GrabModeAsync);
        }
        if (gdk_x11_display_error_trap_pop(gdkDisplay) == 0) return true;
        Ungrab(keycode, mask);
        return false;
    }

    // The hot key that this press is, or null.
    const Registration* Match(unsigned keycode, unsigned state) const {
        const unsigned mask = state & kModifierBits & ~(unsigned(LockMask) | numLockMask);
        for (const Registration& r : registrations) {
            if (r.keycode == keycode && r.mask == mask) return &r;
        }
        return nullptr;
    }

    static GdkFilterReturn Filter(GdkXEvent* native, GdkEvent*, gpointer data) {
        const XEvent* event = static_cast<const XEvent*>(native);
        if (event->type != KeyPress) return GDK_FILTER_CONTINUE;
        const Impl* self = static_cast<const Impl*>(data);
        const Registration* hit = self->Match(event->xkey.keycode, event->xkey.state);
        if (hit == nullptr) return GDK_FILTER_CONTINUE;
        // The handler may destroy the hot keys, and this object with them:
        // call copies and touch nothing here afterwards.
        const int id = hit->id;
        const HotKeyHandler handler = self->handler;
        if (handler) handler(id);
        return GDK_FILTER_REMOVE;
    }
};

GlobalHotKeysX11::GlobalHotKeysX11(HotKeyHandler handler) : m_impl(std::make_unique<Impl>()) {
    m_impl->handler = std::move(handler);
    GdkDisplay* gdkDisplay = gdk_display_get_default();
    if (gdkDisplay == nullptr || !GDK_IS_X11_DISPLAY(gdkDisplay)) return;
    m_impl->gdkDisplay = gdkDisplay;
    m_impl->display = GDK_DISPLAY_XDISPLAY(gdkDisplay);
    m_impl->root = gdk_screen_get_root_window(gdk_display_get_default_screen(gdkDisplay));
    m_impl->numLockMask = LookUpNumLockMask(m_impl->display);
    gdk_window_add_filter(m_impl->root, &Impl::Filter, m_impl.get());
}

GlobalHotKeysX11::~GlobalHotKeysX11() {
    if (!HasDisplay()) return;
    gdk_window_remove_filter(m_impl->root, &Impl::Filter, m_impl.get());
    for (const Registration& r : m_impl->registrations) m_impl->Ungrab(r.keycode, r.mask);
}

bool GlobalHotKeysX11::HasDisplay() const {
    return m_impl->display != nullptr;
}

bool GlobalHotKeysX11::RegisterHotKey(int id, unsigned modifiers, unsigned virtualKey) {
    if (!HasDisplay()) return false;
    if ((modifiers & ~(kModAlt | kModControl | kModShift)) != 0) return false;
    const unsigned long keysym = KeysymForVirtualKey(virtualKey);
    if (keysym == 0) return false;
    const KeyCode keycode = XKeysymToKeycode(m_impl->display, keysym);
    if (keycode == 0) return false;

    unsigned mask = 0;
    if (modifiers & kModAlt) mask |= Mod1Mask;
    if (modifiers & kModControl) mask |= ControlMask;
    if (modifiers & kModShift) mask |= ShiftMask;

    // One id holds one key, and one key belongs to one id, as on Windows;
    // X would let this client grab the same key again without complaint.
    for (const Registration& r : m_impl->registrations) {
        if (r.id == id || (r.keycode == keycode && r.mask == mask)) return false;
    }
    if (!m_impl->Grab(keycode, mask)) return false;
    m_impl->registrations.push_back({id, keycode, mask});
    return true;
}

bool GlobalHotKeysX11::UnregisterHotKey(int id) {
    auto& registrations = m_impl->registrations;
    const auto found = std::find_if(registrations.begin(), registrations.end(),
                                    [id](const Registration& r) { return r.id == id; });
    if (found == registrations.end()) return false;
    m_impl->Ungrab(found->keycode, found->mask);
    registrations.erase(found);
    return true;
}

std::unique_ptr<GlobalHotKeys> CreateGlobalHotKeys(HotKeyHandler handler) {
    return std::make_unique<GlobalHotKeysX11>(std::move(handler));
}

}  // namespace vostra
