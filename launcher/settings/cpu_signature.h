// The processor's CPUID signature.
#pragma once

#include <cstdint>
#include <string>

// Registers of one CPUID leaf.
struct CpuidRegisters {
    uint32_t eax = 0;
    uint32_t ebx = 0;
    uint32_t ecx = 0;
    uint32_t edx = 0;
};

// EDX and EAX of leaf 1, then EDX and ECX of leaf 3, each as "%08X" and left
// out when zero.
std::string FormatCpuSignature(const CpuidRegisters& leaf1, const CpuidRegisters& leaf3);

// FormatCpuSignature of this processor's leaves 1 and 3, widened.
std::wstring GetCpuSignature();
