#include "cef_init_settings.h"

CefSettings MakeCefSettings(const std::string& cachePath, const std::string& userDataPath,
                            const std::string& userAgent) {
    CefSettings settings;
    settings.no_sandbox = 1;
    settings.multi_threaded_message_loop = 1;
    settings.persist_session_cookies = 1;
    settings.log_severity = LOGSEVERITY_DISABLE;
    if (!cachePath.empty() && !userDataPath.empty()) {
        CefString(&settings.cache_path).FromString(cachePath);
        CefString(&settings.user_data_path).FromString(userDataPath);
    }
    CefString(&settings.user_agent).FromString(userAgent);
    CefString(&settings.locale).FromString("zh-CN");
    CefString(&settings.accept_language_list).FromString("zh-CN");
    return settings;
}
