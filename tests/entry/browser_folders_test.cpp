#include "browser_folders.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

struct FolderCase {
    const wchar_t* tempPath;
    const char* cachePath;
};

class BrowserFoldersFromTemp : public testing::TestWithParam<FolderCase> {};

TEST_P(BrowserFoldersFromTemp, DropsTheLastFiveCharactersOfTheTempPath) {
    const FolderCase& c = GetParam();
    const BrowserFolders folders = BrowserFoldersFromTempPath(c.tempPath);
    EXPECT_EQ(folders.cachePath, c.cachePath);
    EXPECT_EQ(folders.userDataPath, *c.cachePath ? std::string(c.cachePath) + "\\userdata" : "");
}

INSTANTIATE_TEST_SUITE_P(
    TempPaths, BrowserFoldersFromTemp,
    testing::Values(
        FolderCase{L"C:\\Users\\a\\AppData\\Local\\Temp\\",
                   "C:\\Users\\a\\AppData\\Local\\Pinnace\\cache\\pinnlogin"},
        FolderCase{L"D:\\tmp\\", "D:Pinnace\\cache\\pinnlogin"},
        FolderCase{
            L"C:\\Users\\\u5f20\u4e09\\AppData\\Local\\Temp\\",
            "C:\\Users\\\xe5\xbc\xa0\xe4\xb8\x89\\AppData\\Local\\Pinnace\\cache\\pinnlogin"},
        FolderCase{L"C:\\a\\", "Pinnace\\cache\\pinnlogin"},
        // Too short to drop five characters: no folders, the runtime's defaults apply.
        FolderCase{L"C:\\\\", ""}, FolderCase{L"", ""}));

// Sets TMP (the first place the temp path comes from) for one test.
class TempVariable : public testing::Test {
  protected:
    void SetUp() override {
        wchar_t old[1024] = {};
        hadOld_ = GetEnvironmentVariableW(L"TMP", old, 1024) > 0;
        old_ = old;
    }
    void TearDown() override { SetEnvironmentVariableW(L"TMP", hadOld_ ? old_.c_str() : nullptr); }

    bool hadOld_ = false;
    std::wstring old_;
};

TEST_F(TempVariable, FoldersFollowTheProcessTempPath) {
    ASSERT_TRUE(SetEnvironmentVariableW(L"TMP", L"C:\\Users\\b\\AppData\\Local\\Temp"));
    const BrowserFolders folders = QueryBrowserFolders();
    EXPECT_EQ(folders.cachePath, "C:\\Users\\b\\AppData\\Local\\Pinnace\\cache\\pinnlogin");
    EXPECT_EQ(folders.userDataPath,
              "C:\\Users\\b\\AppData\\Local\\Pinnace\\cache\\pinnlogin\\userdata");
}

TEST_F(TempVariable, TempPathLongerThanTheBufferGivesNoFolders) {
    ASSERT_TRUE(SetEnvironmentVariableW(L"TMP", (L"C:\\" + std::wstring(300, L'x')).c_str()));
    const BrowserFolders folders = QueryBrowserFolders();
    EXPECT_EQ(folders.cachePath, "");
    EXPECT_EQ(folders.userDataPath, "");
}

}  // namespace
