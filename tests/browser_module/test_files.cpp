#include "test_files.h"

#include <windows.h>

#include <filesystem>
#include <fstream>

std::wstring TestVesk2Path() { return WEBHULL_TEST_VESK2; }

std::wstring ExecutableFolder() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return std::filesystem::path(path).parent_path().wstring();
}

bool WriteTestFile(const std::wstring& path, const std::string& contents) {
    std::ofstream file(std::filesystem::path(path), std::ios::binary);
    file << contents;
    return static_cast<bool>(file);
}

ScratchFolder::ScratchFolder() {
    static int made = 0;
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    folder = std::wstring(temp) + L"webhull-test-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
             std::to_wstring(++made);
    std::filesystem::create_directories(folder);
}

ScratchFolder::~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
}

CurrentDirectoryScope::CurrentDirectoryScope(const std::wstring& folder)
    : previous(std::filesystem::current_path().wstring()) {
    SetCurrentDirectoryW(folder.c_str());
}

CurrentDirectoryScope::~CurrentDirectoryScope() { SetCurrentDirectoryW(previous.c_str()); }
