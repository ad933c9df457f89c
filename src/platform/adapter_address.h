// The machine's network adapter address, which the login page receives as
// the player's machine identity. On Linux the adapter is the first network
// interface, in interface-index order, that is not the loopback and has a
// six-byte hardware address that is not all zeros. Its text form is six
// upper-case hexadecimal pairs joined by hyphens ("00-1A-2B-3C-4D-5E");
// without such an interface the text is empty.
//
// Reading the interfaces (getifaddrs) is kept apart from choosing among
// them, so the choice can be checked on hand-made interface lists.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vostra {

using HardwareAddress = std::array<uint8_t, 6>;

// One interface as the system lists it.
struct NetworkInterface {
    unsigned index = 0;              // the kernel's interface index
    std::string name;                // "eth0", "wlp2s0", ...
    bool loopback = false;           // IFF_LOOPBACK or a loopback link type
    std::vector<uint8_t> hardware;   // link-layer address as given (any length)
};

// The interfaces that have a link-layer entry, in the order the system
// returns them. Empty when they cannot be read.
std::vector<NetworkInterface> ListNetworkInterfaces();

// The address of the adapter that identifies the machine: the lowest
// interface index among the interfaces that are not loopback and whose
// hardware address is exactly six bytes and not all zeros. Interfaces that
// are down count too, so the identity does not change when a cable is
// pulled or the wireless is switched off. Hardware addresses of another
// length (tunnels, InfiniBand) are skipped: they do not fit the six-pair
// text form. Equal indexes keep the order of the list.
std::optional<HardwareAddress> ChooseAdapterAddress(const std::vector<NetworkInterface>& list);

// "%02X-%02X-%02X-%02X-%02X-%02X" of the six bytes.
std::string FormatAdapterAddress(const HardwareAddress& address);

// The chosen adapter's address as text; "" when there is none.
std::string GetMacAddress();

}  // namespace vostra
