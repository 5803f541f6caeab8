#include <gtest/gtest.h>

#include "script_call.h"

namespace {

struct ScriptCase {
    const wchar_t* argument;
    const wchar_t* script;
};

const ScriptCase kCases[] = {
    {L"text", L"onOderResponse('text');"},
    {L"", L"onOderResponse('');"},
    {L"it's", L"onOderResponse('it\\'s');"},
    {L"a\\b", L"onOderResponse('a\\\\b');"},
    {L"\\'", L"onOderResponse('\\\\\\'');"},
    {L"1\n2\r3", L"onOderResponse('1\\u000a2\\u000d3');"},
    {L"\u2028\u2029", L"onOderResponse('\\u2028\\u2029');"},
    {L"tab\there", L"onOderResponse('tab\\u0009here');"},
    {L"\"\u652f\u4ed8\"", L"onOderResponse('\"\u652f\u4ed8\"');"},
    {L"'); alert(1); ('", L"onOderResponse('\\'); alert(1); (\\'');"},
};

}  // namespace

TEST(ComposeScriptCall, EscapesTheArgumentInsideSingleQuotes) {
    for (const ScriptCase& c : kCases) {
        EXPECT_EQ(ComposeScriptCall(L"onOderResponse", c.argument), c.script);
    }
}

TEST(ComposeScriptCall, HasNoLengthLimit) {
    const std::wstring argument(50000, L'y');
    const std::wstring script = ComposeScriptCall(L"f", argument);
    EXPECT_EQ(script, L"f('" + argument + L"');");
}
