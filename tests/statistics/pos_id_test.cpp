#include <gtest/gtest.h>

#include <string>

#include "services/statistics_context.h"

namespace {

TEST(PosId, ParsesLikeStringToIntAndFallsBackToZero) {
    const std::pair<std::wstring, int32_t> cases[] = {
        {L"", 0},
        {L"42", 42},
        {L"  \t7", 7},
        {L"+5", 5},
        {L"-1", -1},
        {L"12abc", 12},
        {L"abc", 0},
        {L"0x1F", 0},
        {L"2147483647", 2147483647},
        {L"-2147483648", -2147483647 - 1},
        {L"2147483648", 0},
        {L"-2147483649", 0},
        {L"4294967295", 0},
        {L"99999999999999999999999", 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParsePosId(c.first), c.second) << std::string(c.first.begin(), c.first.end());
    }
}

}  // namespace
