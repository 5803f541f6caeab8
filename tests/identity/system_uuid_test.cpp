#include <gtest/gtest.h>

#include <objbase.h>
#include <windows.h>

#include <regex>
#include <string>
#include <thread>

#include "settings/system_uuid.h"

namespace {

TEST(SystemUuid, WmiAnswersTheBoardUuid) {
    const std::wstring uuid = GetSystemUuid();
    EXPECT_TRUE(std::regex_match(
        uuid, std::wregex(L"[0-9A-F]{8}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{12}")))
        << std::string(uuid.begin(), uuid.end());
    EXPECT_EQ(GetSystemUuid(), uuid);
}

// The query leaves the calling thread's COM state as it found it, whatever
// apartment the thread was in.
TEST(SystemUuid, LeavesTheThreadsComStateAsFound) {
    enum class Apartment { None, Single, Multi };
    struct Case {
        const char* label;
        Apartment before;
    };
    const Case cases[] = {
        {"no COM", Apartment::None},
        {"single-threaded apartment", Apartment::Single},
        {"multi-threaded apartment", Apartment::Multi},
    };
    for (const Case& c : cases) {
        std::wstring uuid;
        HRESULT probe = E_FAIL;
        std::thread worker([&] {
            if (c.before == Apartment::Single) CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
            if (c.before == Apartment::Multi) CoInitializeEx(nullptr, COINIT_MULTITHREADED);
            uuid = GetSystemUuid();
            // S_OK: COM was not initialised on this thread; S_FALSE: it still
            // is, in the same apartment; RPC_E_CHANGED_MODE: another one.
            probe = CoInitializeEx(nullptr, c.before == Apartment::Single ? COINIT_APARTMENTTHREADED
                                                                          : COINIT_MULTITHREADED);
            if (SUCCEEDED(probe)) CoUninitialize();
            if (c.before != Apartment::None) CoUninitialize();
        });
        worker.join();
        EXPECT_FALSE(uuid.empty()) << c.label;
        EXPECT_EQ(probe, c.before == Apartment::None ? S_OK : S_FALSE) << c.label;
    }
}

}  // namespace
