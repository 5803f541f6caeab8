#include "debug_log.h"

#include <windows.h>
#include <psapi.h>
#include <shlobj.h>
#include <wtsapi32.h>

#include <iostream>

#include "debug_log_format.h"

namespace {

const char kProbeFile[] = "debug.txt";
constexpr DWORD kNoConsoleSession = 0xFFFFFFFF;
constexpr DWORD kNameBuffer = 260;

// Folder of the log file with its trailing separator; empty means the current
// directory.
std::string& LogFolder() {
    static std::string folder;
    return folder;
}

HANDLE CreateProbe() {
    return CreateFileA((LogFolder() + kProbeFile).c_str(), GENERIC_READ | GENERIC_WRITE,
                       FILE_SHARE_READ, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
}

std::string WideToThreadCodePage(const wchar_t* text, int length) {
    if (length <= 0) return std::string();
    const int size =
        WideCharToMultiByte(CP_THREAD_ACP, 0, text, length, nullptr, 0, nullptr, nullptr);
    if (size <= 0) return std::string();
    std::string result(size, '\0');
    WideCharToMultiByte(CP_THREAD_ACP, 0, text, length, &result[0], size, nullptr, nullptr);
    return result;
}

// The Documents folder of the active console session's user, which only a
// process running as the local system account can obtain; empty otherwise.
std::string ConsoleUserDocuments() {
    const DWORD session = WTSGetActiveConsoleSessionId();
    if (session == kNoConsoleSession) return std::string();
    HANDLE token = nullptr;
    if (!WTSQueryUserToken(session, &token)) return std::string();
    std::string folder;
    PIDLIST_ABSOLUTE items = nullptr;
    if (SUCCEEDED(SHGetFolderLocation(nullptr, CSIDL_PERSONAL, token, 0, &items))) {
        wchar_t path[MAX_PATH] = {};
        if (SHGetPathFromIDListW(items, path))
            folder = WideToThreadCodePage(path, static_cast<int>(wcslen(path)));
        CoTaskMemFree(items);
    }
    CloseHandle(token);
    return folder;
}

std::string ExecutableBaseName() {
    char name[kNameBuffer] = {};
    if (!K32GetModuleBaseNameA(GetCurrentProcess(), nullptr, name, kNameBuffer))
        return std::string();
    return name;
}

bool IsExistingFolder(const wchar_t* path) {
    const DWORD attributes = GetFileAttributesW(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

DebugLog& DebugLog::Instance() {
    static DebugLog log;
    return log;
}

DebugLog::DebugLog() {
    HANDLE probe = CreateProbe();
    if (probe == INVALID_HANDLE_VALUE) {
        const std::string documents = ConsoleUserDocuments();
        if (!documents.empty()) {
            LogFolder() = documents + "\\";
            probe = CreateProbe();
        }
    }
    const std::string prefix = LogFolder() + ExecutableBaseName();
    if (probe != INVALID_HANDLE_VALUE) {
        CloseHandle(probe);
        DeleteFileA((LogFolder() + kProbeFile).c_str());
        Open(prefix, kLogToFile | kLogToStdErr | kLogToDebugger);
    } else if (IsExistingFolder(L"D:")) {
        Open(prefix, kLogToStdErr | kLogToDebugger);
    }
}

DebugLog::~DebugLog() {
    if (targets_ & kLogToFile) stream_.close();
}

void DebugLog::Open(const std::string& prefix, uint32_t targets) {
    fileLevel_ = errorLevel_ = debuggerLevel_ = 2;
    if (!prefix.empty()) {
        SYSTEMTIME today;
        GetLocalTime(&today);
        fileName_ = LogFileName(prefix, today);
    }
    if ((targets & kLogToFile) && !fileName_.empty()) stream_.open(fileName_, std::ios::app);
    targets_ = targets;
    opened_ = true;
}

void DebugLog::Write(uint32_t level, const std::string& file, int32_t line,
                     const std::string& function, const std::string& message) {
    if (!opened_) return;
    SYSTEMTIME now;
    GetLocalTime(&now);
    const std::string text = FormatLogLine(now, file, line, function, message);
    if ((targets_ & kLogToFile) && level <= fileLevel_) {
        stream_ << text << std::endl;
    }
    if ((targets_ & kLogToStdErr) && level <= errorLevel_) {
        std::cerr << text << std::endl;
    }
    if ((targets_ & kLogToDebugger) && level <= debuggerLevel_) {
        OutputDebugStringA((text + "\r\n").c_str());
    }
}

void DebugLog::WriteWide(uint32_t level, const std::string& file, int32_t line,
                         const std::string& function, const std::wstring& message) {
    Write(level, file, line, function,
          WideToThreadCodePage(message.c_str(), static_cast<int>(message.size())));
}
