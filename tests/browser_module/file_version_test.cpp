#include <windows.h>

#include <gtest/gtest.h>

#include "file_version.h"
#include "test_files.h"

TEST(GetFileVersionText, ReadsTheFixedFileVersion) {
    EXPECT_EQ(GetFileVersionText(TestVesk2Path()), WEBHULL_TEST_VESK2_VERSION_W);
}

TEST(GetFileVersionText, IsEmptyWithoutAVersionResource) {
    ScratchFolder scratch;
    EXPECT_EQ(GetFileVersionText(scratch.path() + L"\\missing.exe"), L"");
    const std::wstring plain = scratch.path() + L"\\plain.txt";
    ASSERT_TRUE(WriteTestFile(plain, "not a program"));
    EXPECT_EQ(GetFileVersionText(plain), L"");
}
