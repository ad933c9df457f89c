#include "platform/adapter_address.h"

#include <ifaddrs.h>
#include <linux/if_packet.h>
#include <net/if.h>
#include <net/if_arp.h>
#include <sys/socket.h>

#include <algorithm>
#include <cstdio>

namespace vostra {
namespace {

bool IsUsableAdapter(const NetworkInterface& nic) {
    if (nic.loopback || nic.hardware.size() != HardwareAddress{}.size()) return false;
    return std::any_of(nic.hardware.begin(), nic.hardware.end(), [](uint8_t b) { return b != 0; });
}

}  // namespace

std::vector<NetworkInterface> ListNetworkInterfaces() {
    std::vector<NetworkInterface> list;
    ifaddrs* head = nullptr;
    if (getifaddrs(&head) != 0) return list;
    // Every interface has one AF_PACKET entry, which carries its index and
    // its link-layer address.
    for (const ifaddrs* it = head; it != nullptr; it = it->ifa_next) {
        if (it->ifa_addr == nullptr || it->ifa_addr->sa_family != AF_PACKET) continue;
        const auto* link = reinterpret_cast<const sockaddr_ll*>(it->ifa_addr);
        NetworkInterface nic;
        nic.index = static_cast<unsigned>(link->sll_ifindex);
        nic.name = it->ifa_name ? it->ifa_name : "";
        nic.loopback = (it->ifa_flags & IFF_LOOPBACK) != 0 || link->sll_hatype == ARPHRD_LOOPBACK;
        const size_t length = std::min<size_t>(link->sll_halen, sizeof link->sll_addr);
        nic.hardware.assign(link->sll_addr, link->sll_addr + length);
        list.push_back(std::move(nic));
    }
    freeifaddrs(head);
    return list;
}

std::optional<HardwareAddress> ChooseAdapterAddress(const std::vector<NetworkInterface>& list) {
    const NetworkInterface* best = nullptr;
    for (const auto& nic : list) {
        if (!IsUsableAdapter(nic)) continue;
        if (best == nullptr || nic.index < best->index) best = &nic;
    }
    if (best == nullptr) return std::nullopt;
    HardwareAddress address{};
    std::copy(best->hardware.begin(), best->hardware.end(), address.begin());
    return address;
}

std::string FormatAdapterAddress(const HardwareAddress& a) {
    char text[18];
    snprintf(text, sizeof text, "%02X-%02X-%02X-%02X-%02X-%02X", a[0], a[1], a[2], a[3], a[4],
             a[5]);
    return text;
}

std::string GetMacAddress() {
    const auto address = ChooseAdapterAddress(ListNetworkInterfaces());
    return address ? FormatAdapterAddress(*address) : std::string();
}

}  // namespace vostra
