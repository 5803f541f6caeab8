#include "settings/ini_file.h"

#include <gtest/gtest.h>

namespace {

const std::string kFixtures = HLVN_SETTINGS_FIXTURES;

struct IniCase {
    const char* file;
    const char* section;
    const char* key;
    const char* expected;
};

TEST(IniFile, LineRules) {
    const IniCase cases[] = {
        {"config_values.ini", "vesk2", "uid", "12 34"},
        {"config_values.ini", "vesk2", "filename", "a&b"},
        {"config_values.ini", "vesk2", "token", "x"},
        {"config_crlf.ini", "vesk2", "uid", "value"},
        {"config_crlf.ini", "vesk2", "filename", "f n"},
        {"config_blank_brackets.ini", " vesk2 ", "uid", "1"},
        {"config_blank_brackets.ini", "vesk2", "uid", "<default>"},
        // The bracket test comes first: "token=ab[1]" starts section "1".
        {"config_bracket_value.ini", "vesk2", "uid", "u"},
        {"config_bracket_value.ini", "vesk2", "token", "<default>"},
        {"config_bracket_value.ini", "1", "filename", "f"},
        {"config_rules.ini", "", "early", "before any header"},
        {"config_rules.ini", "", "# comment line", "<default>"},
        {"config_rules.ini", "vesk2", "uid", "last"},
        {"config_rules.ini", "vesk2", "filename", "=x=y"},
        {"config_rules.ini", "vesk2", "", "<default>"},
        {"config_rules.ini", "vesk2", "no equals here", "<default>"},
        {"config_rules.ini", "vesk2", "stray", "ab"},
        // A repeated header continues its section.
        {"config_rules.ini", "vesk2", "token", "merged"},
        {"config_rules.ini", "Other", "uid", "other"},
        {"config_rules.ini", "Other", "UID", "upper"},
        {"config_rules.ini", "other", "uid", "<default>"},
        // Brackets are looked for in the whole line, comment included.
        {"config_rules.ini", "vesk2", "tail", "<default>"},
        {"config_rules.ini", "commented", "after", "2"},
        {"config_empty.ini", "vesk2", "uid", "<default>"},
    };
    for (const auto& c : cases) {
        IniFile ini;
        ASSERT_TRUE(ini.Load(kFixtures + "/" + c.file)) << c.file;
        EXPECT_EQ(ini.GetValue(c.section, c.key, "<default>"), c.expected)
            << c.file << " [" << c.section << "] " << c.key;
    }
}

TEST(IniFile, LoadReplacesContentsAndFailsOnMissingFile) {
    IniFile ini;
    ASSERT_TRUE(ini.Load(kFixtures + "/config_values.ini"));
    ASSERT_TRUE(ini.Load(kFixtures + "/config_bracket_value.ini"));
    EXPECT_EQ(ini.GetValue("vesk2", "filename", "<default>"), "<default>");
    EXPECT_FALSE(ini.Load(kFixtures + "/missing.ini"));
    EXPECT_EQ(ini.GetValue("vesk2", "uid", "<default>"), "<default>");
}

}  // namespace
