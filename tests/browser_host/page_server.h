// The loopback test server that serves the test pages and logs requests.
#pragma once

#include <string>
#include <vector>

// Address of path on the server.
std::string ServerUrl(const std::string& path);

struct ServerRequest {
    std::string method;
    std::string path;
    std::string body;
};

// Requests the server has received so far.
std::vector<ServerRequest> ServerRequests();
