#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "connection_keys.h"
#include "settings/mac_address.h"

namespace {

struct RealAdapter {
    std::string name;
    std::wstring mac;
};

// The machine's Ethernet adapters with a non-zero address, sorted by name.
std::vector<RealAdapter> WiredAdapters() {
    ULONG size = 0;
    GetAdaptersInfo(nullptr, &size);
    std::vector<IP_ADAPTER_INFO> buffer(size / sizeof(IP_ADAPTER_INFO) + 1);
    size = static_cast<ULONG>(buffer.size() * sizeof(IP_ADAPTER_INFO));
    std::vector<RealAdapter> adapters;
    if (GetAdaptersInfo(buffer.data(), &size) != ERROR_SUCCESS) return adapters;
    for (const IP_ADAPTER_INFO* a = buffer.data(); a; a = a->Next) {
        if (a->Type != MIB_IF_TYPE_ETHERNET) continue;
        std::wstring mac;
        for (UINT i = 0; i < a->AddressLength; ++i) {
            wchar_t digits[3];
            swprintf(digits, 3, L"%02X", a->Address[i]);
            mac += digits;
        }
        if (mac.find_first_not_of(L'0') < 12) adapters.push_back({a->AdapterName, mac});
    }
    std::sort(adapters.begin(), adapters.end(),
              [](const RealAdapter& a, const RealAdapter& b) { return a.name < b.name; });
    return adapters;
}

// Runs in one process on purpose: the answer is cached once non-empty.
TEST(MacAddress, ReadsTheMachinesAdaptersAndCachesTheFirstAnswer) {
    const std::vector<RealAdapter> adapters = WiredAdapters();
    if (adapters.empty()) GTEST_SKIP() << "this machine has no wired adapter";

    {
        ConnectionKeys keys;
        for (const RealAdapter& a : adapters) {
            if (!keys.Set(a.name, L"ROOT\\NET\\0000")) GTEST_SKIP() << "adapter keys exist already";
        }
        EXPECT_EQ(GetMacAddress(), L"") << "virtual adapters only";
    }
    {
        // Only the adapter whose name sorts last sits on a bus.
        ConnectionKeys keys;
        for (const RealAdapter& a : adapters)
            ASSERT_TRUE(keys.Set(a.name, &a == &adapters.back() ? L"PCI\\VEN_10EC" : L"ROOT\\NET"));
        EXPECT_EQ(GetMacAddress(), adapters.back().mac);
    }
    {
        ConnectionKeys keys;
        for (const RealAdapter& a : adapters) ASSERT_TRUE(keys.Set(a.name, L"PCI\\VEN_10EC"));
        EXPECT_EQ(GetMacAddress(), adapters.back().mac) << "the first answer is kept";
    }
}

}  // namespace
