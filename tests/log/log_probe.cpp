// Test program of the diagnostic log. Given a UTF-8 file of lines
// "level|file|line|function|message", writes each through DebugLog::WriteWide;
// without an argument it logs nothing.
#include <windows.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "debug_log.h"

namespace {

std::wstring Utf8ToWide(const std::string& text) {
    if (text.empty()) return std::wstring();
    const int size =
        MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring result(size, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &result[0], size);
    return result;
}

std::vector<std::string> Split(const std::string& line) {
    std::vector<std::string> fields;
    std::istringstream stream(line);
    std::string field;
    while (std::getline(stream, field, '|')) fields.push_back(field);
    return fields;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return 0;
    std::ifstream file(argv[1], std::ios::binary);
    if (!file) return 2;
    std::string line;
    while (std::getline(file, line)) {
        const std::vector<std::string> fields = Split(line);
        if (fields.size() != 5) return 3;
        DebugLog::Instance().WriteWide(std::stoul(fields[0]), fields[1], std::stoi(fields[2]),
                                       fields[3], Utf8ToWide(fields[4]));
    }
    return 0;
}
