#include "settings/registry_key.h"

#include <gtest/gtest.h>

#include "test_registry.h"

namespace {

const std::wstring kKey = kTestRegistryKey;
const std::wstring kMissingKey = kKey + L"\\missing";

class RegistryKeyTest : public testing::Test {
  protected:
    void SetUp() override {
        DeleteTree(kKey);
        SetRawValue(kKey, L"sz", REG_SZ, L"posId 12");
        SetRawValue(kKey, L"expand", REG_EXPAND_SZ, L"%TEMP%\\x");
        SetRawValue(kKey, L"multi", REG_MULTI_SZ, std::wstring(L"a\0b\0", 4));
        SetRawValue(kKey, L"fits", REG_SZ, std::wstring(129, L'f'));
        SetRawValue(kKey, L"long", REG_SZ, std::wstring(130, L'l'));
        SetRawValue(kKey, L"verylong", REG_SZ, std::wstring(5000, L'v'));
        SetRawValue(kKey, L"unterminated", REG_SZ, L"abc", false);
        SetRawValue(kKey, L"empty", REG_SZ, L"");
        SetDwordValue(kKey, L"dword", 0xFFFFFFFE);
        registry_.SetRoot(HKEY_CURRENT_USER);
    }
    void TearDown() override { DeleteTree(L"Software\\hlvn-tests"); }

    RegistryKey registry_;
};

struct ReadStringCase {
    std::wstring subKey;
    const wchar_t* name;
    LONG error;
    std::wstring text;
    DWORD type;
};

TEST_F(RegistryKeyTest, ReadString) {
    const std::wstring unchanged = L"<unchanged>";
    const ReadStringCase cases[] = {
        {kKey, L"sz", ERROR_SUCCESS, L"posId 12", REG_SZ},
        {kKey, L"expand", ERROR_SUCCESS, L"%TEMP%\\x", REG_EXPAND_SZ},
        {kKey, L"multi", ERROR_SUCCESS, std::wstring(L"a\0b\0", 4), REG_MULTI_SZ},
        {kKey, L"fits", ERROR_SUCCESS, std::wstring(129, L'f'), REG_SZ},
        {kKey, L"long", ERROR_SUCCESS, std::wstring(130, L'l'), REG_SZ},
        {kKey, L"verylong", ERROR_SUCCESS, std::wstring(5000, L'v'), REG_SZ},
        {kKey, L"unterminated", ERROR_SUCCESS, L"abc", REG_SZ},
        {kKey, L"empty", ERROR_SUCCESS, L"", REG_SZ},
        {kKey, L"dword", ERROR_SUCCESS, unchanged, 0},
        {kKey, L"missing", ERROR_FILE_NOT_FOUND, unchanged, 0},
        {kMissingKey, L"sz", ERROR_FILE_NOT_FOUND, unchanged, 0},
    };
    for (const auto& c : cases) {
        std::wstring text = unchanged;
        DWORD type = 77;
        EXPECT_EQ(registry_.ReadString(c.subKey, c.name, text, type), c.error) << c.name;
        EXPECT_EQ(text, c.text) << c.name;
        EXPECT_EQ(type, c.type) << c.name;
    }
}

struct ReadDwordCase {
    std::wstring subKey;
    const wchar_t* name;
    LONG error;
    DWORD value;
};

TEST_F(RegistryKeyTest, ReadDword) {
    const ReadDwordCase cases[] = {
        {kKey, L"dword", ERROR_SUCCESS, 0xFFFFFFFE},
        {kKey, L"sz", ERROR_SUCCESS, 1234},
        {kKey, L"verylong", ERROR_MORE_DATA, 1234},
        {kKey, L"missing", ERROR_FILE_NOT_FOUND, 1234},
        {kMissingKey, L"dword", ERROR_FILE_NOT_FOUND, 1234},
    };
    for (const auto& c : cases) {
        DWORD value = 1234;
        EXPECT_EQ(registry_.ReadDword(c.subKey, c.name, value), c.error) << c.name;
        EXPECT_EQ(value, c.value) << c.name;
    }
}

TEST_F(RegistryKeyTest, WriteDwordCreatesKeyAndReplacesValue) {
    const std::wstring deep = kKey + L"\\new\\deep";
    ASSERT_EQ(registry_.WriteDword(deep, L"lunchNum", 7), ERROR_SUCCESS);
    ASSERT_EQ(registry_.WriteDword(kKey, L"sz", 0x80000000), ERROR_SUCCESS);
    DWORD value = 0;
    EXPECT_EQ(registry_.ReadDword(deep, L"lunchNum", value), ERROR_SUCCESS);
    EXPECT_EQ(value, 7u);
    EXPECT_EQ(registry_.ReadDword(kKey, L"sz", value), ERROR_SUCCESS);
    EXPECT_EQ(value, 0x80000000u);
}

TEST_F(RegistryKeyTest, RootStartsAsLocalMachine) {
    RegistryKey localMachine;
    DWORD value = 1234;
    EXPECT_EQ(localMachine.ReadDword(kKey, L"dword", value), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(value, 1234u);
}

}  // namespace
