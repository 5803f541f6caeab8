#include "settings/system_uuid.h"

#include <objbase.h>
#include <wbemidl.h>
#include <windows.h>

namespace {

// Releases a COM interface pointer when it goes out of scope.
template <typename T>
class ComRef {
  public:
    ComRef() = default;
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;
    ~ComRef() { Reset(); }

    T* operator->() const { return ptr_; }
    T* Get() const { return ptr_; }
    T** Receive() {
        Reset();
        return &ptr_;
    }
    void Reset() {
        if (ptr_) ptr_->Release();
        ptr_ = nullptr;
    }

  private:
    T* ptr_ = nullptr;
};

// Balances a CoInitialize that succeeded; a thread already in another
// apartment keeps its COM state untouched.
class ComScope {
  public:
    ComScope() : initialised_(SUCCEEDED(CoInitialize(nullptr))) {}
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;
    ~ComScope() {
        if (initialised_) CoUninitialize();
    }

  private:
    bool initialised_;
};

std::wstring QueryProductUuid() {
    HRESULT hr = CoInitializeSecurity(nullptr, -1, nullptr, nullptr, RPC_C_AUTHN_LEVEL_DEFAULT,
                                      RPC_C_IMP_LEVEL_IMPERSONATE, nullptr, EOAC_NONE, nullptr);
    if (FAILED(hr) && hr != RPC_E_TOO_LATE) return std::wstring();

    ComRef<IWbemLocator> locator;
    if (FAILED(CoCreateInstance(CLSID_WbemLocator, nullptr, CLSCTX_INPROC_SERVER, IID_IWbemLocator,
                                reinterpret_cast<void**>(locator.Receive()))))
        return std::wstring();

    ComRef<IWbemServices> services;
    BSTR ns = SysAllocString(L"ROOT\\CIMV2");
    hr = locator->ConnectServer(ns, nullptr, nullptr, nullptr, 0, nullptr, nullptr,
                                services.Receive());
    SysFreeString(ns);
    if (FAILED(hr)) return std::wstring();

    if (FAILED(CoSetProxyBlanket(services.Get(), RPC_C_AUTHN_WINNT, RPC_C_AUTHZ_NONE, nullptr,
                                 RPC_C_AUTHN_LEVEL_CALL, RPC_C_IMP_LEVEL_IMPERSONATE, nullptr,
                                 EOAC_NONE)))
        return std::wstring();

    ComRef<IEnumWbemClassObject> rows;
    BSTR language = SysAllocString(L"WQL");
    BSTR query = SysAllocString(L"SELECT * FROM Win32_ComputerSystemProduct");
    hr = services->ExecQuery(language, query, WBEM_FLAG_FORWARD_ONLY | WBEM_FLAG_RETURN_IMMEDIATELY,
                             nullptr, rows.Receive());
    SysFreeString(query);
    SysFreeString(language);
    if (FAILED(hr)) return std::wstring();

    std::wstring uuid;
    for (;;) {
        ComRef<IWbemClassObject> row;
        ULONG returned = 0;
        hr = rows->Next(WBEM_INFINITE, 1, row.Receive(), &returned);
        if (FAILED(hr)) return std::wstring();
        if (returned == 0) break;
        VARIANT value;
        VariantInit(&value);
        hr = row->Get(L"UUID", 0, &value, nullptr, nullptr);
        uuid = SUCCEEDED(hr) && value.vt == VT_BSTR && value.bstrVal ? value.bstrVal : L"";
        VariantClear(&value);
    }
    return uuid;
}

}  // namespace

std::wstring GetSystemUuid() {
    ComScope com;
    return QueryProductUuid();
}
