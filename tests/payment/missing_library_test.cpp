// The payment bridge in a folder without "360Lysdk.dll": nothing is bound, the
// start-up step tells the user, orders are still checked but go nowhere.
#include <gtest/gtest.h>
#include <windows.h>

#include "message_box_closer.h"
#include "services/ly_sdk_manager.h"
#include "services/payment_steps.h"

namespace {

TEST(MissingPaymentLibrary, NothingIsLoaded) {
    LySdkManager::Instance();
    EXPECT_EQ(nullptr, GetModuleHandleW(L"360Lysdk.dll"));
}

TEST(MissingPaymentLibrary, InitAndUnInitFail) {
    EXPECT_FALSE(LySdkManager::Instance()->InitSdk());
    EXPECT_FALSE(LySdkManager::Instance()->UnInitSdk());
}

TEST(MissingPaymentLibrary, StartupShowsTheFailureBox) {
    MessageBoxCloser closer;
    EXPECT_FALSE(RunPaymentStartup());
    ShownMessageBox box = closer.Finish();
    ASSERT_TRUE(box.found);
    EXPECT_EQ(L"资源加载失败", box.text);
}

TEST(MissingPaymentLibrary, OrdersAreCheckedAndDropped) {
    EXPECT_EQ(0, LySdkManager::Instance()->SubmitOrder(
                     R"({"order_id":"A1","user_id":"u","product_id":"p","product_name":"n"})"));
    EXPECT_EQ(-1, LySdkManager::Instance()->SubmitOrder("[]"));
}

}  // namespace
