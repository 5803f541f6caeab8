#include "settings/encoding.h"

#include <gtest/gtest.h>

namespace {

struct EncodingCase {
    std::string input;
    std::string expected;
};

TEST(UrlEncode, Cases) {
    const EncodingCase cases[] = {
        {"", ""},
        {"a b&c~", "a+b%26c~"},
        {"\xE4", "%E4"},
        {"AZaz09-_.~", "AZaz09-_.~"},
        {"/?=#%+", "%2F%3F%3D%23%25%2B"},
        {std::string("\x00\x7F\xFF", 3), "%00%7F%FF"},
    };
    for (const auto& c : cases) EXPECT_EQ(UrlEncode(c.input), c.expected) << c.input;
}

TEST(Base64Encode, Cases) {
    const EncodingCase cases[] = {
        {"", ""},
        {"Q", "UQ=="},
        {"Q1", "UTE="},
        {"Q1x", "UTF4"},
        {"AB12CD", "QUIxMkNE"},
        {"\xFF\xFE\xFD\xFC", "//79/A=="},
        {std::string("\0\0", 2), "AAA="},
    };
    for (const auto& c : cases) EXPECT_EQ(Base64Encode(c.input), c.expected) << c.input;
}

TEST(HexDecode, Cases) {
    const EncodingCase cases[] = {
        {"", ""},
        {"00ff7F", std::string("\x00\xFF\x7F", 3)},
        {"aBcD", "\xAB\xCD"},
        {"414", "A"},
        // Characters are not validated: "G" counts 16, so "1G" is 0x20.
        {"1G", " "},
    };
    for (const auto& c : cases) EXPECT_EQ(HexDecode(c.input), c.expected) << c.input;
}

}  // namespace
