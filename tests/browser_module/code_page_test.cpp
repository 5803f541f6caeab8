#include <windows.h>

#include <gtest/gtest.h>

#include "code_page.h"

// The tests run with the ANSI code page 936, as on the users' machines.
TEST(WideToAnsiText, ConvertsToTheAnsiCodePage) {
    ASSERT_EQ(GetACP(), 936u);
    EXPECT_EQ(WideToAnsiText(L""), "");
    EXPECT_EQ(WideToAnsiText(L"{\"a\":1}"), "{\"a\":1}");
    EXPECT_EQ(WideToAnsiText(L"\u652f\u4ed8"), "\xd6\xa7\xb8\xb6");
    EXPECT_EQ(WideToAnsiText(L"a\u0e01b"), "a?b");
}
