#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "browser_v8_handler.h"
#include "fakes.h"
#include "message_handlers.h"

TEST(ConvertScriptArguments, ConvertsByKindInOrder) {
    const CefV8ValueList arguments = {
        FakeV8Value::String(L"{\"a\":\"\u5143\"}"),
        FakeV8Value::Bool(true),
        FakeV8Value::Int(-7),
        FakeV8Value::Double(1.5),
        FakeV8Value::Null(),
        FakeV8Value::Undefined(),
        FakeV8Value::Object(),
        FakeV8Value::String(L""),
        FakeV8Value::Bool(false),
    };
    CefRefPtr<CefListValue> list = CefListValue::Create();
    list->SetString(20, "stale");
    ConvertScriptArguments(arguments, list);

    ASSERT_EQ(list->GetSize(), arguments.size());
    EXPECT_EQ(list->GetType(0), VTYPE_STRING);
    EXPECT_EQ(list->GetString(0).ToWString(), L"{\"a\":\"\u5143\"}");
    EXPECT_EQ(list->GetType(1), VTYPE_BOOL);
    EXPECT_TRUE(list->GetBool(1));
    EXPECT_EQ(list->GetType(2), VTYPE_INT);
    EXPECT_EQ(list->GetInt(2), -7);
    for (size_t index : {3u, 4u, 5u, 6u}) {
        EXPECT_EQ(list->GetType(index), VTYPE_NULL) << index;
    }
    EXPECT_EQ(list->GetType(7), VTYPE_STRING);
    EXPECT_EQ(list->GetString(7).ToString(), "");
    EXPECT_EQ(list->GetType(8), VTYPE_BOOL);
    EXPECT_FALSE(list->GetBool(8));
}

TEST(ConvertScriptArguments, NoArgumentsGiveAnEmptyList) {
    CefRefPtr<CefListValue> list = CefListValue::Create();
    ConvertScriptArguments({}, list);
    EXPECT_EQ(list->GetSize(), 0u);
}

TEST(CBrowserV8Handler, LeavesNamesWithoutAHandlerToTheEngine) {
    messageHandlers[L"CefOderRequest"] = [](CefRefPtr<CefBrowser>, CefRefPtr<CefListValue>) {};
    CefRefPtr<CBrowserV8Handler> handler(new CBrowserV8Handler);
    for (const char* name : {"CefOrderRequest", "other", ""}) {
        CefRefPtr<CefV8Value> retval;
        CefString exception;
        EXPECT_FALSE(
            handler->Execute(name, nullptr, {FakeV8Value::String(L"{}")}, retval, exception));
        EXPECT_EQ(retval.get(), nullptr);
        EXPECT_TRUE(exception.empty());
    }
    messageHandlers.clear();
}
