#include "standin_settings.h"

#include <windows.h>

#include <cwchar>

namespace {

// Reads an environment variable; false when it is not set.
bool ReadVariable(const wchar_t* name, std::wstring& value) {
    DWORD needed = GetEnvironmentVariableW(name, nullptr, 0);
    if (needed == 0) return false;
    value.resize(needed);
    DWORD written = GetEnvironmentVariableW(name, value.data(), needed);
    if (written >= needed) return false;
    value.resize(written);
    return true;
}

}  // namespace

StandinSettings ReadStandinSettings() {
    StandinSettings settings;
    std::wstring value;
    if (ReadVariable(L"LYSDK_STANDIN_INIT_RESULT", value)) {
        settings.initResult = static_cast<int>(std::wcstol(value.c_str(), nullptr, 10));
    }
    if (ReadVariable(L"LYSDK_STANDIN_RESULT_TEXT", value)) settings.resultText = value;
    if (ReadVariable(L"LYSDK_STANDIN_DELAY_MS", value)) {
        settings.delayMs = static_cast<unsigned>(std::wcstoul(value.c_str(), nullptr, 10));
    }
    if (ReadVariable(L"LYSDK_STANDIN_CALLBACK_THREAD", value)) {
        settings.callbackOnOwnThread = value != L"caller";
    }
    if (ReadVariable(L"LYSDK_STANDIN_RECORD_FILE", value)) settings.recordFile = value;
    return settings;
}
