// Reader of config.ini: sections of key=value lines, narrow text.
#pragma once

#include <map>
#include <string>

class IniFile {
  public:
    // Replaces the contents with the file's; false when it cannot be opened.
    bool Load(const std::string& path);

    // The stored value of section/key, or `defaultValue`.
    std::string GetValue(const std::string& section, const std::string& key,
                         const std::string& defaultValue) const;

  private:
    std::map<std::string, std::map<std::string, std::string>> sections_;
};
