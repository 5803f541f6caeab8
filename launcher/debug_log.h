// Process-wide diagnostic log: time-stamped lines tagged with their call
// site, written to a dated file, standard error and the debugger output.
#pragma once

#include <cstdint>
#include <fstream>
#include <string>

enum LogTarget : uint32_t {
    kLogToFile = 1,
    kLogToStdErr = 4,
    kLogToDebugger = 16,
};

class DebugLog {
  public:
    // The single log, created on first use.
    static DebugLog& Instance();

    // Writes one line to every target whose threshold admits `level`.
    void Write(uint32_t level, const std::string& file, int32_t line, const std::string& function,
               const std::string& message);

    // As Write, with the message converted to the calling thread's code page.
    void WriteWide(uint32_t level, const std::string& file, int32_t line,
                   const std::string& function, const std::wstring& message);

    DebugLog(const DebugLog&) = delete;
    DebugLog& operator=(const DebugLog&) = delete;

  private:
    DebugLog();
    ~DebugLog();

    void Open(const std::string& prefix, uint32_t targets);

    bool opened_ = false;
    std::string fileName_;
    uint32_t targets_ = 0;
    std::ofstream stream_;
    uint32_t fileLevel_ = 0;
    uint32_t errorLevel_ = 0;
    uint32_t debuggerLevel_ = 0;
};
