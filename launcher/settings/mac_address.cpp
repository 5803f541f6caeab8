#include "settings/mac_address.h"

#include <map>
#include <vector>

#include "settings/registry_key.h"
#include "settings/text_codec.h"

namespace {

const wchar_t kNetworkClassKey[] =
    L"SYSTEM\\CurrentControlSet\\Control\\Network\\{4D36E972-E325-11CE-BFC1-08002BE10318}\\";

std::wstring AddressText(const IP_ADAPTER_INFO& adapter) {
    std::wstring text;
    for (UINT i = 0; i < adapter.AddressLength && i < MAX_ADAPTER_ADDRESS_LENGTH; ++i)
        text += FormatWide(L"%02X", adapter.Address[i]);
    return text;
}

// True when the adapter's device instance sits on a PCI or USB bus; virtual
// adapters ("ROOT\...") and adapters without a readable key do not.
bool IsOnPhysicalBus(const std::string& adapterName) {
    RegistryKey registry;
    std::wstring instanceId;
    DWORD type = 0;
    const std::wstring key = kNetworkClassKey + AnsiToWide(adapterName) + L"\\Connection";
    if (registry.ReadString(key, L"PnPInstanceId", instanceId, type) != ERROR_SUCCESS) return false;
    return _wcsnicmp(instanceId.c_str(), L"PCI", 3) == 0 ||
           _wcsnicmp(instanceId.c_str(), L"USB", 3) == 0;
}

}  // namespace

std::wstring SelectAdapterMac(const IP_ADAPTER_INFO* adapters) {
    std::map<std::string, std::wstring> qualifying;
    for (const IP_ADAPTER_INFO* adapter = adapters; adapter; adapter = adapter->Next) {
        if (adapter->Type != MIB_IF_TYPE_ETHERNET) continue;
        const std::wstring mac = AddressText(*adapter);
        if (mac.empty() || mac.compare(0, 12, L"000000000000") == 0) continue;
        if (!IsOnPhysicalBus(adapter->AdapterName)) continue;
        qualifying[adapter->AdapterName] = mac;
    }
    return qualifying.empty() ? std::wstring() : qualifying.begin()->second;
}

std::wstring GetMacAddress() {
    static std::wstring cached;
    if (!cached.empty()) return cached;

    ULONG size = sizeof(IP_ADAPTER_INFO);
    std::vector<IP_ADAPTER_INFO> buffer(1);
    DWORD status = GetAdaptersInfo(buffer.data(), &size);
    if (status == ERROR_BUFFER_OVERFLOW) {
        buffer.resize(size / sizeof(IP_ADAPTER_INFO) + 1);
        status = GetAdaptersInfo(buffer.data(), &size);
    }
    if (status != ERROR_SUCCESS) return std::wstring();

    cached = SelectAdapterMac(buffer.data());
    return cached;
}
