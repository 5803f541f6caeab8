#include <gtest/gtest.h>

#include <string>

#include "settings/machine_id.h"
#include "settings/cpu_signature.h"
#include "settings/mac_address.h"
#include "settings/system_uuid.h"

namespace {

const std::wstring kZeros(32, L'0');

struct CompositionCase {
    const char* label;
    std::wstring uuid;
    std::wstring mac;
    std::wstring cpu;
    std::wstring expected;
};

TEST(IdentityText, ComposesOrFallsBackToMac) {
    const std::wstring uuid = L"4C4C4544-0042-3510-8052-B4C04F4E3732";
    const std::wstring mac = L"A0B1C2D3E4F5";
    const std::wstring cpu = L"BFEBFBFF000906EA";
    const CompositionCase cases[] = {
        {"all three sources", uuid, mac, cpu, uuid + L"&" + mac + L"&" + cpu},
        {"firmware O.E.M text", L"To Be Filled By O.E.M.", mac, cpu, mac},
        {"System anywhere", uuid, mac, L"System", mac},
        {"None anywhere", L"None", mac, cpu, mac},
        {"words are case-sensitive", L"system none", mac, cpu, L"system none&" + mac + L"&" + cpu},
        {"OEM without dots", L"OEM", mac, cpu, L"OEM&" + mac + L"&" + cpu},
        {"placeholder and no adapter", L"None", L"", cpu, L""},
        {"no WMI answer", L"", mac, cpu, L"&" + mac + L"&" + cpu},
        {"all sources empty", L"", L"", L"", L"&&"},
    };
    for (const CompositionCase& c : cases) {
        EXPECT_EQ(ComposeIdentityText(c.uuid, c.mac, c.cpu), c.expected) << c.label;
    }
}

TEST(IdentityText, HashesToThe64CharacterForm) {
    const std::pair<std::wstring, std::wstring> cases[] = {
        {L"abc", L"900150983CD24FB0D6963F7D28E17F72" + kZeros},
        {L"&&", L"D3E6C58433B57B7AEAA0F363C50C1665" + kZeros},
        // Hashed in the ANSI code page (936 here): the GBK bytes D6 D0.
        {L"\u4E2D", L"5301DA37E5FFCA1823A5CEF67488D4BF" + kZeros},
        {L"", L"error"},
    };
    for (const auto& c : cases) EXPECT_EQ(HashIdentityText(c.first), c.second);
}

TEST(MachineId, HashesTheMachinesSourcesAndKeepsTheResult) {
    const std::wstring expected =
        HashIdentityText(ComposeIdentityText(GetSystemUuid(), GetMacAddress(), GetCpuSignature()));
    const std::wstring first = GetMachineId();
    EXPECT_EQ(first, expected);
    ASSERT_EQ(first.size(), 64u);
    EXPECT_EQ(first.substr(32), kZeros);
    EXPECT_EQ(first.find_first_not_of(L"0123456789ABCDEF"), std::wstring::npos);
    EXPECT_EQ(GetMachineId(), first);
}

}  // namespace
