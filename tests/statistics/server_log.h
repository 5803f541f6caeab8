// What the loopback test server received.
#pragma once

#include <string>
#include <utility>
#include <vector>

struct LoggedRequest {
    std::string method;
    std::string path;  // with its query
    std::vector<std::pair<std::string, std::string>> headers;
};

// Base URL of the test server (HLVN_TEST_SERVER), e.g. "https://127.0.0.1:18443".
std::string TestServer();

// Every request logged so far, oldest first.
std::vector<LoggedRequest> LoggedRequests();

// The logged requests whose path contains `fragment`.
std::vector<LoggedRequest> RequestsContaining(const std::string& fragment);
