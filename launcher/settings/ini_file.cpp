#include "settings/ini_file.h"

#include <fstream>

namespace {

const char kBlanks[] = " \t";

std::string Trim(const std::string& text) {
    const size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string::npos) return std::string();
    const size_t last = text.find_last_not_of(kBlanks);
    return text.substr(first, last - first + 1);
}

void EraseFirst(std::string& text, char c) {
    const size_t position = text.find(c);
    if (position != std::string::npos) text.erase(position, 1);
}

}  // namespace

// A repeated section header continues the section already stored; key lines
// before the first header belong to the section with the empty name.
bool IniFile::Load(const std::string& path) {
    sections_.clear();
    std::ifstream file(path);
    if (!file.is_open()) return false;
    std::string section;
    std::string line;
    while (std::getline(file, line)) {
        if (line.empty()) continue;
        const size_t comment = line.find('#');
        if (comment == 0) continue;
        const std::string usable = line.substr(0, comment);
        const size_t open = line.find('[');
        const size_t close = open == std::string::npos ? open : line.find(']', open + 1);
        if (close != std::string::npos) {
            section = line.substr(open + 1, close - open - 1);
            sections_[section];
            continue;
        }
        const size_t equals = usable.find('=');
        if (equals == std::string::npos) continue;
        const std::string key = Trim(usable.substr(0, equals));
        if (key.empty()) continue;
        std::string value = Trim(usable.substr(equals + 1));
        EraseFirst(value, '\r');
        EraseFirst(value, '\n');
        sections_[section][key] = value;
    }
    return true;
}

std::string IniFile::GetValue(const std::string& section, const std::string& key,
                              const std::string& defaultValue) const {
    const auto found = sections_.find(section);
    if (found == sections_.end()) return defaultValue;
    const auto value = found->second.find(key);
    return value == found->second.end() ? defaultValue : value->second;
}
