#include "settings/machine_id.h"

#include "settings/cpu_signature.h"
#include "settings/crypto.h"
#include "settings/mac_address.h"
#include "settings/system_uuid.h"
#include "settings/text_codec.h"

std::wstring ComposeIdentityText(const std::wstring& uuid, const std::wstring& mac,
                                 const std::wstring& cpu) {
    const std::wstring text = uuid + L"&" + mac + L"&" + cpu;
    for (const wchar_t* placeholder : {L"O.E.M", L"System", L"None"}) {
        if (text.find(placeholder) != std::wstring::npos) return mac;
    }
    return text;
}

std::wstring HashIdentityText(const std::wstring& identityText) {
    if (identityText.empty()) return L"error";
    return AnsiToWide(Md5Hex(WideToAnsi(identityText)));
}

std::wstring GetMachineId() {
    static std::wstring cached;
    if (!cached.empty()) return cached;
    const std::wstring id =
        HashIdentityText(ComposeIdentityText(GetSystemUuid(), GetMacAddress(), GetCpuSignature()));
    if (id != L"error") cached = id;
    return id;
}
