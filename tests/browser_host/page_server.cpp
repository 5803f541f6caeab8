#include "page_server.h"

#include <rapidjson/document.h>

#include <cstdlib>
#include <fstream>

std::string ServerUrl(const std::string& path) {
    const char* server = std::getenv("HLVN_TEST_SERVER");
    return std::string(server ? server : "") + path;
}

std::vector<ServerRequest> ServerRequests() {
    std::vector<ServerRequest> requests;
    const char* logPath = std::getenv("HLVN_TEST_SERVER_LOG");
    if (!logPath) return requests;
    std::ifstream log(logPath);
    std::string line;
    while (std::getline(log, line)) {
        rapidjson::Document entry;
        entry.Parse(line.c_str());
        if (entry.HasParseError() || !entry.IsObject()) continue;
        requests.push_back(
            {entry["method"].GetString(), entry["path"].GetString(), entry["body"].GetString()});
    }
    return requests;
}
