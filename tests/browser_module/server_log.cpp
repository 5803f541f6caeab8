#include "server_log.h"

#include <windows.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "rapidjson/document.h"

namespace {

std::wstring LogPath() {
    wchar_t value[MAX_PATH * 2] = {};
    const DWORD length = GetEnvironmentVariableW(L"HLVN_TEST_SERVER_LOG", value, MAX_PATH * 2);
    return std::wstring(value, length);
}

}  // namespace

std::vector<std::string> ServerRequest::HeaderValues(const std::string& name) const {
    std::vector<std::string> values;
    for (const auto& header : headers) {
        if (_stricmp(header.first.c_str(), name.c_str()) == 0) {
            values.push_back(header.second);
        }
    }
    return values;
}

std::string ServerBase() {
    const char* base = std::getenv("HLVN_TEST_SERVER");
    return base ? base : "";
}

std::vector<ServerRequest> ReadServerLog() {
    std::vector<ServerRequest> requests;
    std::ifstream log{std::filesystem::path(LogPath())};
    std::string line;
    while (std::getline(log, line)) {
        rapidjson::Document entry;
        entry.Parse(line.c_str());
        if (entry.HasParseError() || !entry.IsObject()) {
            continue;
        }
        ServerRequest request;
        request.method = entry["method"].GetString();
        request.path = entry["path"].GetString();
        for (const auto& header : entry["headers"].GetArray()) {
            request.headers.emplace_back(header[0].GetString(), header[1].GetString());
        }
        requests.push_back(std::move(request));
    }
    return requests;
}

std::vector<ServerRequest> RequestsFor(const std::string& path) {
    std::vector<ServerRequest> matching;
    for (ServerRequest& request : ReadServerLog()) {
        if (request.path == path) {
            matching.push_back(std::move(request));
        }
    }
    return matching;
}
