#include "record_log.h"

#include <windows.h>

#include <cstdint>
#include <cstring>

namespace {

uint32_t ReadU32(const unsigned char* at) {
    uint32_t value;
    std::memcpy(&value, at, sizeof value);
    return value;
}

int64_t ReadI64(const unsigned char* at) {
    int64_t value;
    std::memcpy(&value, at, sizeof value);
    return value;
}

// A UTF-16 field of units code units, read up to its terminator (or its end
// when it has none), as escaped UTF-8.
std::string ReadText(const unsigned char* at, size_t units) {
    std::wstring text;
    for (size_t i = 0; i < units; ++i) {
        wchar_t unit = static_cast<wchar_t>(at[2 * i] | (at[2 * i + 1] << 8));
        if (unit == L'\0') break;
        text.push_back(unit);
    }
    std::string utf8;
    if (!text.empty()) {
        int length = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
        utf8.resize(length);
        WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), utf8.data(),
                            length, nullptr, nullptr);
    }
    std::string escaped;
    for (char c : utf8) {
        switch (c) {
            case '\\':
                escaped += "\\\\";
                break;
            case '\t':
                escaped += "\\t";
                break;
            case '\n':
                escaped += "\\n";
                break;
            case '\r':
                escaped += "\\r";
                break;
            default:
                escaped += c;
        }
    }
    return escaped;
}

std::string Hex(const unsigned char* bytes, size_t size) {
    static const char digits[] = "0123456789abcdef";
    std::string hex;
    hex.reserve(2 * size);
    for (size_t i = 0; i < size; ++i) {
        hex += digits[bytes[i] >> 4];
        hex += digits[bytes[i] & 0xF];
    }
    return hex;
}

}  // namespace

std::string DescribeInitRecord(const unsigned char* record) {
    return "init\tsize=" + std::to_string(ReadU32(record)) +
           "\tgame_key=" + ReadText(record + 4, 128) +
           "\tapp_id=" + std::to_string(ReadU32(record + 260)) +
           "\treserved=" + std::to_string(ReadU32(record + 264)) +
           "\tbytes=" + Hex(record, kInitRecordSize);
}

std::string DescribePayRecord(const unsigned char* record) {
    return "pay\tsize=" + std::to_string(ReadU32(record)) +
           "\torder_id=" + ReadText(record + 4, 40) +
           "\tmoney=" + std::to_string(static_cast<int32_t>(ReadU32(record + 84))) +
           "\ttime=" + std::to_string(ReadI64(record + 88)) +
           "\tuser_id=" + ReadText(record + 96, 40) + "\tproduct_id=" + ReadText(record + 176, 40) +
           "\tproduct_name=" + ReadText(record + 256, 400) +
           "\tbytes=" + Hex(record, kPayRecordSize);
}

void AppendRecordLine(const std::wstring& path, const std::string& line) {
    if (path.empty()) return;
    HANDLE file = CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    std::string data = line + "\n";
    DWORD written = 0;
    WriteFile(file, data.data(), static_cast<DWORD>(data.size()), &written, nullptr);
    CloseHandle(file);
}
