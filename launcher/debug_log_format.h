// Text forms of the diagnostic log: its dated file name and its lines.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

// prefix + "_year_month_day.log", numbers without leading zeros.
std::string LogFileName(const std::string& prefix, const SYSTEMTIME& date);

// The call site's file name: the text after the last backslash, or the whole
// path when it has none or only a leading one.
std::string CallSiteFileName(const std::string& path);

// "2024-05-03 14:07:09. 45 [Main<59>wWinMain] : message"; milliseconds are
// padded with spaces.
std::string FormatLogLine(const SYSTEMTIME& time, const std::string& file, int32_t line,
                          const std::string& function, const std::string& message);
