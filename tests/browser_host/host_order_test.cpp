// Order requests reaching browser host windows: the host becomes the order
// host, the payment library gets the order and the answer comes back to the
// host of the latest order, never to a closed one.
#include <gtest/gtest.h>
#include <windows.h>

#include "../payment/standin_log.h"
#include "host_fixtures.h"
#include "tracked_payloads.h"
#include "web_messages.h"

namespace {

// An order as the browser module hands it over: JSON in the ANSI code page.
WPARAM OrderPayload(const std::wstring& orderId) {
    std::wstring order = LR"({"order_id":")" + orderId +
                         LR"(","money":6,"time":123,"user_id":"u","product_id":"p",)"
                         LR"("product_name":"钻石礼包"})";
    return reinterpret_cast<WPARAM>(NewTrackedPayload(Encode(order, 936)));
}

bool Paid(const StandinLog& log, const std::string& orderId) {
    for (const LoggedRecord& record : log.Records()) {
        if (record.kind == "pay" && record.fields.at("order_id") == orderId) return true;
    }
    return false;
}

class HostOrders : public ::testing::Test {
  protected:
    void TearDown() override {
        first.Destroy();
        second.Destroy();
        EXPECT_TRUE(PumpUntil([] { return CountedHost::Live() == 0; }, 10000));
        EXPECT_EQ(0, UndeletedPayloads());
    }

    std::vector<std::pair<char, std::wstring>> NewResults() const {
        const auto& all = CountedHost::Results();
        return {all.begin() + resultsBefore, all.end()};
    }

    StandinLog log;
    ScopedVariable text{L"LYSDK_STANDIN_RESULT_TEXT", L"支付成功"};
    size_t resultsBefore = CountedHost::Results().size();
    TestOwner first;
    TestOwner second;
};

TEST_F(HostOrders, OrderingHostReceivesTheAnswer) {
    ScopedVariable thread(L"LYSDK_STANDIN_CALLBACK_THREAD", L"own");
    CountedHost* host = CreateHost(first, 'A');
    PostMessageW(host->GetHWND(), WM_WEB_ORDER_REQUEST, OrderPayload(L"A1"), 0);
    ASSERT_TRUE(PumpUntil([&] { return NewResults().size() == 1; }, 10000));
    EXPECT_EQ(std::make_pair('A', std::wstring(L"支付成功")), NewResults()[0]);
    auto records = log.Records();
    ASSERT_EQ(1u, records.size());
    EXPECT_EQ("A1", records[0].fields["order_id"]);
    EXPECT_EQ("钻石礼包", records[0].fields["product_name"]);
    EXPECT_EQ(0u, first.received().size());
    host->CloseHost();
}

TEST_F(HostOrders, RequestWithoutTextIsIgnored) {
    CountedHost* host = CreateHost(first, 'A');
    PostMessageW(host->GetHWND(), WM_WEB_ORDER_REQUEST, 0, 0);
    PostMessageW(host->GetHWND(), WM_APP, 0, 0);
    ASSERT_TRUE(PumpUntil([&] { return first.Count(WM_APP) == 1; }, 10000));
    EXPECT_TRUE(log.Records().empty());
    EXPECT_EQ(1u, first.received().size());
    host->CloseHost();
}

TEST_F(HostOrders, EveryResultGoesToTheHostOfTheLatestOrder) {
    ScopedVariable thread(L"LYSDK_STANDIN_CALLBACK_THREAD", L"own");
    ScopedVariable delay(L"LYSDK_STANDIN_DELAY_MS", L"300");
    CountedHost* a = CreateHost(first, 'A');
    CountedHost* b = CreateHost(second, 'B');
    PostMessageW(a->GetHWND(), WM_WEB_ORDER_REQUEST, OrderPayload(L"A1"), 0);
    ASSERT_TRUE(PumpUntil([&] { return Paid(log, "A1"); }, 10000));
    PostMessageW(b->GetHWND(), WM_WEB_ORDER_REQUEST, OrderPayload(L"B1"), 0);
    ASSERT_TRUE(PumpUntil([&] { return NewResults().size() == 2; }, 10000));
    for (const auto& result : NewResults()) EXPECT_EQ('B', result.first);
    a->CloseHost();
    b->CloseHost();
}

TEST_F(HostOrders, ClosedOrderHostIsForgotten) {
    ScopedVariable thread(L"LYSDK_STANDIN_CALLBACK_THREAD", L"own");
    CountedHost* closing = CreateHost(first, 'A');
    {
        ScopedVariable delay(L"LYSDK_STANDIN_DELAY_MS", L"100");
        PostMessageW(closing->GetHWND(), WM_WEB_ORDER_REQUEST, OrderPayload(L"A1"), 0);
        ASSERT_TRUE(PumpUntil([&] { return Paid(log, "A1"); }, 10000));
    }
    closing->CloseHost();
    ASSERT_TRUE(PumpUntil([] { return CountedHost::Live() == 0; }, 10000));
    // The answer to the closed host's order arrives while no host has ordered.
    PumpFor(1500);
    EXPECT_TRUE(NewResults().empty());

    CountedHost* next = CreateHost(second, 'B');
    PostMessageW(next->GetHWND(), WM_WEB_ORDER_REQUEST, OrderPayload(L"B1"), 0);
    ASSERT_TRUE(PumpUntil([&] { return NewResults().size() == 1; }, 10000));
    EXPECT_EQ('B', NewResults()[0].first);
    next->CloseHost();
}

}  // namespace
