// Windows virtual-key codes -> X keysyms: the one table through which the
// hot keys, named and stored as Windows key codes, find their X keys.
// Portable: the keysyms are plain numbers, no X11 header is needed.
#pragma once

#include <span>

namespace vostra {

struct VirtualKeyKeysym {
    unsigned virtualKey;
    unsigned long keysym;
};

// Every key code the hot-key names can give, each once.
std::span<const VirtualKeyKeysym> VirtualKeyKeysymTable();

// The keysym of a virtual-key code; 0 (X's NoSymbol) for a code outside
// the table.
unsigned long KeysymForVirtualKey(unsigned virtualKey);

}  // namespace vostra
