// The payment bridge against the payment library stand-in: the records the
// library receives, refused orders, initialisation, and results reaching the
// order host on the UI thread.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "message_box_closer.h"
#include "services/ly_sdk_manager.h"
#include "services/payment_steps.h"
#include "standin_log.h"

namespace {

constexpr unsigned kGbk = 936;
const std::wstring kStrings = LR"("user_id":"u","product_id":"p","product_name":"n")";

// An order host that keeps every result and the thread it arrived on.
class RecordingHost : public OrderHost {
  public:
    void SendOrderResult(const std::wstring& text) override {
        results.push_back(text);
        threads.push_back(GetCurrentThreadId());
    }
    std::vector<std::wstring> results;
    std::vector<DWORD> threads;
};

LySdkManager& Bridge() { return *LySdkManager::Instance(); }

// Submits an order written as UTF-16 JSON, handed over in the ANSI code page.
int Submit(const std::wstring& order) { return Bridge().SubmitOrder(Encode(order, kGbk)); }

// Runs this thread's messages until done() holds; false after 10 s without.
bool PumpUntil(const std::function<bool()>& done) {
    for (int i = 0; i < 1000 && !done(); ++i) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        Sleep(10);
    }
    return done();
}

class PaymentBridge : public ::testing::Test {
  protected:
    void TearDown() override { Bridge().SetOrderHost(nullptr); }

    StandinLog log;
    ScopedVariable callbackThread{L"LYSDK_STANDIN_CALLBACK_THREAD", L"caller"};
};

TEST_F(PaymentBridge, RunsInTheAnsiCodePageOfTheUsersMachines) { EXPECT_EQ(kGbk, GetACP()); }

struct PayCase {
    const char* name;
    std::wstring order;
    std::wstring orderId;
    int32_t money;
    int64_t time;
    std::wstring userId;
    std::wstring productId;
    std::wstring productName;
};

TEST_F(PaymentBridge, FillsThePayRecordAtTheLibrarysOffsets) {
    const std::wstring id39(39, L'9');
    const std::wstring name399(399, L'N');
    const std::wstring chineseName(399, L'\x91D1');  // 金
    const std::vector<PayCase> cases = {
        {"example order", LR"({"order_id":"A1","money":6,"time":123,)" + kStrings + L"}", L"A1", 6,
         123, L"u", L"p", L"n"},
        {"money and time absent", LR"({"order_id":"A1",)" + kStrings + L"}", L"A1", 0, 0, L"u",
         L"p", L"n"},
        {"fields filled to their last character",
         LR"({"order_id":")" + id39 +
             LR"(","money":-2147483648,"time":9007199254740993,"user_id":")" + id39 +
             LR"(","product_id":")" + id39 + LR"(","product_name":")" + name399 + L"\"}",
         id39, INT32_MIN, 9007199254740993LL, id39, id39, name399},
        {"Chinese texts through the ANSI code page",
         LR"({"order_id":"订单7","money":600,"time":1700000000,"user_id":"玩家",)"
         LR"("product_id":"礼包","product_name":"钻石礼包×10"})",
         L"订单7", 600, 1700000000, L"玩家", L"礼包", L"钻石礼包×10"},
        {"Chinese product name of 399 characters",
         LR"({"order_id":"A1","user_id":"u","product_id":"p","product_name":")" + chineseName +
             L"\"}",
         L"A1", 0, 0, L"u", L"p", chineseName},
    };
    for (const PayCase& c : cases) {
        SCOPED_TRACE(c.name);
        StandinLog caseLog;
        ASSERT_EQ(0, Submit(c.order));
        auto records = caseLog.Records();
        ASSERT_EQ(1u, records.size());
        EXPECT_EQ("pay", records[0].kind);
        EXPECT_EQ("3380", records[0].fields["size"]);
        EXPECT_EQ(Encode(c.orderId, CP_UTF8), records[0].fields["order_id"]);
        EXPECT_EQ(std::to_string(c.money), records[0].fields["money"]);
        EXPECT_EQ(std::to_string(c.time), records[0].fields["time"]);
        EXPECT_EQ(Encode(c.productName, CP_UTF8), records[0].fields["product_name"]);
        std::string expected = RecordBytes(3380)
                                   .U32(0, 3380)
                                   .Text(4, c.orderId)
                                   .U32(84, static_cast<uint32_t>(c.money))
                                   .I64(88, c.time)
                                   .Text(96, c.userId)
                                   .Text(176, c.productId)
                                   .Text(256, c.productName)
                                   .Hex();
        EXPECT_EQ(expected, records[0].fields["bytes"]);
    }
}

