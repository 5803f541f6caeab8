#include "standin_log.h"

#include <windows.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <sstream>

ScopedVariable::ScopedVariable(const wchar_t* name, const std::wstring& value) : name_(name) {
    SetEnvironmentVariableW(name, value.c_str());
}

ScopedVariable::~ScopedVariable() { SetEnvironmentVariableW(name_.c_str(), nullptr); }

namespace {

std::wstring FreshPath() {
    static std::atomic<int> counter{0};
    wchar_t folder[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    return std::wstring(folder) + L"standin_records_" + std::to_wstring(GetCurrentProcessId()) +
           L"_" + std::to_wstring(++counter) + L".log";
}

}  // namespace

StandinLog::StandinLog() : path_(FreshPath()), variable_(L"LYSDK_STANDIN_RECORD_FILE", path_) {}

StandinLog::~StandinLog() { DeleteFileW(path_.c_str()); }

std::vector<LoggedRecord> StandinLog::Records() const {
    std::vector<LoggedRecord> records;
    std::ifstream file{std::filesystem::path(path_)};
    std::string line;
    while (std::getline(file, line)) {
        LoggedRecord record;
        std::istringstream parts(line);
        std::getline(parts, record.kind, '\t');
        std::string field;
        while (std::getline(parts, field, '\t')) {
            size_t equals = field.find('=');
            record.fields[field.substr(0, equals)] = field.substr(equals + 1);
        }
        records.push_back(record);
    }
    return records;
}

RecordBytes& RecordBytes::U32(size_t offset, uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes_.at(offset + i) = static_cast<uint8_t>(value >> (8 * i));
    return *this;
}

RecordBytes& RecordBytes::I64(size_t offset, int64_t value) {
    auto bits = static_cast<uint64_t>(value);
    for (int i = 0; i < 8; ++i) bytes_.at(offset + i) = static_cast<uint8_t>(bits >> (8 * i));
    return *this;
}

RecordBytes& RecordBytes::Text(size_t offset, const std::wstring& text) {
    for (size_t i = 0; i < text.size(); ++i) {
        bytes_.at(offset + 2 * i) = static_cast<uint8_t>(text[i] & 0xFF);
        bytes_.at(offset + 2 * i + 1) = static_cast<uint8_t>(text[i] >> 8);
    }
    return *this;
}

std::string RecordBytes::Hex() const {
    static const char digits[] = "0123456789abcdef";
    std::string hex;
    for (uint8_t byte : bytes_) {
        hex += digits[byte >> 4];
        hex += digits[byte & 0xF];
    }
    return hex;
}

std::string Encode(const std::wstring& text, unsigned codePage) {
    if (text.empty()) return {};
    int size = WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr,
                                   0, nullptr, nullptr);
    std::string bytes(size, '\0');
    WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size,
                        nullptr, nullptr);
    return bytes;
}
