// Network adapter connection keys written into the test prefix's registry.
#pragma once

#include <string>
#include <vector>

// Writes "PnPInstanceId" under the connection key of adapters that have no
// key yet in HKEY_LOCAL_MACHINE, and deletes those adapter keys again on
// destruction.
class ConnectionKeys {
  public:
    ConnectionKeys() = default;
    ConnectionKeys(const ConnectionKeys&) = delete;
    ConnectionKeys& operator=(const ConnectionKeys&) = delete;
    ~ConnectionKeys();

    // True when the value was written; false also when the adapter's key
    // existed before.
    bool Set(const std::string& adapterName, const std::wstring& instanceId);

  private:
    std::vector<std::wstring> written_;
};
