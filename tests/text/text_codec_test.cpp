#include "settings/text_codec.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <climits>

namespace {

// "你好" in GBK (code page 936) and in UTF-8.
const std::string kNihaoGbk = "\xC4\xE3\xBA\xC3";
const std::string kNihaoUtf8 = "\xE4\xBD\xA0\xE5\xA5\xBD";
const std::wstring kNihao = L"\u4F60\u597D";

TEST(TextCodec, RunsUnderCodePage936) { ASSERT_EQ(GetACP(), 936u); }

TEST(TextCodec, AnsiRoundTrip) {
    EXPECT_EQ(AnsiToWide(kNihaoGbk + "ab"), kNihao + L"ab");
    EXPECT_EQ(WideToAnsi(kNihao + L"ab"), kNihaoGbk + "ab");
}

TEST(TextCodec, WideToUtf8) {
    EXPECT_EQ(WideToUtf8(kNihao + L"-1"), kNihaoUtf8 + "-1");
    EXPECT_EQ(WideToUtf8(L"\U0001F600"), "\xF0\x9F\x98\x80");
}

TEST(TextCodec, EmptyAndEmbeddedNul) {
    EXPECT_EQ(AnsiToWide(""), L"");
    EXPECT_EQ(WideToAnsi(L""), "");
    EXPECT_EQ(WideToUtf8(L""), "");
    EXPECT_EQ(AnsiToWide(std::string("ab\0cd", 5)), L"ab");
    EXPECT_EQ(WideToAnsi(std::wstring(L"ab\0cd", 5)), "ab");
    EXPECT_EQ(WideToUtf8(std::wstring(L"\0cd", 3)), "");
}

TEST(TextCodec, FormatWideTakesWideStringsAndInt32) {
    EXPECT_EQ(FormatWide(L"%s?ps=%d&et=%s", L"https://h/t.gif", -7, kNihao.c_str()),
              L"https://h/t.gif?ps=-7&et=" + kNihao);
    EXPECT_EQ(FormatWide(L"%d|%d", INT_MIN, INT_MAX), L"-2147483648|2147483647");
    EXPECT_EQ(FormatWide(L"%02X%02X", 0x0A, 0xFF), L"0AFF");
    EXPECT_EQ(FormatWide(L""), L"");
}

TEST(TextCodec, FormatNarrowTakesNarrowStrings) {
    EXPECT_EQ(FormatNarrow("%s&uid=%s&n=%d", "http://a/?q=1", kNihaoGbk.c_str(), 42),
              "http://a/?q=1&uid=" + kNihaoGbk + "&n=42");
    EXPECT_EQ(FormatNarrow(""), "");
}

TEST(TextCodec, FormatsTextOfAnyLength) {
    const std::string narrow(100000, 'n');
    const std::wstring wide(100000, L'w');
    EXPECT_EQ(FormatNarrow("<%s>", narrow.c_str()), "<" + narrow + ">");
    EXPECT_EQ(FormatWide(L"<%s>", wide.c_str()), L"<" + wide + L">");
}

}  // namespace
