#include <gtest/gtest.h>

#include <winsock2.h>

#include <chrono>
#include <cstring>
#include <ctime>
#include <regex>
#include <string>

#include "server_log.h"
#include "services/statistics_context.h"

namespace {

using Clock = std::chrono::steady_clock;

bool Offline() { return false; }

// A loopback port that nothing listens on: bound once, then released.
int ClosedPort() {
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);
    SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address);
    int length = sizeof address;
    getsockname(s, reinterpret_cast<sockaddr*>(&address), &length);
    closesocket(s);
    WSACleanup();
    return ntohs(address.sin_port);
}

// Checks one request URL tail: exactly ca, ps, ad, tm, et, uin in this order,
// with tm between the two given times.
void ExpectQuery(const std::string& text, const std::string& prefix, int posId,
                 const std::string& event, const std::string& uid, std::time_t before,
                 std::time_t after) {
    std::smatch match;
    const std::regex pattern(
        "(.*)\\?ca=webgame&ps=(-?[0-9]+)&ad=0&tm=([0-9]+)&et=([A-Za-z]+)&uin=(.*)");
    ASSERT_TRUE(std::regex_match(text, match, pattern)) << text;
    EXPECT_EQ(match[1], prefix);
    EXPECT_EQ(match[2], std::to_string(posId));
    const long long tm = std::stoll(match[3]);
    EXPECT_GE(tm, before);
    EXPECT_LE(tm, after);
    EXPECT_EQ(match[4], event);
    EXPECT_EQ(match[5], uid);
}

TEST(BriefUrl, CarriesTheQueryInItsFixedOrder) {
    struct Case {
        int posId;
        const wchar_t* event;
        const char* eventText;
    };
    const Case cases[] = {
        {0, L"clientFirstRun", "clientFirstRun"},
        {7, L"clientRun", "clientRun"},
        {-5, L"clientGameFirstRun", "clientGameFirstRun"},
    };
    const std::string uid = "900150983CD24FB0D6963F7D28E17F7200000000000000000000000000000000";
    for (const Case& c : cases) {
        const StatisticsContext context(std::wstring(uid.begin(), uid.end()), c.posId,
                                        "https://stats.example/t.gif");
        const std::time_t before = std::time(nullptr);
        const std::wstring url = context.BuildBriefUrl(c.event);
        const std::time_t after = std::time(nullptr);
        ExpectQuery(std::string(url.begin(), url.end()), "https://stats.example/t.gif", c.posId,
                    c.eventText, uid, before, after);
    }
}

TEST(Report, SendsOneGetPerEventAsTheServerReceivesIt) {
    const std::string uid = "REPORT-EVENTS";
    const StatisticsContext context(std::wstring(uid.begin(), uid.end()), 17,
                                    TestServer() + "/t.gif");
    const char* events[] = {"clientFirstRun", "clientRun", "clientGameFirstRun"};
    const std::time_t before = std::time(nullptr);
    for (const char* event : events) {
        EXPECT_TRUE(context.Report(std::wstring(event, event + strlen(event)))) << event;
    }
    const std::time_t after = std::time(nullptr);

    const std::vector<LoggedRequest> requests = RequestsContaining("uin=" + uid);
    ASSERT_EQ(requests.size(), 3u);
    for (size_t i = 0; i < requests.size(); ++i) {
        EXPECT_EQ(requests[i].method, "GET");
        ExpectQuery(requests[i].path, "/t.gif", 17, events[i], uid, before, after);
        for (const auto& header : requests[i].headers) {
            EXPECT_NE(header.first, "User-Agent") << "no user agent is set";
        }
    }
}

TEST(Report, AnyHttpStatusCountsAsSent) {
    const std::string uid = "REPORT-STATUS";
    for (const char* status : {"/__status/404", "/__status/500"}) {
        const StatisticsContext context(std::wstring(uid.begin(), uid.end()), 0,
                                        TestServer() + status);
        EXPECT_TRUE(context.Report(L"clientRun")) << status;
    }
    EXPECT_EQ(RequestsContaining("uin=" + uid).size(), 2u);
}

size_t RequestsTo(const std::string& path) {
    size_t count = 0;
    for (const LoggedRequest& request : LoggedRequests()) {
        if (request.path.compare(0, path.size(), path) == 0) ++count;
    }
    return count;
}

TEST(Report, FollowsRedirects) {
    // The server redirects to its "to" parameter, which ends at the first "&".
    const StatisticsContext context(L"REPORT-REDIRECT", 0,
                                    TestServer() + "/__redirect?to=/followed.gif");
    const size_t earlier = RequestsTo("/followed.gif?ca=webgame");
    EXPECT_TRUE(context.Report(L"clientRun"));
    EXPECT_EQ(RequestsTo("/followed.gif?ca=webgame"), earlier + 1);
}

TEST(Report, PosIdMinusOneSwitchesReportingOff) {
    const std::string uid = "REPORT-OFF";
    const StatisticsContext context(std::wstring(uid.begin(), uid.end()), -1,
                                    TestServer() + "/t.gif");
    EXPECT_FALSE(context.Report(L"clientRun"));
    EXPECT_TRUE(RequestsContaining("uin=" + uid).empty());
}

TEST(Report, OfflineMachineSendsNothingAndReturnsAtOnce) {
    const std::string uid = "REPORT-OFFLINE";
    const StatisticsContext context(std::wstring(uid.begin(), uid.end()), 0,
                                    TestServer() + "/t.gif", &Offline);
    const Clock::time_point start = Clock::now();
    EXPECT_FALSE(context.Report(L"clientRun"));
    EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(500));
    EXPECT_TRUE(RequestsContaining("uin=" + uid).empty());
}

TEST(Report, FailsWhenNothingListens) {
    const StatisticsContext context(L"REPORT-REFUSED", 0,
                                    "https://127.0.0.1:" + std::to_string(ClosedPort()) + "/t.gif");
    EXPECT_FALSE(context.Report(L"clientRun"));
}

TEST(Report, GivesUpOnAServerThatNeverAnswers) {
    const StatisticsContext context(L"REPORT-HANG", 0, TestServer() + "/__hang");
    const Clock::time_point start = Clock::now();
    EXPECT_FALSE(context.Report(L"clientRun"));
    EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(2500));
}

}  // namespace
