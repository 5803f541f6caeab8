// The payment bridge with a "360Lysdk.dll" that lacks "SDK360_AsyncPay":
// initialisation works, orders are checked and dropped without reaching it.
#include <gtest/gtest.h>
#include <windows.h>

#include "services/ly_sdk_manager.h"
#include "standin_log.h"

namespace {

TEST(LibraryWithoutAsyncPay, IsTheVariantWithoutTheEntryPoint) {
    LySdkManager::Instance();
    HMODULE library = GetModuleHandleW(L"360Lysdk.dll");
    ASSERT_NE(nullptr, library);
    EXPECT_NE(nullptr, GetProcAddress(library, "SDK360_Init"));
    EXPECT_EQ(nullptr, GetProcAddress(library, "SDK360_AsyncPay"));
}

TEST(LibraryWithoutAsyncPay, InitialisesAndDropsOrders) {
    StandinLog log;
    ScopedVariable callbackThread(L"LYSDK_STANDIN_CALLBACK_THREAD", L"caller");
    EXPECT_TRUE(LySdkManager::Instance()->InitSdk());
    EXPECT_EQ(0, LySdkManager::Instance()->SubmitOrder(
                     R"({"order_id":"A1","user_id":"u","product_id":"p","product_name":"n"})"));
    EXPECT_EQ(-1, LySdkManager::Instance()->SubmitOrder("{}"));
    EXPECT_TRUE(LySdkManager::Instance()->UnInitSdk());
    auto records = log.Records();
    ASSERT_EQ(2u, records.size());
    EXPECT_EQ("init", records[0].kind);
    EXPECT_EQ("uninit", records[1].kind);
}

}  // namespace
