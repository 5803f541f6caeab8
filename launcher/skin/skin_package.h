#pragma once

#include <windows.h>

#include <string>

namespace skin {

// The module whose resources hold the skin package and the icons.
void SetResourceInstance(HINSTANCE instance);
HINSTANCE GetResourceInstance();

// Opens the package in resource "ZIPRES" resourceId of the resource module, once
// per process: the first success is kept under the name "membuffer" and reused.
// False when the resource is missing, cannot be loaded, is empty or is no ZIP.
bool OpenPackage(UINT resourceId);

// Reads a file of the open package; false when no package is open or the file
// is missing or damaged.
bool ReadPackageFile(const std::wstring& name, std::string& contents);

}  // namespace skin
