#include "settings/setting_xml.h"

#include <tinyxml.h>

#include "settings/crypto.h"

namespace {

const char kSettingKey[] = "Z7KQ2MWP4RTX8YBN";

std::string ElementText(const TiXmlElement* element) {
    const char* text = element->GetText();
    return text ? std::string(text) : std::string();
}

}  // namespace

SettingXml ReadSettingXml(const std::string& path) {
    SettingXml result;
    TiXmlDocument document;
    if (!document.LoadFile(path.c_str())) return result;
    const TiXmlElement* root = document.RootElement();
    if (!root) return result;
    const TiXmlElement* login = root->FirstChildElement("loginUrl");
    if (!login) return result;
    result.loginUrl = AesDecryptHex(kSettingKey, ElementText(login));
    const TiXmlElement* block = login->NextSiblingElement("blockUrl");
    if (block) {
        const std::string text = ElementText(block);
        if (!text.empty()) result.blockUrl = AesDecryptHex(kSettingKey, text);
    }
    return result;
}
