// One text line per record the stand-in receives, for tests to read back.
// Fields are tab-separated "name=value" pairs; strings are UTF-8 with tab,
// line breaks and backslash escaped; "bytes" is the whole record in hex.
#pragma once

#include <string>

constexpr size_t kInitRecordSize = 268;
constexpr size_t kPayRecordSize = 3380;

std::string DescribeInitRecord(const unsigned char* record);
std::string DescribePayRecord(const unsigned char* record);

// Appends line and a line break to path; does nothing when path is empty.
void AppendRecordLine(const std::wstring& path, const std::string& line);
