#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "connection_keys.h"
#include "settings/mac_address.h"

namespace {

const char kFirst[] = "{7E1A0D11-5C3B-4F0A-9D2E-000000000001}";
const char kSecond[] = "{7E1A0D11-5C3B-4F0A-9D2E-000000000002}";
const wchar_t kPci[] = L"PCI\\VEN_8086&DEV_15B8&SUBSYS_86721043&REV_00\\3&11583659&0&FE";
const wchar_t kUsb[] = L"USB\\VID_0BDA&PID_8153\\000001";
const wchar_t kVirtual[] = L"ROOT\\NET\\0000";
const std::vector<BYTE> kMac1 = {0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E};
const std::vector<BYTE> kMac2 = {0xA4, 0xBB, 0x6D, 0x01, 0x02, 0x03};
const UINT kWireless = 71;

struct Adapter {
    std::string name;
    UINT type;
    std::vector<BYTE> address;
    const wchar_t* instanceId;  // nullptr: no connection key
};

struct SelectionCase {
    const char* label;
    std::vector<Adapter> adapters;  // in GetAdaptersInfo order
    std::wstring expected;
};

std::wstring SelectFrom(const std::vector<Adapter>& adapters) {
    ConnectionKeys keys;
    std::vector<IP_ADAPTER_INFO> list(adapters.size());
    for (size_t i = 0; i < adapters.size(); ++i) {
        IP_ADAPTER_INFO& info = list[i];
        info = IP_ADAPTER_INFO();
        adapters[i].name.copy(info.AdapterName, sizeof(info.AdapterName) - 1);
        info.Type = adapters[i].type;
        info.AddressLength = static_cast<UINT>(adapters[i].address.size());
        std::copy(adapters[i].address.begin(), adapters[i].address.end(), info.Address);
        info.Next = i + 1 < list.size() ? &list[i + 1] : nullptr;
        if (adapters[i].instanceId) {
            EXPECT_TRUE(keys.Set(adapters[i].name, adapters[i].instanceId));
        }
    }
    return SelectAdapterMac(list.empty() ? nullptr : list.data());
}

TEST(AdapterSelection, PicksThePhysicalWiredAdapterWhoseNameSortsFirst) {
    const SelectionCase cases[] = {
        {"wired adapter on PCI", {{kFirst, MIB_IF_TYPE_ETHERNET, kMac1, kPci}}, L"001A2B3C4D5E"},
        {"USB bus, lower case",
         {{kFirst, MIB_IF_TYPE_ETHERNET, kMac2, L"usb\\vid_0bda"}},
         L"A4BB6D010203"},
        {"first name wins over list order",
         {{kSecond, MIB_IF_TYPE_ETHERNET, kMac2, kPci},
          {kFirst, MIB_IF_TYPE_ETHERNET, kMac1, kUsb}},
         L"001A2B3C4D5E"},
        {"wireless type skipped",
         {{kFirst, kWireless, kMac1, kPci}, {kSecond, MIB_IF_TYPE_ETHERNET, kMac2, kPci}},
         L"A4BB6D010203"},
        {"virtual adapter skipped",
         {{kFirst, MIB_IF_TYPE_ETHERNET, kMac1, kVirtual},
          {kSecond, MIB_IF_TYPE_ETHERNET, kMac2, kPci}},
         L"A4BB6D010203"},
        {"adapter without connection key skipped",
         {{kFirst, MIB_IF_TYPE_ETHERNET, kMac1, nullptr},
          {kSecond, MIB_IF_TYPE_ETHERNET, kMac2, kUsb}},
         L"A4BB6D010203"},
        {"zero address skipped",
         {{kFirst, MIB_IF_TYPE_ETHERNET, {0, 0, 0, 0, 0, 0}, kPci},
          {kSecond, MIB_IF_TYPE_ETHERNET, kMac2, kPci}},
         L"A4BB6D010203"},
        {"zero first six bytes of a longer address skipped",
         {{kFirst, MIB_IF_TYPE_ETHERNET, {0, 0, 0, 0, 0, 0, 1, 2}, kPci}},
         L""},
        {"every byte of a longer address",
         {{kFirst, MIB_IF_TYPE_ETHERNET, {1, 2, 3, 4, 5, 6, 7, 8}, kPci}},
         L"0102030405060708"},
        {"bus text shorter than three characters",
         {{kFirst, MIB_IF_TYPE_ETHERNET, kMac1, L"PC"}},
         L""},
        {"none qualifies",
         {{kFirst, MIB_IF_TYPE_ETHERNET, kMac1, kVirtual}, {kSecond, kWireless, kMac2, kPci}},
         L""},
        {"empty list", {}, L""},
    };
    for (const SelectionCase& c : cases) EXPECT_EQ(SelectFrom(c.adapters), c.expected) << c.label;
}

}  // namespace
