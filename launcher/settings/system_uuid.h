// The system board's UUID as WMI reports it.
#pragma once

#include <string>

// "UUID" of WMI class Win32_ComputerSystemProduct, or empty when WMI does not
// answer. Initialises and uninitialises COM on the calling thread.
std::wstring GetSystemUuid();
