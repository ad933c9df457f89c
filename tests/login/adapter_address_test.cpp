#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <string>

#include "platform/adapter_address.h"

namespace vostra {
namespace {

NetworkInterface Nic(unsigned index, std::vector<uint8_t> hardware, bool loopback = false) {
    NetworkInterface nic;
    nic.index = index;
    nic.name = "if" + std::to_string(index);
    nic.loopback = loopback;
    nic.hardware = std::move(hardware);
    return nic;
}

std::string Chosen(const std::vector<NetworkInterface>& list) {
    const auto address = ChooseAdapterAddress(list);
    return address ? FormatAdapterAddress(*address) : "(none)";
}

TEST(AdapterFormat, SixUpperCasePairsWithHyphens) {
    EXPECT_EQ(FormatAdapterAddress({0x00, 0x1a, 0x2b, 0x3c, 0x4d, 0x5e}), "00-1A-2B-3C-4D-5E");
    EXPECT_EQ(FormatAdapterAddress({0xff, 0xfe, 0x0a, 0x01, 0x00, 0xb0}), "FF-FE-0A-01-00-B0");
}

TEST(AdapterChoice, LowestInterfaceIndexWinsWhateverTheListOrder) {
    const std::vector<NetworkInterface> list = {
        Nic(7, {0x02, 0, 0, 0, 0, 0x07}),
        Nic(3, {0x02, 0, 0, 0, 0, 0x03}),
        Nic(5, {0x02, 0, 0, 0, 0, 0x05}),
    };
    EXPECT_EQ(Chosen(list), "02-00-00-00-00-03");
}

TEST(AdapterChoice, LoopbackIsSkippedEvenWithAnAddress) {
    const std::vector<NetworkInterface> list = {
        Nic(1, {0x00, 0x11, 0x22, 0x33, 0x44, 0x55}, /*loopback=*/true),
        Nic(2, {0x52, 0x54, 0x00, 0x12, 0x34, 0x56}),
    };
    EXPECT_EQ(Chosen(list), "52-54-00-12-34-56");
}

TEST(AdapterChoice, AllZeroAndOtherLengthsAreNoHardwareAddress) {
    const std::vector<NetworkInterface> list = {
        Nic(1, {0, 0, 0, 0, 0, 0}, true),   // lo
        Nic(2, {}),                          // tun: no link-layer address
        Nic(3, {0, 0, 0, 0, 0, 0}),          // dummy with a cleared address
        Nic(4, {10, 0, 0, 1}),               // ipip: an IPv4 address, not hardware
        Nic(5, std::vector<uint8_t>(20, 0x80)),  // InfiniBand, 20 bytes
        Nic(9, {0x00, 0x00, 0x00, 0x00, 0x00, 0x01}),
    };
    EXPECT_EQ(Chosen(list), "00-00-00-00-00-01");
}

TEST(AdapterChoice, NothingUsableGivesNoAddress) {
    EXPECT_FALSE(ChooseAdapterAddress({}).has_value());
    EXPECT_FALSE(ChooseAdapterAddress({Nic(1, {0, 0, 0, 0, 0, 0}, true), Nic(2, {})}).has_value());
}

TEST(AdapterChoice, EqualIndexesKeepTheListOrder) {
    const std::vector<NetworkInterface> list = {
        Nic(4, {0x0a, 1, 1, 1, 1, 1}),
        Nic(4, {0x0b, 2, 2, 2, 2, 2}),
    };
    EXPECT_EQ(Chosen(list), "0A-01-01-01-01-01");
}

// "aa:bb:..." as the kernel shows it under /sys/class/net.
std::string SysfsForm(const std::vector<uint8_t>& bytes) {
    std::string text;
    char pair[4];
    for (size_t i = 0; i < bytes.size(); ++i) {
        snprintf(pair, sizeof pair, i ? ":%02x" : "%02x", bytes[i]);
        text += pair;
    }
    return text;
}

std::string ReadFirstLine(const std::string& path) {
    std::ifstream in(path);
    std::string line;
    std::getline(in, line);
    return line;
}

// This machine's interfaces: whatever they are, the address has the fixed
// form or is empty, agrees with the choice over the listed interfaces, and
// the list agrees with what the kernel shows under /sys/class/net (where
// that is readable). A machine with only the loopback gives "".
TEST(AdapterOnThisMachine, AddressHasTheFixedFormAndMatchesTheList) {
    const std::string mac = GetMacAddress();
    EXPECT_TRUE(mac.empty() || std::regex_match(mac, std::regex("([0-9A-F]{2}-){5}[0-9A-F]{2}")))
        << mac;

    const auto list = ListNetworkInterfaces();
    const auto chosen = ChooseAdapterAddress(list);
    EXPECT_EQ(mac, chosen ? FormatAdapterAddress(*chosen) : "");
    bool any_usable = false;
    for (const auto& nic : list) {
        SCOPED_TRACE(nic.name);
        EXPECT_GT(nic.index, 0u);
        if (nic.name == "lo") {
            EXPECT_TRUE(nic.loopback);
        }
        const std::string sys = "/sys/class/net/" + nic.name;
        if (const std::string index = ReadFirstLine(sys + "/ifindex"); !index.empty()) {
            EXPECT_EQ(std::to_string(nic.index), index);
        }
        if (const std::string address = ReadFirstLine(sys + "/address");
            !address.empty() && !nic.hardware.empty()) {
            EXPECT_EQ(SysfsForm(nic.hardware), address);
        }
        if (!nic.loopback && nic.hardware.size() == 6 &&
            SysfsForm(nic.hardware) != "00:00:00:00:00:00") {
            any_usable = true;
        }
    }
    EXPECT_EQ(any_usable, !mac.empty());
    std::printf("adapter address on this machine: \"%s\" (%zu interfaces)\n", mac.c_str(),
                list.size());
}

}  // namespace
}  // namespace vostra
