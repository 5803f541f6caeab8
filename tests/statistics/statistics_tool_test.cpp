#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <ctime>
#include <string>

#include "server_log.h"
#include "services/statistics_tool.h"
#include "settings/machine_id.h"

namespace {

const wchar_t kLaunchKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\hlvn";
const wchar_t kSiblingKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\vesk2";

// A registry value as a case sets it up.
struct Stored {
    DWORD type;  // REG_NONE: absent
    DWORD number;
    std::wstring text;
};
const Stored kAbsent = {REG_NONE, 0, L""};
Stored Dword(DWORD n) { return {REG_DWORD, n, L""}; }
Stored Text(const std::wstring& t) { return {REG_SZ, 0, t}; }

struct LaunchCase {
    const char* label;
    Stored lunchNum;
    Stored posId;
    int32_t launchCount;  // LaunchCount() of this launch
    const wchar_t* event;
    bool sent;
    DWORD lunchNumAfter;
    int ps;  // the ps parameter of the request, when sent
};

void Store(const wchar_t* key, const wchar_t* name, const Stored& value) {
    if (value.type == REG_DWORD) {
        RegSetKeyValueW(HKEY_CURRENT_USER, key, name, REG_DWORD, &value.number, sizeof(DWORD));
    } else if (value.type == REG_SZ) {
        RegSetKeyValueW(HKEY_CURRENT_USER, key, name, REG_SZ, value.text.c_str(),
                        static_cast<DWORD>((value.text.size() + 1) * sizeof(wchar_t)));
    }
}

// Each case is one launch: a process of its own, so that the tool and the
// context are created afresh from the registry.
class LaunchDeathTest : public ::testing::TestWithParam<LaunchCase> {
  protected:
    void SetUp() override {
        if (TestServer() + "/t.gif" != HLVN_STATISTICS_URL) {
            GTEST_SKIP() << "this build reports to " << HLVN_STATISTICS_URL
                         << ", not to the test server";
        }
        RegDeleteTreeW(HKEY_CURRENT_USER, kLaunchKey);
        RegDeleteTreeW(HKEY_CURRENT_USER, kSiblingKey);
        Store(kLaunchKey, L"lunchNum", GetParam().lunchNum);
        Store(kSiblingKey, L"posId", GetParam().posId);
    }
    void TearDown() override {
        RegDeleteTreeW(HKEY_CURRENT_USER, kLaunchKey);
        RegDeleteTreeW(HKEY_CURRENT_USER, kSiblingKey);
    }
};

TEST_P(LaunchDeathTest, CountsTheLaunchAndReportsTheEvent) {
    const LaunchCase& c = GetParam();
    const std::string uin = "&uin=" + [] {
        const std::wstring id = GetMachineId();
        return std::string(id.begin(), id.end());
    }();
    const size_t earlier = RequestsContaining(uin).size();
    const std::time_t before = std::time(nullptr);

    EXPECT_EXIT(
        {
            const bool counted = StatisticsTool::Instance()->LaunchCount() == c.launchCount;
            const bool reported = StatisticsTool::Instance()->SendEvent(c.event) == c.sent;
            // A second use of the tool does not count the launch again.
            const bool once = StatisticsTool::Instance()->LaunchCount() == c.launchCount;
            std::exit(counted && reported && once ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
    const std::time_t after = std::time(nullptr);

    DWORD type = 0;
    DWORD count = 0;
    DWORD size = sizeof count;
    ASSERT_EQ(
        RegGetValueW(HKEY_CURRENT_USER, kLaunchKey, L"lunchNum", RRF_RT_ANY, &type, &count, &size),
        ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(count, c.lunchNumAfter);

    const std::vector<LoggedRequest> requests = RequestsContaining(uin);
    ASSERT_EQ(requests.size(), earlier + (c.sent ? 1 : 0));
    if (!c.sent) return;
    const std::string& path = requests.back().path;
    const std::string event(c.event, c.event + wcslen(c.event));
    const std::string head = "/t.gif?ca=webgame&ps=" + std::to_string(c.ps) + "&ad=0&tm=";
    ASSERT_EQ(path.compare(0, head.size(), head), 0) << path;
    const size_t tmEnd = path.find('&', head.size());
    const long long tm = std::stoll(path.substr(head.size(), tmEnd - head.size()));
    EXPECT_GE(tm, before);
    EXPECT_LE(tm, after);
    EXPECT_EQ(path.substr(tmEnd), "&et=" + event + uin);
}

const LaunchCase kLaunches[] = {
    {"FirstLaunch", kAbsent, kAbsent, 0, L"clientFirstRun", true, 1, 0},
    {"LaterLaunch", Dword(5), Text(L"17"), 5, L"clientRun", true, 6, 17},
    {"CounterOfAnotherType", Text(L"5"), kAbsent, 0, L"clientFirstRun", true, 1, 0},
    {"ReportingOff", Dword(2), Text(L"-1"), 2, L"clientRun", false, 3, 0},
    {"PosIdNotANumber", Dword(1), Text(L"north"), 1, L"clientGameFirstRun", true, 2, 0},
    {"PosIdBeyond32Bits", Dword(1), Text(L"4294967295"), 1, L"clientRun", true, 2, 0},
};

INSTANTIATE_TEST_SUITE_P(Registry, LaunchDeathTest, ::testing::ValuesIn(kLaunches),
                         [](const ::testing::TestParamInfo<LaunchCase>& info) {
                             return std::string(info.param.label);
                         });

}  // namespace
