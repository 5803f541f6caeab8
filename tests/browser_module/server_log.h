#pragma once

#include <string>
#include <utility>
#include <vector>

// One request as the loopback test server received it.
struct ServerRequest {
    std::string method;
    std::string path;
    std::vector<std::pair<std::string, std::string>> headers;

    // Values of every header of that name (case-insensitive), in order.
    std::vector<std::string> HeaderValues(const std::string& name) const;
};

// The test server's base URL ("http://127.0.0.1:PORT").
std::string ServerBase();

// Every request logged so far.
std::vector<ServerRequest> ReadServerLog();

// Requests whose path (with query) equals path.
std::vector<ServerRequest> RequestsFor(const std::string& path);
