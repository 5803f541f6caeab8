#include "server_log.h"

#include <cstdlib>
#include <fstream>

#include <rapidjson/document.h>

std::string TestServer() {
    const char* server = std::getenv("HLVN_TEST_SERVER");
    return server ? server : "";
}

std::vector<LoggedRequest> LoggedRequests() {
    std::vector<LoggedRequest> requests;
    const char* path = std::getenv("HLVN_TEST_SERVER_LOG");
    if (!path) return requests;
    std::ifstream log(path);
    std::string line;
    while (std::getline(log, line)) {
        rapidjson::Document entry;
        if (entry.Parse(line.c_str()).HasParseError() || !entry.IsObject()) continue;
        LoggedRequest request;
        request.method = entry["method"].GetString();
        request.path = entry["path"].GetString();
        for (const auto& header : entry["headers"].GetArray())
            request.headers.emplace_back(header[0].GetString(), header[1].GetString());
        requests.push_back(request);
    }
    return requests;
}

std::vector<LoggedRequest> RequestsContaining(const std::string& fragment) {
    std::vector<LoggedRequest> matching;
    for (const LoggedRequest& request : LoggedRequests())
        if (request.path.find(fragment) != std::string::npos) matching.push_back(request);
    return matching;
}
