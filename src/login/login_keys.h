// What the login windows do with a key press. The popup lets the keys that
// work inside the page reach it and swallows the ones that would act on
// the dialog; the login window itself ignores Enter and Esc.
#pragma once

#include <cstdint>

namespace vostra {

enum class LoginKeyAction {
    kToPage,        // goes on to the page (Enter submits, Tab moves, Ctrl+A/C/V/X edit)
    kSwallow,       // nothing happens: Space and Esc in the popup, Enter and Esc on the login window
    kExitQuestion,  // Alt+F4, for a desktop without a window manager to send the close request
    kDefault,       // the toolkit's usual handling
};

struct LoginKey {
    uint32_t keyval = 0;  // X keysym (GDK keyval)
    bool control = false;
    bool alt = false;
};

LoginKeyAction ClassifyPopupKey(const LoginKey& key);
LoginKeyAction ClassifyLoginWindowKey(const LoginKey& key);

}  // namespace vostra
