// The loopback test server's request log.
#ifndef TESTS_CEF_STANDIN_SERVER_LOG_H_
#define TESTS_CEF_STANDIN_SERVER_LOG_H_

#include <string>
#include <utility>
#include <vector>

struct LoggedRequest {
    std::string method;
    std::string path;
    std::vector<std::pair<std::string, std::string>> headers;

    // Values of header |name| (case-insensitive).
    std::vector<std::string> Header(const std::string& name) const;
};

// Base URL of the server, e.g. "http://127.0.0.1:PORT".
std::string ServerUrl();
// Every request logged so far.
std::vector<LoggedRequest> ServerRequests();
// Requests whose path contains |fragment|.
std::vector<LoggedRequest> ServerRequests(const std::string& fragment);

#endif  // TESTS_CEF_STANDIN_SERVER_LOG_H_
