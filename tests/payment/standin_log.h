// Test helpers around the payment library stand-in: its settings variables and
// the file in which it logs every record it receives.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

// Sets an environment variable of this process for the life of the object.
class ScopedVariable {
  public:
    ScopedVariable(const wchar_t* name, const std::wstring& value);
    ~ScopedVariable();
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

  private:
    std::wstring name_;
};

// One logged record: its kind ("init", "pay", "uninit") and its fields.
struct LoggedRecord {
    std::string kind;
    std::map<std::string, std::string> fields;
};

// A fresh record file that the stand-in writes to while the object lives.
class StandinLog {
  public:
    StandinLog();
    ~StandinLog();
    StandinLog(const StandinLog&) = delete;
    StandinLog& operator=(const StandinLog&) = delete;

    std::vector<LoggedRecord> Records() const;

  private:
    std::wstring path_;
    ScopedVariable variable_;
};

// Builds a record byte by byte at the library's offsets, independently of the
// launcher's record structures.
class RecordBytes {
  public:
    explicit RecordBytes(size_t size) : bytes_(size, 0) {}
    RecordBytes& U32(size_t offset, uint32_t value);
    RecordBytes& I64(size_t offset, int64_t value);
    RecordBytes& Text(size_t offset, const std::wstring& text);
    std::string Hex() const;

  private:
    std::vector<uint8_t> bytes_;
};

// Converts text to the given code page (936: GBK).
std::string Encode(const std::wstring& text, unsigned codePage);
