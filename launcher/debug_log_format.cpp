#include "debug_log_format.h"

#include <cstdio>

std::string LogFileName(const std::string& prefix, const SYSTEMTIME& date) {
    char suffix[64];
    snprintf(suffix, sizeof(suffix), "_%u_%u_%u.log", date.wYear, date.wMonth, date.wDay);
    return prefix + suffix;
}

std::string CallSiteFileName(const std::string& path) {
    const size_t slash = path.rfind('\\');
    if (slash == std::string::npos || slash == 0) return path;
    return path.substr(slash + 1);
}

std::string FormatLogLine(const SYSTEMTIME& time, const std::string& file, int32_t line,
                          const std::string& function, const std::string& message) {
    char stamp[64];
    snprintf(stamp, sizeof(stamp), "%d-%02d-%02d %02d:%02d:%02d.%3d", time.wYear, time.wMonth,
             time.wDay, time.wHour, time.wMinute, time.wSecond, time.wMilliseconds);
    return std::string(stamp) + " [" + CallSiteFileName(file) + "<" + std::to_string(line) + ">" +
           function + "] : " + message;
}
