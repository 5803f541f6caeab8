// Reader of setting.xml: the encrypted login address and extra block entry.
#pragma once

#include <string>

struct SettingXml {
    std::string loginUrl;
    std::string blockUrl;
};

// Both fields stay empty when the file cannot be loaded, the element is
// missing or its text does not decrypt. `path` is in the ANSI code page.
SettingXml ReadSettingXml(const std::string& path);
