#include "settings/cpu_signature.h"

#include <intrin.h>

#include "settings/text_codec.h"

namespace {

CpuidRegisters ReadCpuid(int leaf) {
    int registers[4] = {};
    __cpuid(registers, leaf);
    CpuidRegisters result;
    result.eax = static_cast<uint32_t>(registers[0]);
    result.ebx = static_cast<uint32_t>(registers[1]);
    result.ecx = static_cast<uint32_t>(registers[2]);
    result.edx = static_cast<uint32_t>(registers[3]);
    return result;
}

void AppendNonZero(std::string& text, uint32_t word) {
    if (word != 0) text += FormatNarrow("%08X", static_cast<unsigned>(word));
}

}  // namespace

std::string FormatCpuSignature(const CpuidRegisters& leaf1, const CpuidRegisters& leaf3) {
    std::string text;
    AppendNonZero(text, leaf1.edx);
    AppendNonZero(text, leaf1.eax);
    AppendNonZero(text, leaf3.edx);
    AppendNonZero(text, leaf3.ecx);
    return text;
}

std::wstring GetCpuSignature() {
    return AnsiToWide(FormatCpuSignature(ReadCpuid(1), ReadCpuid(3)));
}
