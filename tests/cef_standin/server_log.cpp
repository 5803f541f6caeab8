#include "server_log.h"

#include <windows.h>

#include <rapidjson/document.h>

#include <cstdlib>
#include <sstream>

namespace {

std::string ReadFileText(const char* path) {
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return {};
    std::string text;
    char buffer[65536];
    DWORD read = 0;
    while (ReadFile(file, buffer, sizeof(buffer), &read, nullptr) && read)
        text.append(buffer, read);
    CloseHandle(file);
    return text;
}

bool SameIgnoringCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && _strnicmp(a.c_str(), b.c_str(), a.size()) == 0;
}

}  // namespace

std::vector<std::string> LoggedRequest::Header(const std::string& name) const {
    std::vector<std::string> values;
    for (const auto& header : headers) {
        if (SameIgnoringCase(header.first, name)) values.push_back(header.second);
    }
    return values;
}

std::string ServerUrl() {
    const char* url = std::getenv("HLVN_TEST_SERVER");
    return url ? url : "";
}

std::vector<LoggedRequest> ServerRequests() {
    std::vector<LoggedRequest> requests;
    const char* path = std::getenv("HLVN_TEST_SERVER_LOG");
    if (!path) return requests;
    std::istringstream lines(ReadFileText(path));
    std::string line;
    while (std::getline(lines, line)) {
        rapidjson::Document entry;
        entry.Parse(line.c_str());
        if (entry.HasParseError() || !entry.IsObject()) continue;
        LoggedRequest request;
        request.method = entry["method"].GetString();
        request.path = entry["path"].GetString();
        for (const auto& header : entry["headers"].GetArray()) {
            request.headers.emplace_back(header[0].GetString(), header[1].GetString());
        }
        requests.push_back(request);
    }
    return requests;
}

std::vector<LoggedRequest> ServerRequests(const std::string& fragment) {
    std::vector<LoggedRequest> matching;
    for (const auto& request : ServerRequests()) {
        if (request.path.find(fragment) != std::string::npos) matching.push_back(request);
    }
    return matching;
}
