// Orders placed by pages in browser host windows, through the browser module,
// the payment bridge and the payment library, and the library's answer back
// in the page that ordered.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>

#include "../payment/standin_log.h"
#include "host_fixtures.h"
#include "page_server.h"
#include "web_messages.h"

namespace {

constexpr DWORD kPageTimeoutMs = 60000;

std::vector<ServerRequest> ResultsReported() {
    std::vector<ServerRequest> results;
    for (const ServerRequest& request : ServerRequests()) {
        if (request.path.rfind("/result", 0) == 0) results.push_back(request);
    }
    return results;
}

bool Paid(const StandinLog& log, const std::string& orderId) {
    auto records = log.Records();
    return std::any_of(records.begin(), records.end(), [&](const LoggedRecord& record) {
        return record.kind == "pay" && record.fields.at("order_id") == orderId;
    });
}

class HostPayment : public ::testing::Test {
  protected:
    void TearDown() override {
        for (TestOwner* owner : {&first, &second}) owner->Destroy();
        EXPECT_TRUE(PumpUntil([] { return CountedHost::Live() == 0; }, 10000));
    }

    StandinLog log;
    ScopedVariable ownThread{L"LYSDK_STANDIN_CALLBACK_THREAD", L"own"};
    ScopedVariable resultText{L"LYSDK_STANDIN_RESULT_TEXT", L"支付成功 code=0"};
    TestOwner first;
    TestOwner second;
};

TEST_F(HostPayment, PageReceivesTheLibrarysAnswer) {
    size_t before = ResultsReported().size();
    CountedHost* host = OpenHost(first, ServerUrl("/order.html?host=A"));
    ASSERT_TRUE(PumpUntil([&] { return ResultsReported().size() == before + 1; }, kPageTimeoutMs));
    ServerRequest result = ResultsReported().back();
    EXPECT_EQ("/result?host=A", result.path);
    EXPECT_EQ("支付成功 code=0", result.body);

    auto records = log.Records();
    ASSERT_EQ(1u, records.size());
    EXPECT_EQ("order-A", records[0].fields["order_id"]);
    EXPECT_EQ("6", records[0].fields["money"]);
    EXPECT_EQ("123", records[0].fields["time"]);
    EXPECT_EQ("钻石礼包", records[0].fields["product_name"]);
    host->CloseHost();
}

TEST_F(HostPayment, EveryResultGoesToTheHostOfTheLatestOrder) {
    size_t before = ResultsReported().size();
    CountedHost* early = nullptr;
    {
        // The first order's answer comes late, once the second host has ordered.
        ScopedVariable delay(L"LYSDK_STANDIN_DELAY_MS", L"5000");
        early = OpenHost(first, ServerUrl("/order.html?host=B"));
        ASSERT_TRUE(PumpUntil([&] { return Paid(log, "order-B"); }, kPageTimeoutMs));
    }
    CountedHost* late = OpenHost(second, ServerUrl("/order.html?host=C"));
    ASSERT_TRUE(PumpUntil([&] { return Paid(log, "order-C"); }, kPageTimeoutMs));
    ASSERT_TRUE(PumpUntil([&] { return ResultsReported().size() == before + 2; }, kPageTimeoutMs));
    for (size_t i = before; i < before + 2; ++i) {
        EXPECT_EQ("/result?host=C", ResultsReported()[i].path);
    }
    early->CloseHost();
    late->CloseHost();
}

TEST_F(HostPayment, ClosedOrderHostIsForgotten) {
    size_t before = ResultsReported().size();
    CountedHost* closing = nullptr;
    {
        ScopedVariable delay(L"LYSDK_STANDIN_DELAY_MS", L"2000");
        closing = OpenHost(first, ServerUrl("/order.html?host=D"));
        ASSERT_TRUE(PumpUntil([&] { return Paid(log, "order-D"); }, kPageTimeoutMs));
    }
    closing->CloseHost();
    ASSERT_TRUE(PumpUntil([] { return CountedHost::Live() == 0; }, 10000));
    // The answer to the closed host's order arrives while no host has ordered.
    PumpFor(3000);
    CountedHost* next = OpenHost(second, ServerUrl("/order.html?host=E"));
    ASSERT_TRUE(PumpUntil([&] { return ResultsReported().size() == before + 1; }, kPageTimeoutMs));
    EXPECT_EQ("/result?host=E", ResultsReported().back().path);
    PumpFor(500);
    EXPECT_EQ(before + 1, ResultsReported().size());
    next->CloseHost();
}

}  // namespace
