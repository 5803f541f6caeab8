#include "skin/skin_package.h"

#include "skin/zip_archive.h"

#include <map>

namespace skin {
namespace {

HINSTANCE g_instance = nullptr;

// Open packages by name; the launcher opens exactly one, "membuffer".
std::map<std::wstring, ZipArchive>& Packages() {
    static std::map<std::wstring, ZipArchive> packages;
    return packages;
}

constexpr wchar_t kPackageName[] = L"membuffer";

std::string NarrowName(const std::wstring& name) {
    int length = WideCharToMultiByte(CP_UTF8, 0, name.c_str(), static_cast<int>(name.size()),
                                     nullptr, 0, nullptr, nullptr);
    std::string narrow(length, '\0');
    WideCharToMultiByte(CP_UTF8, 0, name.c_str(), static_cast<int>(name.size()), narrow.data(),
                        length, nullptr, nullptr);
    return narrow;
}

}  // namespace

void SetResourceInstance(HINSTANCE instance) { g_instance = instance; }

HINSTANCE GetResourceInstance() { return g_instance ? g_instance : GetModuleHandleW(nullptr); }

bool OpenPackage(UINT resourceId) {
    if (Packages().count(kPackageName)) return true;
    HINSTANCE module = GetResourceInstance();
    HRSRC resource = FindResourceW(module, MAKEINTRESOURCEW(resourceId), L"ZIPRES");
    if (!resource) return false;
    HGLOBAL loaded = LoadResource(module, resource);
    if (!loaded) return false;
    DWORD size = SizeofResource(module, resource);
    const void* data = LockResource(loaded);
    if (size == 0 || !data) return false;
    ZipArchive archive;
    if (!archive.Open(data, size)) return false;
    Packages().emplace(kPackageName, archive);
    return true;
}

bool ReadPackageFile(const std::wstring& name, std::string& contents) {
    auto package = Packages().find(kPackageName);
    return package != Packages().end() && package->second.Read(NarrowName(name), contents);
}

}  // namespace skin
