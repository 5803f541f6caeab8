#include <gtest/gtest.h>

#include <string>

#include "settings/cpu_signature.h"

namespace {

CpuidRegisters Leaf(uint32_t eax, uint32_t ebx, uint32_t ecx, uint32_t edx) {
    CpuidRegisters r;
    r.eax = eax;
    r.ebx = ebx;
    r.ecx = ecx;
    r.edx = edx;
    return r;
}

TEST(CpuSignature, OrdersGroupsAndDropsZeroWords) {
    struct Case {
        const char* label;
        CpuidRegisters leaf1;
        CpuidRegisters leaf3;
        std::string expected;
    };
    const Case cases[] = {
        {"all four words", Leaf(0x000906EA, 0, 0, 0xBFEBFBFF), Leaf(0, 0, 0x12345678, 0x0000ABCD),
         "BFEBFBFF000906EA0000ABCD12345678"},
        {"leaf 3 reserved", Leaf(0x000906EA, 0, 0, 0xBFEBFBFF), Leaf(0, 0, 0, 0),
         "BFEBFBFF000906EA"},
        {"leaf 1 EDX zero", Leaf(0x000906EA, 0, 0, 0), Leaf(0, 0, 0, 0), "000906EA"},
        {"other registers ignored", Leaf(1, 0xFFFFFFFF, 0xFFFFFFFF, 0),
         Leaf(0xFFFFFFFF, 0xFFFFFFFF, 0, 0), "00000001"},
        {"upper-case digits", Leaf(0xabcdef01, 0, 0, 0), Leaf(0, 0, 0xfedcba98, 0),
         "ABCDEF01FEDCBA98"},
        {"all zero", Leaf(0, 0, 0, 0), Leaf(0, 0, 0, 0), ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatCpuSignature(c.leaf1, c.leaf3), c.expected) << c.label;
}

TEST(CpuSignature, ThisProcessorGivesStableHexGroups) {
    const std::wstring signature = GetCpuSignature();
    // Leaf 1 EAX (family, model, stepping) is never zero on an x86 processor.
    ASSERT_FALSE(signature.empty());
    EXPECT_EQ(signature.size() % 8, 0u);
    EXPECT_LE(signature.size(), 32u);
    EXPECT_EQ(signature.find_first_not_of(L"0123456789ABCDEF"), std::wstring::npos);
    EXPECT_EQ(GetCpuSignature(), signature);
}

}  // namespace