TEST_F(PaymentBridge, RefusesOrdersItCannotPassOnFaithfully) {
    const std::wstring id40(40, L'4');
    const struct {
        const char* name;
        std::wstring order;
    } cases[] = {
        {"empty text", L""},
        {"not JSON", L"order A1"},
        {"JSON array", LR"([{"order_id":"A1"}])"},
        {"JSON string", LR"("A1")"},
        {"text after the object", LR"({"order_id":"A1",)" + kStrings + L"} x"},
        {"order_id absent", LR"({"money":6,"time":123,)" + kStrings + L"}"},
        {"order_id a number", LR"({"order_id":1,)" + kStrings + L"}"},
        {"order_id of 40 characters", LR"({"order_id":")" + id40 + L"\"," + kStrings + L"}"},
        {"order_id of 40 Chinese characters",
         LR"({"order_id":")" + std::wstring(40, L'\x5355') + L"\"," + kStrings + L"}"},
        {"order_id with a NUL", LR"({"order_id":"A\u00001",)" + kStrings + L"}"},
        {"user_id absent", LR"({"order_id":"A1","product_id":"p","product_name":"n"})"},
        {"product_id null",
         LR"({"order_id":"A1","user_id":"u","product_id":null,"product_name":"n"})"},
        {"product_name a number",
         LR"({"order_id":"A1","user_id":"u","product_id":"p","product_name":5})"},
        {"user_id of 40 characters",
         LR"({"order_id":"A1","user_id":")" + id40 + LR"(","product_id":"p","product_name":"n"})"},
        {"product_id of 40 characters",
         LR"({"order_id":"A1","user_id":"u","product_id":")" + id40 + LR"(","product_name":"n"})"},
        {"product_name of 400 characters",
         LR"({"order_id":"A1","user_id":"u","product_id":"p","product_name":")" +
             std::wstring(400, L'N') + L"\"}"},
        {"money with a fraction", LR"({"order_id":"A1","money":6.5,)" + kStrings + L"}"},
        {"money above 32 bits", LR"({"order_id":"A1","money":2147483648,)" + kStrings + L"}"},
        {"money as text", LR"({"order_id":"A1","money":"6",)" + kStrings + L"}"},
        {"time with a fraction", LR"({"order_id":"A1","time":1.5,)" + kStrings + L"}"},
        {"time above 64 bits",
         LR"({"order_id":"A1","time":9223372036854775808,)" + kStrings + L"}"},
        {"time null", LR"({"order_id":"A1","time":null,)" + kStrings + L"}"},
    };
    RecordingHost host;
    Bridge().SetOrderHost(&host);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(-1, Submit(c.order));
    }
    EXPECT_TRUE(log.Records().empty());
    EXPECT_TRUE(host.results.empty());
}

TEST_F(PaymentBridge, InitialisesWithTheGameCredentials) {
    ASSERT_TRUE(Bridge().InitSdk());
    auto records = log.Records();
    ASSERT_EQ(1u, records.size());
    EXPECT_EQ("init", records[0].kind);
    EXPECT_EQ("268", records[0].fields["size"]);
    EXPECT_EQ("Tb4RwXe9", records[0].fields["game_key"]);
    EXPECT_EQ("1514049991", records[0].fields["app_id"]);
    EXPECT_EQ("0", records[0].fields["reserved"]);
    EXPECT_EQ(RecordBytes(268).U32(0, 268).Text(4, L"Tb4RwXe9").U32(260, 0x5A3E91C7).Hex(),
              records[0].fields["bytes"]);
}

TEST_F(PaymentBridge, InitFailsOnAnyNonZeroAnswer) {
    for (const wchar_t* answer : {L"1", L"-1", L"7"}) {
        ScopedVariable initResult(L"LYSDK_STANDIN_INIT_RESULT", answer);
        EXPECT_FALSE(Bridge().InitSdk()) << answer;
    }
    EXPECT_EQ(3u, log.Records().size());
}

TEST_F(PaymentBridge, UnInitReachesTheLibrary) {
    EXPECT_TRUE(Bridge().UnInitSdk());
    auto records = log.Records();
    ASSERT_EQ(1u, records.size());
    EXPECT_EQ("uninit", records[0].kind);
}

TEST_F(PaymentBridge, StartupGoesOnWhenTheLibraryInitialises) {
    MessageBoxCloser closer;
    EXPECT_TRUE(RunPaymentStartup());
    EXPECT_FALSE(closer.Finish().found);
}

