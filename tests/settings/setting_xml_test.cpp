#include "settings/setting_xml.h"

#include <gtest/gtest.h>

namespace {

const std::string kFixtures = HLVN_SETTINGS_FIXTURES;
const std::string kLogin = "https://127.0.0.1/login?x=1";
const std::string kBlock = "game.example/pay";

struct SettingCase {
    const char* file;
    std::string loginUrl;
    std::string blockUrl;
};

TEST(ReadSettingXml, Cases) {
    const SettingCase cases[] = {
        {"setting_upper.xml", kLogin, kBlock},
        {"setting_lower.xml", kLogin, kBlock},
        {"setting_block_first.xml", kLogin, ""},
        {"setting_no_login.xml", "", ""},
        {"setting_empty_login.xml", "", kBlock},
        {"setting_nested_block.xml", kLogin, ""},
        {"setting_bad_cipher.xml", "", ""},
        {"setting_broken.xml", "", ""},
        {"missing.xml", "", ""},
    };
    for (const auto& c : cases) {
        const SettingXml setting = ReadSettingXml(kFixtures + "/" + c.file);
        EXPECT_EQ(setting.loginUrl, c.loginUrl) << c.file;
        EXPECT_EQ(setting.blockUrl, c.blockUrl) << c.file;
    }
}

}  // namespace
