#include "test_settings.h"

#include <windows.h>

const char kTestUserAgent[] = "cef-standin-test/1.0";
const char kTestAcceptLanguage[] = "zh-CN,en;q=0.5";

CefSettings TestSettings(const std::string& profile) {
    CefSettings settings;
    settings.no_sandbox = 1;
    settings.multi_threaded_message_loop = 1;
    settings.log_severity = LOGSEVERITY_DISABLE;
    CefString(&settings.user_agent) = kTestUserAgent;
    CefString(&settings.locale) = "zh-CN";
    CefString(&settings.accept_language_list) = kTestAcceptLanguage;
    CefString(&settings.user_data_path) = profile;
    CefString(&settings.cache_path) = profile + "\\cache";
    return settings;
}

std::string TemporaryProfile() {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    return std::string(temp) + "cef_standin_test_" + std::to_string(GetCurrentProcessId());
}