TEST_F(PaymentBridge, StartupTellsTheUserWhenInitFails) {
    ScopedVariable initResult(L"LYSDK_STANDIN_INIT_RESULT", L"5");
    MessageBoxCloser closer;
    EXPECT_FALSE(RunPaymentStartup());
    ShownMessageBox box = closer.Finish();
    ASSERT_TRUE(box.found);
    EXPECT_EQ(L"资源加载失败", box.text);
    EXPECT_EQ(L"", box.caption);
    EXPECT_EQ(std::vector<int>{IDOK}, box.buttons);
}

TEST_F(PaymentBridge, ShutdownUnInitialisesTheLibrary) {
    RunPaymentShutdown();
    auto records = log.Records();
    ASSERT_EQ(1u, records.size());
    EXPECT_EQ("uninit", records[0].kind);
}

const std::wstring kOrder = LR"({"order_id":"A1","money":6,"time":123,)" + kStrings + L"}";

TEST_F(PaymentBridge, ResultOnTheCallersThreadReachesTheHostAtOnce) {
    ScopedVariable text(L"LYSDK_STANDIN_RESULT_TEXT", L"ok");
    RecordingHost host;
    Bridge().SetOrderHost(&host);
    ASSERT_EQ(0, Submit(kOrder));
    EXPECT_EQ(std::vector<std::wstring>{L"ok"}, host.results);
    EXPECT_EQ(std::vector<DWORD>{GetCurrentThreadId()}, host.threads);
}

TEST_F(PaymentBridge, ResultOnTheLibrarysThreadIsMovedToTheUiThread) {
    const std::wstring resultText = LR"({"code":0,"msg":"支付成功"} it's \ done)";
    ScopedVariable thread(L"LYSDK_STANDIN_CALLBACK_THREAD", L"own");
    ScopedVariable delay(L"LYSDK_STANDIN_DELAY_MS", L"50");
    ScopedVariable text(L"LYSDK_STANDIN_RESULT_TEXT", resultText);
    RecordingHost host;
    Bridge().SetOrderHost(&host);
    ASSERT_EQ(0, Submit(kOrder));
    // Only this thread's message loop can deliver it.
    EXPECT_TRUE(host.results.empty());
    ASSERT_TRUE(PumpUntil([&] { return !host.results.empty(); }));
    EXPECT_EQ(std::vector<std::wstring>{resultText}, host.results);
    EXPECT_EQ(std::vector<DWORD>{GetCurrentThreadId()}, host.threads);
}

TEST_F(PaymentBridge, EveryResultGoesToTheHostOfTheLatestOrder) {
    ScopedVariable thread(L"LYSDK_STANDIN_CALLBACK_THREAD", L"own");
    ScopedVariable delay(L"LYSDK_STANDIN_DELAY_MS", L"200");
    RecordingHost first;
    RecordingHost second;
    Bridge().SetOrderHost(&first);
    ASSERT_EQ(0, Submit(kOrder));
    Bridge().SetOrderHost(&second);
    ASSERT_EQ(0, Submit(kOrder));
    ASSERT_TRUE(PumpUntil([&] { return second.results.size() == 2; }));
    EXPECT_TRUE(first.results.empty());
    EXPECT_EQ(2u, log.Records().size());
}

TEST_F(PaymentBridge, ForgottenHostReceivesNothing) {
    ScopedVariable thread(L"LYSDK_STANDIN_CALLBACK_THREAD", L"own");
    RecordingHost gone;
    RecordingHost other;
    RecordingHost later;
    Bridge().SetOrderHost(&gone);
    ASSERT_EQ(0, Submit(kOrder));
    Bridge().ForgetOrderHost(&other);
    Bridge().ForgetOrderHost(&gone);
    Bridge().SetOrderHost(&later);
    ASSERT_TRUE(PumpUntil([&] { return !later.results.empty(); }));
    EXPECT_TRUE(gone.results.empty());
}

TEST_F(PaymentBridge, ForgettingAnotherHostKeepsTheOrderHost) {
    RecordingHost host;
    RecordingHost other;
    Bridge().SetOrderHost(&host);
    Bridge().ForgetOrderHost(&other);
    ASSERT_EQ(0, Submit(kOrder));
    EXPECT_EQ(1u, host.results.size());
}

TEST_F(PaymentBridge, ResultWithoutOrderHostReachesNobody) {
    RecordingHost host;
    Bridge().SetOrderHost(&host);
    Bridge().ForgetOrderHost(&host);
    ASSERT_EQ(0, Submit(kOrder));
    EXPECT_EQ(1u, log.Records().size());
    EXPECT_TRUE(host.results.empty());
}

}  // namespace
