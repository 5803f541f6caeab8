// The payment library stand-in itself, called directly: the fixture the
// bridge tests rely on must export plain names and call back as configured.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <cstring>
#include <string>
#include <vector>

#include "standin_log.h"

namespace {

using ResultCallback = int(WINAPI*)(int, const void*);
using EventCallback = int(WINAPI*)(int, int, int);
using PayFn = int(WINAPI*)(const void*, ResultCallback, EventCallback);

std::atomic<DWORD> resultThread{0};
std::atomic<int> events{0};
std::wstring resultText;
std::wstring resultOrderId;
HANDLE resultArrived = CreateEventW(nullptr, FALSE, FALSE, nullptr);

int WINAPI OnResult(int, const void* record) {
    const auto* bytes = static_cast<const unsigned char*>(record);
    resultOrderId = reinterpret_cast<const wchar_t*>(bytes + 4);
    resultText = reinterpret_cast<const wchar_t*>(bytes + 268);
    resultThread = GetCurrentThreadId();
    SetEvent(resultArrived);
    return 0;
}

int WINAPI OnEvent(int, int, int) {
    ++events;
    return 0;
}

class Standin : public ::testing::Test {
  protected:
    void SetUp() override {
        library = LoadLibraryW(L"360Lysdk.dll");
        ASSERT_NE(nullptr, library);
        record.assign(3380, 0);
        const wchar_t id[] = L"B7";
        std::memcpy(record.data() + 4, id, sizeof id);
        resultThread = 0;
        events = 0;
        ResetEvent(resultArrived);
    }
    void TearDown() override { FreeLibrary(library); }

    PayFn Entry(const char* name) {
        return reinterpret_cast<PayFn>(reinterpret_cast<void*>(GetProcAddress(library, name)));
    }

    HMODULE library = nullptr;
    std::vector<unsigned char> record;
    StandinLog log;
    ScopedVariable text{L"LYSDK_STANDIN_RESULT_TEXT", L"paid 支付"};
};

TEST_F(Standin, ExportsTheFourEntryPointsByPlainName) {
    for (const char* name : {"SDK360_Init", "SDK360_UnInit", "SDK360_AsyncPay", "SDK360_Pay"}) {
        EXPECT_NE(nullptr, GetProcAddress(library, name)) << name;
    }
}

TEST_F(Standin, CallsBackWhereTheSettingsSay) {
    const struct {
        const char* entry;
        const wchar_t* thread;
        bool onCallersThread;
    } cases[] = {
        {"SDK360_AsyncPay", L"own", false},
        {"SDK360_AsyncPay", L"caller", true},
        {"SDK360_Pay", L"own", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.entry) + (c.onCallersThread ? " caller" : " own"));
        ScopedVariable thread(L"LYSDK_STANDIN_CALLBACK_THREAD", c.thread);
        ResetEvent(resultArrived);
        ASSERT_EQ(0, Entry(c.entry)(record.data(), &OnResult, &OnEvent));
        if (c.onCallersThread) {
            EXPECT_EQ(GetCurrentThreadId(), resultThread.load());
        }
        ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(resultArrived, 10000));
        EXPECT_EQ(c.onCallersThread, resultThread.load() == GetCurrentThreadId());
        EXPECT_EQ(L"paid 支付", resultText);
        EXPECT_EQ(L"B7", resultOrderId);
    }
    EXPECT_EQ(3, events.load());
    EXPECT_EQ(3u, log.Records().size());
}

TEST_F(Standin, DecodesTheRecordsItReceives) {
    ScopedVariable thread(L"LYSDK_STANDIN_CALLBACK_THREAD", L"caller");
    const wchar_t name[] = L"名\t\\x";
    std::memcpy(record.data() + 256, name, sizeof name);
    std::memcpy(record.data(), "\x34\x0d\x00\x00", 4);
    ASSERT_EQ(0, Entry("SDK360_AsyncPay")(record.data(), &OnResult, &OnEvent));
    auto records = log.Records();
    ASSERT_EQ(1u, records.size());
    EXPECT_EQ("pay", records[0].kind);
    EXPECT_EQ("3380", records[0].fields["size"]);
    EXPECT_EQ("B7", records[0].fields["order_id"]);
    EXPECT_EQ("名\\t\\\\x", records[0].fields["product_name"]);
    EXPECT_EQ(6760u, records[0].fields["bytes"].size());
}

}  // namespace
