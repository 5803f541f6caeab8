#include "debug_log_format.h"

#include <gtest/gtest.h>

namespace {

SYSTEMTIME Time(WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second,
                WORD milliseconds) {
    SYSTEMTIME time = {};
    time.wYear = year;
    time.wMonth = month;
    time.wDay = day;
    time.wHour = hour;
    time.wMinute = minute;
    time.wSecond = second;
    time.wMilliseconds = milliseconds;
    return time;
}

TEST(LogFileName, DateWithoutLeadingZeros) {
    EXPECT_EQ(LogFileName("hlvn.exe", Time(2024, 5, 3, 0, 0, 0, 0)), "hlvn.exe_2024_5_3.log");
    EXPECT_EQ(LogFileName("C:\\Users\\a\\Documents\\hlvn.exe", Time(2024, 12, 31, 23, 59, 59, 999)),
              "C:\\Users\\a\\Documents\\hlvn.exe_2024_12_31.log");
    EXPECT_EQ(LogFileName("", Time(2025, 1, 1, 0, 0, 0, 0)), "_2025_1_1.log");
}

struct FileNameCase {
    std::string path;
    std::string shown;
};

TEST(CallSiteFileName, TextAfterTheLastBackslash) {
    const FileNameCase cases[] = {
        {"D:\\w\\Main", "Main"}, {"Main.cpp", "Main.cpp"},           {"\\Main.cpp", "\\Main.cpp"},
        {"a\\b\\", ""},          {"/src/main.cpp", "/src/main.cpp"}, {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(CallSiteFileName(c.path), c.shown) << c.path;
}

struct LineCase {
    WORD milliseconds;
    std::string stamp;
};

TEST(FormatLogLine, MillisecondsPaddedWithSpaces) {
    const LineCase cases[] = {
        {45, "2024-05-03 14:07:09. 45"},
        {5, "2024-05-03 14:07:09.  5"},
        {0, "2024-05-03 14:07:09.  0"},
        {999, "2024-05-03 14:07:09.999"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatLogLine(Time(2024, 5, 3, 14, 7, 9, c.milliseconds), "D:\\w\\Main", 59,
                                "wWinMain", "CoInitialize false GetLastError:1008"),
                  c.stamp + " [Main<59>wWinMain] : CoInitialize false GetLastError:1008");
}

TEST(FormatLogLine, ZeroPaddedDateAndTimeAndNegativeLine) {
    EXPECT_EQ(FormatLogLine(Time(987, 1, 2, 3, 4, 5, 6), "f.cpp", -1, "F", ""),
              "987-01-02 03:04:05.  6 [f.cpp<-1>F] : ");
}

}  // namespace
