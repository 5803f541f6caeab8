// The MAC address of the machine's physical wired network adapter.
#pragma once

#include <winsock2.h>
#include <windows.h>
#include <iphlpapi.h>

#include <string>

// Among the Ethernet adapters of a GetAdaptersInfo list that sit on a PCI or
// USB bus (by the "PnPInstanceId" of their connection key) and whose address
// is not all zero, the address of the one whose name sorts first, as
// upper-case hex digits without separators; empty when none qualifies.
std::wstring SelectAdapterMac(const IP_ADAPTER_INFO* adapters);

// SelectAdapterMac of this machine's adapters. Cached once non-empty.
std::wstring GetMacAddress();
