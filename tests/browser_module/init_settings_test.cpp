#include <gtest/gtest.h>

#include "cef_init_settings.h"

namespace {

std::string Text(const cef_string_t& field) { return CefString(&field).ToString(); }

struct FolderCase {
    const char* cachePath;
    const char* userDataPath;
    bool used;
};

const FolderCase kFolderCases[] = {
    {"C:\\cache", "C:\\data", true},
    {"C:\\cache", "", false},
    {"", "C:\\data", false},
    {"", "", false},
};

}  // namespace

TEST(MakeCefSettings, SetsTheFixedValues) {
    const CefSettings settings = MakeCefSettings("", "", "payment/360pay");
    EXPECT_EQ(settings.no_sandbox, 1);
    EXPECT_EQ(settings.multi_threaded_message_loop, 1);
    EXPECT_EQ(settings.persist_session_cookies, 1);
    EXPECT_EQ(settings.log_severity, LOGSEVERITY_DISABLE);
    EXPECT_EQ(Text(settings.user_agent), "payment/360pay");
    EXPECT_EQ(Text(settings.locale), "zh-CN");
    EXPECT_EQ(Text(settings.accept_language_list), "zh-CN");
}

TEST(MakeCefSettings, UsesTheFoldersOnlyAsAPair) {
    for (const FolderCase& c : kFolderCases) {
        SCOPED_TRACE(std::string(c.cachePath) + " | " + c.userDataPath);
        const CefSettings settings = MakeCefSettings(c.cachePath, c.userDataPath, "ua");
        EXPECT_EQ(Text(settings.cache_path), c.used ? c.cachePath : "");
        EXPECT_EQ(Text(settings.user_data_path), c.used ? c.userDataPath : "");
    }
}

TEST(MakeCefSettings, KeepsUtf8FoldersIntact) {
    const std::string folder = "C:\\\xe7\x94\xa8\xe6\x88\xb7\\cache";
    const CefSettings settings = MakeCefSettings(folder, folder, "ua");
    EXPECT_EQ(CefString(&settings.cache_path).ToWString(), L"C:\\\u7528\u6237\\cache");
}
